#include <appframe/CBitmapButton.h>
#include <appframe/CComboBox.h>
#include <appframe/CDataExchange.h>
#include <appframe/CDialog.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/WindowText.h>

#include <gtest/gtest.h>

using testsupport::itemText;

namespace {

// Every kind of exchange on one template.
class ExchangeDialog : public CDialog {
public:
  ExchangeDialog() : CDialog(200) {}
  bool OnInitDialog() override {
    CComboBox list, edit;
    list.SubclassDlgItem(207, this);
    edit.SubclassDlgItem(208, this);
    for (const char* item : {"red", "green", "blue"}) {
      list.AddString(item);
      edit.AddString(item);
    }
    list.UnsubclassWindow();
    edit.UnsubclassWindow();
    return CDialog::OnInitDialog();
  }
  void DoDataExchange(CDataExchange* dx) override {
    DDX_Text(dx, 201, text);
    DDV_MaxChars(dx, text, 5);
    DDX_Text(dx, 202, number);
    DDV_MinMaxInt(dx, number, 1, 10);
    DDX_Check(dx, 203, check);
    DDX_Radio(dx, 204, radio);
    DDX_CBIndex(dx, 207, index);
    DDX_CBString(dx, 208, colour);
  }
  void PostNcDestroy() override {
    CDialog::PostNcDestroy();
    if (deleted)
      *deleted = true;
  }

