#include <appframe/CDataExchange.h>
#include <appframe/CPropertySheet.h>

#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>

namespace {

// A page with a number 1..10 (the first template) or a check box (the second), that writes down what
// the sheet told it.
class TestPage : public CPropertyPage {
public:
  explicit TestPage(UINT templateId) : CPropertyPage(templateId, 7) {}
  void DoDataExchange(CDataExchange* dx) override {
    if (GetDlgItem(401)) {
      DDX_Text(dx, 401, number);
      DDV_MinMaxInt(dx, number, 1, 10);
    }
    if (GetDlgItem(411))
      DDX_Check(dx, 411, check);
  }
  void OnOK() override { log.push_back("ok"); }
  void OnCancel() override { log.push_back("cancel"); }

  int number = 5;
  int check = 0;
  std::vector<std::string> log;
};

struct CPropertySheetTest : ::testing::Test {
  testsupport::ModalAnswerer answerer;
  TestPage first{400};
  TestPage second{410};

  INT_PTR run(std::function<void(HWND)> steps) {
    CPropertySheet sheet("Sheet");
    sheet.AddPage(&first);
    sheet.AddPage(&second);
    answerer.act("Sheet", steps);
    return sheet.DoModal();
  }
};

TEST_F(CPropertySheetTest, OkChecksTheOpenPageAndTellsTheOpenedOnes) {
  EXPECT_EQ(run([](HWND sheet) {
              HWND page = PropSheet_GetCurrentPageHwnd(sheet);
              SetDlgItemTextA(page, 401, "8");
              PropSheet_PressButton(sheet, PSBTN_OK);
            }),
            IDOK);
  EXPECT_EQ(first.number, 8);
  EXPECT_EQ(first.log, (std::vector<std::string>{"ok"}));
  EXPECT_TRUE(second.log.empty()); // never opened
  EXPECT_FALSE(first.HasWindow());
}

TEST_F(CPropertySheetTest, ABadValueKeepsTheUserOnThePage) {
  int shownAfterRefusal = -1;
  answerer.answer("1 and 10", IDOK);
  EXPECT_EQ(run([&](HWND sheet) {
              SetDlgItemTextA(PropSheet_GetCurrentPageHwnd(sheet), 401, "11");
              PropSheet_SetCurSel(sheet, nullptr, 1);
              shownAfterRefusal = PropSheet_HwndToIndex(sheet, PropSheet_GetCurrentPageHwnd(sheet));
              PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0);
            }),
            IDCANCEL);
  EXPECT_EQ(shownAfterRefusal, 0);
  EXPECT_EQ(first.log, (std::vector<std::string>{"cancel"}));
}

} // namespace
