#include <engine/operations/TickTimer.h>

#include <gtest/gtest.h>

namespace {

// A span far longer than the test's time-out: only the quit can end the wait in time.
TEST(TickTimerTest, AQuitEndsTheWaitAndStaysForTheOwningLoop) {
  PostQuitMessage(3);
  TickTimerWait(StartTickTimer(600000));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was lost";
  EXPECT_EQ(3u, message.wParam);
}

} // namespace
