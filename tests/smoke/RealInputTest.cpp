#include <tests/support/MessagePump.h>
#include <tests/support/RealInput.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using namespace testsupport;

namespace {

// A top-level window with one child that records, in order, what reaches the child: the messages the
// system adds around a real click or key (activation, focus, capture) as well as the input itself.
struct Recorder {
  std::vector<std::string> log;
};

LRESULT CALLBACK recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* recorder = reinterpret_cast<Recorder*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  char line[64] = "";
  switch (message) {
  case WM_MOUSEACTIVATE:
    lstrcpyA(line, "mouseactivate");
    break;
  case WM_SETFOCUS:
    lstrcpyA(line, "setfocus");
    break;
  case WM_LBUTTONDOWN:
    SetFocus(hwnd);
    SetCapture(hwnd);
    wsprintfA(line, "down %d,%d shift=%d", LOWORD(lParam), HIWORD(lParam), (wParam & MK_SHIFT) != 0);
    break;
  case WM_LBUTTONDBLCLK:
    wsprintfA(line, "dblclk %d,%d", LOWORD(lParam), HIWORD(lParam));
    break;
  case WM_LBUTTONUP:
    ReleaseCapture();
    wsprintfA(line, "up %d,%d", LOWORD(lParam), HIWORD(lParam));
    break;
  case WM_RBUTTONUP:
    wsprintfA(line, "rup %d,%d", LOWORD(lParam), HIWORD(lParam));
    break;
  case WM_MOUSEMOVE:
    if (GetCapture() == hwnd)
      wsprintfA(line, "drag %d,%d", LOWORD(lParam), HIWORD(lParam));
    break;
  case WM_CHAR:
    wsprintfA(line, "char %c", static_cast<char>(wParam));
    break;
  case WM_SYSKEYDOWN:
    if (wParam != VK_MENU)
      wsprintfA(line, "syskey %c", static_cast<char>(wParam));
    break;
  }
  if (recorder && line[0])
    recorder->log.push_back(line);
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

struct RealInputByUser : ::testing::Test {
  Recorder recorder;
  HWND top = nullptr;
  HWND child = nullptr;

  RealInputByUser() {
    WNDCLASSA wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = recordingProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = "RealInputRecorder";
    RegisterClassA(&wc);
    top = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr, nullptr,
                          wc.hInstance, nullptr);
    child = CreateWindowExA(0, "RealInputRecorder", "", WS_CHILD | WS_VISIBLE, 20, 10, 200, 150, top, nullptr,
                            wc.hInstance, nullptr);
    SetWindowLongPtrA(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&recorder));
    pumpMessages();
  }
  ~RealInputByUser() override {
    DestroyWindow(top);
    pumpMessages();
  }
  std::vector<std::string> record() { return std::exchange(recorder.log, {}); }
};

TEST_F(RealInputByUser, AClickActivatesFocusesAndArrivesAtItsPoint) {
  realinput::click(child, {30, 40});
  std::vector<std::string> expected = {"mouseactivate", "setfocus", "down 30,40 shift=0", "up 30,40"};
  EXPECT_EQ(record(), expected);
  EXPECT_EQ(GetFocus(), child);
}

TEST_F(RealInputByUser, DoubleClicksRightClicksAndDrags) {
  realinput::doubleClick(child, {50, 60});
  EXPECT_EQ(record(), (std::vector<std::string>{"mouseactivate", "setfocus", "down 50,60 shift=0", "up 50,60",
                                                "mouseactivate", "dblclk 50,60", "up 50,60"}));
  realinput::rightClick(child, {7, 8});
  EXPECT_EQ(record(), (std::vector<std::string>{"mouseactivate", "rup 7,8"}));
  realinput::drag(child, {10, 10}, {50, 30}, 2);
  EXPECT_EQ(record(), (std::vector<std::string>{"mouseactivate", "down 10,10 shift=0", "drag 30,20",
                                                "drag 50,30", "up 50,30"}));
}

TEST_F(RealInputByUser, KeysGoToTheFocusWithShiftAndAlt) {
  realinput::click(child, {5, 5});
  record();
  realinput::typeText("aB");
  realinput::pressKey('F', {VK_MENU});
  EXPECT_EQ(record(), (std::vector<std::string>{"char a", "char B", "syskey F"}));
}

TEST_F(RealInputByUser, AShiftedClickIsSeenWithShiftHeld) {
  realinput::click(child, {5, 6}, {VK_SHIFT});
  std::vector<std::string> log = record();
  ASSERT_FALSE(log.empty());
  EXPECT_NE(std::find(log.begin(), log.end(), "down 5,6 shift=1"), log.end());
}

} // namespace
