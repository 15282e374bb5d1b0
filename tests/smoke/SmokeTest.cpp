#include <tests/smoke/SmokeWindow.h>

#include <tests/smoke/SmokeResource.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/SentInput.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

int CALLBACK noteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// Caption buttons (minimise, maximise, close) are drawn from the symbol font; without it they show as
// letters in every window and screenshot.
TEST(WinePrefixTest, TheCaptionButtonsSymbolFontIsInstalled) {
  HDC dc = GetDC(nullptr);
  LOGFONTA face{};
  face.lfCharSet = DEFAULT_CHARSET;
  lstrcpyA(face.lfFaceName, "Marlett");
  bool found = false;
  EnumFontFamiliesExA(dc, &face, noteFace, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  EXPECT_TRUE(found);
}

struct SmokeWindowTest : ::testing::Test {
  HWND hwnd = smoke::createSmokeWindow(GetModuleHandleA(nullptr));
  ~SmokeWindowTest() override {
    DestroyWindow(hwnd);
    pumpMessages();
  }
};

TEST_F(SmokeWindowTest, PaintsItsPanelIntoMemory) {
  ASSERT_NE(hwnd, nullptr);
  MemoryDib dib(200, 100);
  paintClient(hwnd, dib);
  EXPECT_EQ(dib.pixel(10, 10), smoke::kPanelColour);
  EXPECT_EQ(dib.pixel(109, 59), smoke::kPanelColour);
  EXPECT_EQ(dib.pixel(110, 60), RGB(255, 255, 255));
  EXPECT_EQ(dib.count(smoke::kPanelColour), 100 * 50);
  // The text line below the panel drew something dark.
  EXPECT_GT(dib.count(RGB(0, 0, 0), RECT{10, 70, 200, 90}), 20);
}

TEST_F(SmokeWindowTest, DialogFromResourceIsFilledAndAccepted) {
  ModalAnswerer answerer;
  answerer.act("Smoke dialog", [](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_SMOKE_NAME, "Ada");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  std::string name;
  EXPECT_TRUE(smoke::askName(hwnd, name));
  EXPECT_EQ(name, "Ada");
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].caption, "Smoke dialog");
  EXPECT_EQ(answerer.seen()[0].text, "Name:");
}

TEST_F(SmokeWindowTest, MessageBoxIsAnsweredAndRecorded) {
  ModalAnswerer answerer;
  answerer.answer("Delete it?", IDNO).answer("Saved", IDOK);
  EXPECT_EQ(MessageBoxA(hwnd, "Delete it?", "Smoke", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(MessageBoxA(hwnd, "Saved.", "Smoke", MB_OK), IDOK);
  ASSERT_EQ(answerer.seen().size(), 2u);
  EXPECT_EQ(answerer.seen()[0].caption, "Smoke");
  EXPECT_EQ(answerer.seen()[0].text, "Delete it?");
  EXPECT_EQ(answerer.seen()[1].text, "Saved.");
}

TEST_F(SmokeWindowTest, UnexpectedBoxFailsInsteadOfHanging) {
  EXPECT_NONFATAL_FAILURE(
      {
        ModalAnswerer answerer;
        MessageBoxA(hwnd, "Surprise", "Smoke", MB_YESNO);
      },
      "unexpected box [Smoke]: Surprise");
}

TEST_F(SmokeWindowTest, ExpectedBoxNeverShownFails) {
  EXPECT_NONFATAL_FAILURE(
      {
        ModalAnswerer answerer;
        answerer.answer("Never", IDOK);
      },
      "no box matching \"Never\"");
}

TEST(TempDirTest, IsEmptyThenRemovedWithItsFiles) {
  std::string path;
  {
    TempDir dir;
    path = dir.path();
    dir.enter();
    ASSERT_TRUE(writeFile("here.txt", "a\r\nb"));
    EXPECT_EQ(readFile(dir.file("here.txt")), "a\r\nb");
    CreateDirectoryA(dir.file("sub").c_str(), nullptr);
    ASSERT_TRUE(writeFile(dir.file("sub\\deep.bin"), std::string("\0\1", 2)));
  }
  EXPECT_FALSE(fileExists(path));
}

} // namespace

namespace {

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* log = reinterpret_cast<std::vector<std::string>*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  char line[64] = "";
  if (log && message == WM_KEYDOWN)
    wsprintfA(line, "down %d shift=%d", static_cast<int>(wParam), GetKeyState(VK_SHIFT) < 0);
  if (log && message == WM_CHAR)
    wsprintfA(line, "char %c", static_cast<char>(wParam));
  if (log && message == WM_LBUTTONDOWN)
    wsprintfA(line, "click %d,%d ctrl=%d", LOWORD(lParam), HIWORD(lParam), (wParam & MK_CONTROL) != 0);
  if (line[0])
    log->push_back(line);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

TEST(SentInputTest, KeysCharactersAndClicksArriveAsAUserWouldSendThem) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = recordingProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "RecordingWindow";
  RegisterClassA(&wc);
  HWND hwnd = CreateWindowExA(0, "RecordingWindow", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                              wc.hInstance, nullptr);
  std::vector<std::string> log;
  SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&log));
  {
    HeldKeys shift{VK_SHIFT};
    pressKey(hwnd, VK_DOWN);
  }
  pressKey(hwnd, VK_DOWN);
  typeText(hwnd, "ab");
  click(hwnd, 5, 7, MK_CONTROL);
  std::vector<std::string> expected = {"down 40 shift=1", "down 40 shift=0", "char a", "char b",
                                       "click 5,7 ctrl=1"};
  EXPECT_EQ(log, expected);
  DestroyWindow(hwnd);
}

} // namespace

namespace {

// Sets no focus at creation, which would activate the dialog while it is still hidden.
INT_PTR CALLBACK keptDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(SmokeWindowTest, AFormHiddenAndShownAgainIsAnsweredAgain) {
  ShowWindow(hwnd, SW_SHOW);
  SetForegroundWindow(hwnd);
  HWND kept =
      CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SMOKE), hwnd, keptDialogProc, 0);
  ASSERT_NE(kept, nullptr);
  int answered = 0;
  ModalAnswerer answerer;
  for (int showing = 0; showing < 2; ++showing) {
    answerer.act("Smoke dialog", [&answered](HWND) { ++answered; });
    ShowWindow(kept, SW_SHOW);
    SetActiveWindow(kept);
    ShowWindow(kept, SW_HIDE);
    SetActiveWindow(hwnd);
  }
  EXPECT_EQ(answered, 2);
  DestroyWindow(kept);
}

} // namespace
