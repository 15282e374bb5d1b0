#include <wincore/MessageLoop.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kTaken = WM_USER + 1;
constexpr UINT kPassed = WM_USER + 2;

// A window that records what reaches it.
struct Recorder {
  static LRESULT CALLBACK proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER)
      log().push_back("dispatched " + std::to_string(message - WM_USER));
    return DefWindowProcA(hwnd, message, wParam, lParam);
  }
  static std::vector<std::string>& log() {
    static std::vector<std::string> entries;
    return entries;
  }
  Recorder() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MessageLoopTestWindow";
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                           nullptr);
    log().clear();
  }
  ~Recorder() { DestroyWindow(hwnd); }
  HWND hwnd;
};

TEST(MessageLoopTest, FiltersSeeMessagesInTheirOrderAndATakenOneGoesNoFurther) {
  Recorder window;
  std::vector<std::string>& log = Recorder::log();
  int first = wincore::addMessageFilter([&](MSG& m) {
    log.push_back("first sees " + std::to_string(m.message - WM_USER));
    return m.message == kTaken;
  });
  int second = wincore::addMessageFilter([&](MSG& m) {
    log.push_back("second sees " + std::to_string(m.message - WM_USER));
    return false;
  });
  for (UINT message : {kTaken, kPassed}) {
    MSG m{window.hwnd, message, 0, 0, 0, {}};
    EXPECT_TRUE(wincore::processMessage(m));
  }
  wincore::removeMessageFilter(first);
  MSG m{window.hwnd, kTaken, 0, 0, 0, {}};
  wincore::processMessage(m);
  wincore::removeMessageFilter(second);
  EXPECT_EQ(log, (std::vector<std::string>{"first sees 1", "first sees 2", "second sees 2", "dispatched 2",
                                           "second sees 1", "dispatched 1"}));
}

TEST(MessageLoopTest, AModalLoopEndsOnQuitAndLeavesItForTheLoopOutside) {
  Recorder window;
  PostMessageA(window.hwnd, kPassed, 0, 0);
  PostQuitMessage(3);
  EXPECT_FALSE(wincore::runModalLoop([] { return true; }));
  EXPECT_EQ(Recorder::log(), std::vector<std::string>{"dispatched 2"});
  MSG quit;
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 3u);
}

} // namespace
