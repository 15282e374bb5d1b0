#include <engine/tests/TestFolders.h>

#include <engine/screen/InstallScreenWindow.h>
#include <engine/script/LanguageSet.h>
#include <foundation/registry/screeninfo.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <clock/Clock.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

class RecordingHost : public ScreenHost {
public:
  int metafilepath(fpath&) override { return 0; }
  int backgroundpath(fpath& out) override { return !background.empty() && out.set(background.c_str()); }
  int picturepath(fpath&) override { return 0; }
  void exit(HWND focus) override { calls.push_back(focus == expectedFocus ? "exit focus" : "exit"); }
  void help(HWND focus) override { calls.push_back(focus == expectedFocus ? "help focus" : "help"); }
  void minimize() override { calls.push_back("minimize"); }
  const char* title() override { return "Installing Tolvane"; }
  HICON icon() override { return nullptr; }
  HMODULE bitmapmodule() override { return nullptr; }
  LRESULT message(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_USER + 5)
      return DefWindowProcA(screen->hwnd(), message, wParam, lParam);
    calls.push_back("message");
    return 77;
  }

  std::vector<std::string> calls;
  std::string background;
  HWND expectedFocus = nullptr;
  InstallScreen* screen = nullptr;
};

RECT windowRect(HWND window) {
  RECT rect;
  GetWindowRect(window, &rect);
  return rect;
}

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

class InstallScreenTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(1, language.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll"));
  }
  void TearDown() override { screen.hide(); }

  void realize() {
    host.screen = &screen;
    ASSERT_EQ(1, screen.realize(host));
    testsupport::pumpMessages();
  }

  LanguageLibrary language;
  InstallScreenSettings settings;
  RecordingHost host;
  InstallScreen screen{settings};
};

TEST_F(InstallScreenTest, RealizeMakesTheWindowAndTheShownButtons) {
  settings.sizingMode = 3;
  settings.helpButton.shown = 0;
  realize();
  screeninfo info;
  RECT rect = windowRect(screen.hwnd());
  EXPECT_EQ(MulDiv(800, info.width, 1000), rect.right - rect.left);
  EXPECT_EQ((info.width - (rect.right - rect.left)) / 2, rect.left);
  char title[64];
  GetWindowTextA(screen.hwnd(), title, sizeof title);
  EXPECT_STREQ("Installing Tolvane", title);
  ASSERT_NE(nullptr, screen.button(0));
  EXPECT_EQ(nullptr, screen.button(1));
  ASSERT_NE(nullptr, screen.button(2));
  EXPECT_EQ(screen.hwnd(), GetWindow(screen.button(0)->hwnd(), GW_OWNER));
  RECT button = windowRect(screen.button(0)->hwnd());
  EXPECT_LE(button.right - button.left, 63);
  EXPECT_LE(button.bottom - button.top, 39);
  EXPECT_EQ(77, SendMessageA(screen.hwnd(), WM_USER + 5, 0, 0));
  EXPECT_EQ(std::vector<std::string>{"message"}, host.calls);

  screen.hide();
  EXPECT_EQ(nullptr, screen.hwnd());
  EXPECT_EQ(nullptr, screen.button(0));
}