  CString text = "abc";
  int number = 3;
  int check = 1;
  int radio = 2;
  int index = 1;
  CString colour = "blue";
  bool* deleted = nullptr;
};

TEST(CDialogTest, DataExchangeFillsTheControlsAndReadsThemBack) {
  ExchangeDialog dialog;
  ASSERT_TRUE(dialog.Create());
  HWND hwnd = dialog.m_hWnd;
  EXPECT_EQ(itemText(hwnd, 201), "abc");
  EXPECT_EQ(itemText(hwnd, 202), "3");
  EXPECT_EQ(IsDlgButtonChecked(hwnd, 203), BST_CHECKED);
  EXPECT_EQ(IsDlgButtonChecked(hwnd, 206), BST_CHECKED);
  EXPECT_EQ(SendDlgItemMessageA(hwnd, 207, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(SendDlgItemMessageA(hwnd, 208, CB_GETCURSEL, 0, 0), 2);

  SetDlgItemTextA(hwnd, 201, "hello");
  SetDlgItemTextA(hwnd, 202, " 10 ");
  CheckDlgButton(hwnd, 203, BST_UNCHECKED);
  CheckRadioButton(hwnd, 204, 206, 204);
  SendDlgItemMessageA(hwnd, 207, CB_SETCURSEL, 0, 0);
  SendDlgItemMessageA(hwnd, 208, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  SetDlgItemTextA(hwnd, 208, "mauve");
  EXPECT_TRUE(dialog.UpdateData(true));
  EXPECT_EQ(dialog.text, "hello");
  EXPECT_EQ(dialog.number, 10);
  EXPECT_EQ(dialog.check, 0);
  EXPECT_EQ(dialog.radio, 0);
  EXPECT_EQ(dialog.index, 0);
  EXPECT_EQ(dialog.colour, "mauve");
  dialog.DestroyWindow();
}

TEST(CDialogTest, ABadValueIsReportedAndItsControlTakesTheFocus) {
  struct Case {
    const char* name;
    const char* text;
    const char* number;
    const char* message;
    int focused;
  } cases[] = {
      {"letters for a number", "abc", "1x", "Please enter an integer.", 202},
      {"empty number", "abc", "", "Please enter an integer.", 202},
      {"number out of range", "abc", "11", "Please enter an integer between 1 and 10.", 202},
      {"text too long", "abcdef", "12", "Please enter no more than 5 characters.", 201},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testsupport::ModalAnswerer answerer;
    answerer.answer(c.message, IDOK);
    ExchangeDialog dialog;
    ASSERT_TRUE(dialog.Create());
    SetDlgItemTextA(dialog.m_hWnd, 201, c.text);
    SetDlgItemTextA(dialog.m_hWnd, 202, c.number);
    EXPECT_FALSE(dialog.UpdateData(true));
    EXPECT_EQ(GetFocus(), GetDlgItem(dialog.m_hWnd, c.focused));
    EXPECT_EQ(dialog.check, 1); // the fields after the bad one are left alone
    EXPECT_EQ(answerer.seen().size(), 1u) << answerer.describeSeen();
    dialog.DestroyWindow();
  }
}

TEST(CDialogTest, ModalOkSavesCancelDoesNot) {
  testsupport::ModalAnswerer answerer;
  answerer.act("Exchange", [](HWND dialog) {
    SetDlgItemTextA(dialog, 202, "7");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  ExchangeDialog ok;
  EXPECT_EQ(ok.DoModal(), IDOK);
  EXPECT_EQ(ok.number, 7);
  EXPECT_EQ(ok.m_hWnd, nullptr);

  answerer.act("Exchange", [](HWND dialog) {
    SetDlgItemTextA(dialog, 202, "8");
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ExchangeDialog cancelled;
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
  EXPECT_EQ(cancelled.number, 3);
}

TEST(CDialogTest, EachDialogKeepsTheColoursOfItsCreation) {
  CDialog::SetDialogColors(RGB(192, 192, 192), RGB(0, 0, 0));
  ExchangeDialog grey;
  ASSERT_TRUE(grey.Create());
  CDialog::SetDialogColors(RGB(0, 0, 0), RGB(255, 255, 255));
  ExchangeDialog black;
  ASSERT_TRUE(black.Create());
  CDialog::SetDialogColors(CLR_INVALID, CLR_INVALID);

  auto brushColour = [](HWND dialog, UINT message) {
    HDC dc = GetDC(dialog);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc), 0));
    LOGBRUSH info{};
    GetObjectA(brush, sizeof info, &info);
    COLORREF text = GetTextColor(dc);
    ReleaseDC(dialog, dc);
    return std::make_pair(info.lbColor, text);
  };
  EXPECT_EQ(brushColour(grey.m_hWnd, WM_CTLCOLORDLG).first, RGB(192, 192, 192));
  EXPECT_EQ(brushColour(black.m_hWnd, WM_CTLCOLORSTATIC), std::make_pair(RGB(0, 0, 0), RGB(255, 255, 255)));
  grey.DestroyWindow();
  black.DestroyWindow();
}

TEST(CDialogTest, AModelessDialogLetsGoOfItsWindowWhenClosed) {
  bool deleted = false;
  ExchangeDialog dialog;
  dialog.deleted = &deleted;
  ASSERT_TRUE(dialog.Create());
  HWND hwnd = dialog.m_hWnd;
  SendMessageA(hwnd, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_TRUE(deleted);
  EXPECT_EQ(dialog.m_hWnd, nullptr);
}

TEST(CBitmapButtonTest, LoadsItsBitmapsByCaptionAndDrawsTheOneForItsState) {
  ExchangeDialog dialog;
  ASSERT_TRUE(dialog.Create());
  CBitmapButton button;
  ASSERT_TRUE(button.AutoLoad(209, &dialog));
  RECT rect;
  GetClientRect(button.m_hWnd, &rect);
  EXPECT_EQ(rect.right, 16);
  EXPECT_EQ(rect.bottom, 16);

  testsupport::MemoryDib dib(16, 16);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.hwndItem = button.m_hWnd;
  item.hDC = dib.dc();
  item.rcItem = rect;
  button.DrawItem(&item);
  EXPECT_EQ(dib.pixel(8, 8), RGB(255, 0, 0));
  item.itemState = ODS_SELECTED;
  button.DrawItem(&item);
  EXPECT_EQ(dib.pixel(8, 8), RGB(0, 0, 255));
  item.itemState = ODS_DISABLED; // no disabled bitmap: the up one
  button.DrawItem(&item);
  EXPECT_EQ(dib.pixel(8, 8), RGB(255, 0, 0));
  dialog.DestroyWindow();
}

} // namespace
