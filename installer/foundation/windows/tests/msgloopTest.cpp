#include <foundation/windows/msgloop.h>
#include <foundation/windows/wndstack.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tests/support/MessagePump.h>

#include <vector>

using testing::ElementsAre;

namespace {

constexpr UINT HookedMessage = WM_USER + 5;

class TakingHook : public msghook {
public:
  int handle(MSG& message) override {
    if (message.message != HookedMessage)
      return 0;
    ++taken;
    return 1;
  }
  int taken = 0;
};

int okPressed = 0;

INT_PTR CALLBACK loopDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
    ++okPressed;
  return message == WM_INITDIALOG;
}

// A modeless dialog with an edit and a default OK button; Return in the edit presses OK only when the
// loop hands the dialog its keys.
class LoopDialog {
public:
  LoopDialog() {
    dialog = CreateDialogParamA(GetModuleHandleA(nullptr), "TESTLOOPDLG", nullptr, loopDialogProc, 0);
    okPressed = 0;
  }
  ~LoopDialog() {
    MessageLoop().removedialog(dialog);
    DestroyWindow(dialog);
  }
  void pressReturn() {
    HWND edit = GetDlgItem(dialog, 100);
    PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    MessageLoop().pump(1);
  }
  HWND dialog;
};

} // namespace

TEST(MsgloopTest, RegisteredDialogsGetTheirKeys) {
  LoopDialog loop;
  ASSERT_NE(nullptr, loop.dialog);
  loop.pressReturn();
  EXPECT_EQ(0, okPressed);
  ASSERT_EQ(1, MessageLoop().adddialog(loop.dialog));
  loop.pressReturn();
  EXPECT_EQ(1, okPressed);
}

TEST(MsgloopTest, HookSeesMessagesFirst) {
  LoopDialog loop;
  MessageLoop().adddialog(loop.dialog);
  TakingHook hook;
  MessageLoop().sethook(&hook);
  PostMessageA(GetDlgItem(loop.dialog, 100), HookedMessage, 0, 0);
  loop.pressReturn();
  MessageLoop().sethook(nullptr);
  EXPECT_EQ(1, hook.taken);
  EXPECT_EQ(1, okPressed);
}

TEST(MsgloopTest, HoldsTwentyDialogsInOrder) {
  msgloop loop;
  for (int i = 1; i <= MaxLoopDialogs; ++i)
    EXPECT_EQ(1, loop.adddialog(reinterpret_cast<HWND>(static_cast<INT_PTR>(i))));
  EXPECT_EQ(0, loop.adddialog(reinterpret_cast<HWND>(static_cast<INT_PTR>(21))));
  EXPECT_EQ(MaxLoopDialogs, loop.dialogcount());
  loop.removedialog(reinterpret_cast<HWND>(static_cast<INT_PTR>(99)));
  EXPECT_EQ(MaxLoopDialogs, loop.dialogcount());
  loop.removedialog(reinterpret_cast<HWND>(static_cast<INT_PTR>(3)));
  EXPECT_EQ(MaxLoopDialogs - 1, loop.dialogcount());
  EXPECT_EQ(1, loop.adddialog(reinterpret_cast<HWND>(static_cast<INT_PTR>(21))));
}

TEST(MsgloopTest, PumpLeavesQuitForTheOwningLoop) {
  testsupport::pumpMessages();
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
  PostQuitMessage(7);
  PostMessageA(window, WM_NULL, 0, 0);
  EXPECT_EQ(1, MessageLoop().pump(1));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  while (message.message != WM_QUIT && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  EXPECT_EQ(static_cast<UINT>(WM_QUIT), message.message);
  EXPECT_EQ(7u, message.wParam);
  DestroyWindow(window);
}

// A quit wakes every sleep at once while it is pending, so a wait that met one must end, not sleep.
TEST(MsgloopTest, AWaitEndsAtAQuitAndLeavesItForTheOwningLoop) {
  testsupport::pumpMessages();
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
  EXPECT_EQ(1, MessageLoop().wait(0));
  MSG message;
  EXPECT_FALSE(PeekMessageA(&message, window, 0, 0, PM_NOREMOVE)) << "the waiting message was not handled";
  PostQuitMessage(5);
  EXPECT_EQ(0, MessageLoop().wait(600000));
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was lost";
  EXPECT_EQ(5u, message.wParam);
  DestroyWindow(window);
}

TEST(MsgloopTest, PumpWithoutAllHandlesOneMessage) {
  testsupport::pumpMessages();
  EXPECT_EQ(0, MessageLoop().pump(1));
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PostMessageA(window, WM_NULL, 0, 0);
  PostMessageA(window, WM_NULL, 0, 0);
  EXPECT_EQ(1, MessageLoop().pump(0));
  MSG message;
  EXPECT_TRUE(PeekMessageA(&message, window, 0, 0, PM_REMOVE));
  DestroyWindow(window);
}

TEST(WndstackTest, PushesPastTwentyAreCountedAndPoppedFirst) {
  wndstack stack;
  EXPECT_EQ(nullptr, stack.top());
  stack.pop();
  EXPECT_EQ(0, stack.count());
  auto window = [](int i) { return reinterpret_cast<HWND>(static_cast<INT_PTR>(i)); };
  for (int i = 1; i <= 22; ++i)
    stack.push(window(i));
  EXPECT_EQ(window(20), stack.top());
  std::vector<INT_PTR> tops;
  for (int i = 0; i < 4; ++i) {
    stack.pop();
    tops.push_back(reinterpret_cast<INT_PTR>(stack.top()));
  }
  EXPECT_THAT(tops, ElementsAre(20, 20, 19, 18));
}