// A .bmp file's headers of the given size, and one row of pixels.
std::string bitmapFile(int width, int height) {
  BITMAPFILEHEADER header{0x4D42, 0, 0, 0, sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  BITMAPINFOHEADER info{sizeof info, width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  return std::string(reinterpret_cast<char*>(&header), sizeof header) +
         std::string(reinterpret_cast<char*>(&info), sizeof info) + std::string(4 * width, '\0');
}

TEST_F(InstallScreenTest, BitmapSizedScreenReadsTheCopyBesideTheEngine) {
  testsupport::TempDir dir;
  testsupport::writeFile(dir.file("copy.bmp"), bitmapFile(320, 200));
  testsupport::writeFile(dir.file("stored.bmp"), bitmapFile(160, 100));
  settings.sizingMode = 2;
  settings.background.path = dir.file("stored.bmp");
  RECT frame{0, 0, 320, 200};
  AdjustWindowRect(&frame, WS_POPUP, FALSE);
  host.background = dir.file("copy.bmp");
  realize();
  RECT rect = windowRect(screen.hwnd());
  EXPECT_EQ(frame.right - frame.left, rect.right - rect.left);
  EXPECT_EQ(frame.bottom - frame.top, rect.bottom - rect.top);
  screen.hide();

  host.background = dir.file("missing.bmp");
  realize();
  rect = windowRect(screen.hwnd());
  EXPECT_EQ(160, rect.right - rect.left);
  screen.hide();

  settings.background.path = dir.file("missing.bmp");
  EXPECT_EQ(0, screen.realize(host));
  EXPECT_EQ(nullptr, screen.hwnd());
}

TEST_F(InstallScreenTest, ButtonsFollowTheScreen) {
  settings.sizingMode = 3;
  realize();
  RECT before = windowRect(screen.button(0)->hwnd());
  RECT rect = windowRect(screen.hwnd());
  MoveWindow(screen.hwnd(), rect.left - 10, rect.top - 20, rect.right - rect.left, rect.bottom - rect.top,
             TRUE);
  testsupport::pumpMessages();
  RECT after = windowRect(screen.button(0)->hwnd());
  EXPECT_EQ(before.left - 10, after.left);
  EXPECT_EQ(before.top - 20, after.top);
}

TEST_F(InstallScreenTest, ReleaseInsideSendsTheCommand) {
  realize();
  HWND exit = screen.button(0)->hwnd();
  HWND help = screen.button(1)->hwnd();
  host.expectedFocus = screen.hwnd();
  SendMessageA(exit, WM_SETFOCUS, reinterpret_cast<WPARAM>(screen.hwnd()), 0);
  SendMessageA(exit, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
  EXPECT_EQ(1, screen.button(0)->state());
  SendMessageA(exit, WM_MOUSEMOVE, MK_LBUTTON, at(200, 5));
  EXPECT_EQ(2, screen.button(0)->state());
  SendMessageA(exit, WM_LBUTTONUP, 0, at(200, 5));
  EXPECT_TRUE(host.calls.empty());

  SendMessageA(exit, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
  SendMessageA(exit, WM_MOUSEMOVE, MK_LBUTTON, at(-3, 5));
  SendMessageA(exit, WM_MOUSEMOVE, MK_LBUTTON, at(5, 5));
  SendMessageA(exit, WM_LBUTTONUP, 0, at(5, 5));
  SendMessageA(help, WM_LBUTTONDOWN, MK_LBUTTON, at(1, 1));
  SendMessageA(help, WM_LBUTTONUP, 0, at(1, 1));
  SendMessageA(screen.button(2)->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at(1, 1));
  SendMessageA(screen.button(2)->hwnd(), WM_LBUTTONUP, 0, at(1, 1));
  EXPECT_EQ((std::vector<std::string>{"exit focus", "help", "minimize"}), host.calls);
  EXPECT_EQ(0, screen.button(0)->state());
}

TEST_F(InstallScreenTest, ActivityGaugesRestThenMoveAtMostEvery200Milliseconds) {
  platform::ClockOverride clock(2026, 12, 10, 9);
  settings.activity.colours[0] = RGB(1, 2, 3);
  realize();
  ActivityDialog* activity = screen.activity();
  ASSERT_NE(nullptr, activity);
  ASSERT_NE(nullptr, activity->hwnd());
  EXPECT_TRUE(IsWindowVisible(activity->hwnd()));
  EXPECT_EQ(screen.hwnd(), GetWindow(activity->hwnd(), GW_OWNER));
  EXPECT_EQ(77, activity->percent(0));
  EXPECT_EQ(90, activity->percent(1));

  std::vector<std::pair<int, int>> seen;
  for (int step = 0; step < 40; ++step) {
    screen.activitytick();
    seen.emplace_back(activity->percent(0), activity->percent(1));
    platform::Clock::advanceMilliseconds(50);
  }
  int changes = 0;
  for (size_t i = 0; i < seen.size(); ++i) {
    EXPECT_GE(seen[i].first, 70);
    EXPECT_LE(seen[i].second, 100);
    if (i > 0 && seen[i] != seen[i - 1]) {
      ++changes;
      EXPECT_EQ(0u, i % 4) << "a change only every fourth tick of 50 ms";
    }
  }
  EXPECT_GT(changes, 3);
  screen.hide();
  EXPECT_EQ(nullptr, screen.activity());
}

TEST_F(InstallScreenTest, HiddenActivityMakesNoDialog) {
  settings.activity.shown = 0;
  realize();
  EXPECT_EQ(nullptr, screen.activity());
  screen.activitytick();
}

TEST_F(InstallScreenTest, PaintDrawsTheGradientAndFitsTextsToTheirBoxes) {
  settings.corners[0] = RGB(255, 0, 0);
  settings.corners[1] = RGB(0, 0, 255);
  settings.corners[2] = RGB(0, 255, 0);
  settings.corners[3] = RGB(0, 0, 0);
  ScreenTextItem text;
  text.x = 100;
  text.y = 400;
  text.width = 800;
  text.height = 100;
  text.shadow = 0;
  text.colour = RGB(255, 255, 255);
  text.text = "WWWW";
  settings.texts.push_back(text);
  // An empty text before it has no width to fit: it is left out, and the layer goes on.
  ScreenTextItem empty = text;
  empty.text = "";
  settings.texts.insert(settings.texts.begin(), empty);
  realize();
  testsupport::MemoryDib image(400, 300);
  RECT client{0, 0, 400, 300};
  screen.paint(image.dc(), client, client);
  // The cells at the corners take the colours near the corners.
  EXPECT_GT(GetRValue(image.pixel(0, 0)), 200);
  EXPECT_GT(GetBValue(image.pixel(399, 0)), 200);
  EXPECT_GT(GetGValue(image.pixel(0, 299)), 200);
  EXPECT_LT(GetRValue(image.pixel(399, 299)) + GetGValue(image.pixel(399, 299)), 40);
  // The white text reaches from near 40 to near 360 pixels: it fills its box.
  int left = 400, right = -1;
  for (int y = 120; y < 150; ++y)
    for (int x = 0; x < 400; ++x)
      if (image.pixel(x, y) == RGB(255, 255, 255)) {
        left = std::min(left, x);
        right = std::max(right, x);
      }
  EXPECT_NEAR(40, left, 12);
  EXPECT_NEAR(360, right, 24);
}

} // namespace
