#include <appframe/CFindReplaceDialog.h>
#include <appframe/MessageLoop.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT kFindMessage = CFindReplaceDialog::FindReplaceMessage();

class Owner : public CWnd {
public:
  std::vector<std::string> requests;
  LRESULT OnFind(WPARAM, LPARAM lParam) {
    CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
    if (dialog->IsTerminating())
      requests.push_back("closing");
    else if (dialog->FindNext())
      requests.push_back("find " + std::string(dialog->GetFindString()));
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Owner, CWnd)
ON_REGISTERED_MESSAGE(kFindMessage, OnFind)
END_MESSAGE_MAP()

// The message loop's own filtering, bounded so that a test cannot wait for ever.
void runLoop() {
  MSG msg;
  for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    if (appframe::PreTranslateMessage(msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void postKey(HWND hwnd, int key) {
  PostMessageA(hwnd, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
  PostMessageA(hwnd, WM_KEYUP, static_cast<WPARAM>(key), 0xC0000001);
}

TEST(CFindReplaceDialogTest, TheLoopGivesTheModelessDialogItsKeys) {
  Owner owner;
  ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200), nullptr, 0));
  auto* dialog = new CFindReplaceDialog;
  ASSERT_TRUE(dialog->Create(true, "Election", nullptr, FR_DOWN, &owner));
  HWND hwnd = dialog->m_hWnd;
  runLoop();
  HWND edit = GetDlgItem(hwnd, edt1);
  ASSERT_NE(edit, nullptr);
  SetFocus(edit);

  // Enter in the text box presses the dialog's default button only when the loop hands the key over.
  postKey(edit, VK_RETURN);
  runLoop();
  EXPECT_EQ(owner.requests, (std::vector<std::string>{"find Election"}));

  postKey(edit, VK_ESCAPE);
  runLoop();
  EXPECT_EQ(owner.requests, (std::vector<std::string>{"find Election", "closing"}));
  EXPECT_FALSE(IsWindow(hwnd)); // and the dialog object went with its window
}

} // namespace
