// A test program for TestDesktopTest: its one test makes a window, so that the shell of the program's
// desktop starts, tells the parent it is ready, and ends when the parent says so. The names of the two
// events come in "DESKTOP_SHELL_EVENTS".
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

TEST(DesktopShellChild, MakesAWindowAndEndsWhenTold) {
  char base[128] = "";
  ASSERT_NE(0u, GetEnvironmentVariableA("DESKTOP_SHELL_EVENTS", base, sizeof base));
  HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, (std::string(base) + "-ready").c_str());
  HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, (std::string(base) + "-go").c_str());
  ASSERT_TRUE(ready && go);
  HWND window = CreateWindowA("STATIC", "child", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  DestroyWindow(window);
  SetEvent(ready);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(go, 60000));
  CloseHandle(ready);
  CloseHandle(go);
}
