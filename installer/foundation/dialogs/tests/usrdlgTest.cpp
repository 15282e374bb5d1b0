#include <foundation/tests/bitmapbytes.h>
#include <foundation/tests/resourcelibrary.h>
#include <tests/support/TestProgram.h>

#include <foundation/dialogs/usrdlg.h>

#include <gtest/gtest.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RealInput.h>
#include <tests/support/TempDir.h>
#include <tests/support/WindowText.h>

#include <cstring>
#include <map>
#include <string>

using testsupport::ModalAnswerer;
using testsupport::TempDir;

using testsupport::windowText;

namespace {

std::map<HWND, DWORD> createdStyles;

LRESULT CALLBACK recordCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND)
    createdStyles[reinterpret_cast<HWND>(wParam)] = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs->style;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string classOf(HWND window) {
  char name[40] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

void click(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// One control of every kind in a dialog of 100 x 50 units of its frame.
class UsrdlgTest : public testing::Test {
protected:
  UsrdlgTest() {
    data.width = 100;
    data.height = 50;
    std::strcpy(data.title, "Script dialog");
    data.helpid = 33;
    int kinds[] = {UsrText, UsrPicture, UsrEdit, UsrCombo, UsrHelpButton, UsrButton, UsrFileEdit, UsrButton};
    for (int i = 0; i < 8; ++i) {
      controls[i].kind = kinds[i];
      controls[i].x = 10 * i;
      controls[i].y = 5 * i;
      controls[i].width = 40;
      controls[i].height = 10;
    }
    std::strcpy(controls[0].caption, "Label");
    std::strcpy(controls[2].text, "typed before");
    controls[3].lines.set("first\r\nsecond\r\nthird");
    controls[3].selection = &selection;
    std::strcpy(controls[5].caption, "Store");
    controls[5].endcode = 2;
    controls[6].file.set(temp.file("notes.txt").c_str());
    std::strcpy(controls[7].caption, "Leave");
    controls[7].endcode = 3;
    data.controls = controls;
    data.count = 8;
    testsupport::writeFile(temp.file("notes.txt"), "old notes");
  }

  ResourceLibrary english{"kxenu.dll"};
  TempDir temp;
  usrdlgcontrol controls[8];
  usrdlgdata data;
  int selection = 1;
};

} // namespace

TEST_F(UsrdlgTest, ControlsByKindWithClassStyleIdAndScaledRectangle) {
  ModalAnswerer answerer;
  answerer.act("Script dialog", [](HWND) {});
  createdStyles.clear();
  HHOOK hook = SetWindowsHookExA(WH_CBT, recordCreation, nullptr, GetCurrentThreadId());
  usrdlg dialog;
  ASSERT_EQ(1, dialog.domodeless(nullptr, data));
  UnhookWindowsHookEx(hook);

  RECT client;
  GetClientRect(dialog.hwnd(), &client);
  struct Row {
    const char* windowClass;
    DWORD style;
    const char* text;
  };
  const Row rows[] = {
      {"Static", 0x50000000, "Label"},      {"Button", 0x5080000B, ""},
      {"Edit", 0x508100C0, "typed before"}, {"ComboBox", 0x50A10003, "second"},
      {"Button", 0x50010000, "Help"},       {"Button", 0x50010000, "Store"},
      {"Edit", 0x50A110C4, "old notes"},    {"Button", 0x50010000, "Leave"},
  };
  // The frame was sized so that its client area is the scaled header size.
  int baseWidth = MulDiv(client.right, 200, data.width), baseHeight = MulDiv(client.bottom, 100, data.height);
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    HWND control = GetDlgItem(dialog.hwnd(), 100 + i);
    ASSERT_NE(nullptr, control);
    EXPECT_EQ(rows[i].windowClass, classOf(control));
    EXPECT_EQ(rows[i].style, createdStyles[control]);
    EXPECT_EQ(rows[i].text, windowText(control));
    RECT rect;
    hwndref(control).getrect(rect);
    EXPECT_NEAR(MulDiv(baseWidth, 10 * i, 200), rect.left, 2);
    EXPECT_NEAR(MulDiv(baseHeight, 5 * i, 100), rect.top, 2);
    if (i != 3) {
      EXPECT_NEAR(MulDiv(baseWidth, 40, 200), rect.right - rect.left, 2);
    }
  }
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog.hwnd(), 101))) << "a picture takes no input";
  EXPECT_EQ(33, SendMessageA(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(1234, 0), 0));
  HMENU system = GetSystemMenu(dialog.hwnd(), FALSE);
  EXPECT_EQ(static_cast<UINT>(-1), GetMenuState(system, SC_CLOSE, MF_BYCOMMAND));
  dialog.destroy();
}

TEST_F(UsrdlgTest, EvenEndCodeStoresTheInput) {
  ModalAnswerer answerer;
  answerer.act("Script dialog", [](HWND window) {
    SetDlgItemTextA(window, 102, "typed now");
    SendDlgItemMessageA(window, 103, CB_SETCURSEL, 2, 0);
    SendDlgItemMessageA(window, 106, EM_SETSEL, 0, -1);
    SendDlgItemMessageA(window, 106, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("new notes"));
    click(window, 105);
  });
  usrdlg dialog;
  EXPECT_EQ(2, dialog.domodal(nullptr, data));
  EXPECT_STREQ("typed now", controls[2].text);
  EXPECT_EQ(2, selection);
  EXPECT_EQ("new notes", testsupport::readFile(temp.file("notes.txt")));
}

TEST_F(UsrdlgTest, OddEndCodeLeavesTheInput) {
  ModalAnswerer answerer;
  answerer.act("Script dialog", [](HWND window) {
    SetDlgItemTextA(window, 102, "typed now");
    SendDlgItemMessageA(window, 103, CB_SETCURSEL, 2, 0);
    SetDlgItemTextA(window, 106, "new notes");
    click(window, 107);
  });
  usrdlg dialog;
  EXPECT_EQ(3, dialog.domodal(nullptr, data));
  EXPECT_STREQ("typed before", controls[2].text);
  EXPECT_EQ(1, selection);
  EXPECT_EQ("old notes", testsupport::readFile(temp.file("notes.txt")));
}

TEST_F(UsrdlgTest, WithoutTitleTheFrameHasNoCaption) {
  data.title[0] = 0;
  data.count = 1;
  ModalAnswerer answerer;
  DWORD style = 0;
  answerer.act("Label", [&](HWND window) {
    style = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_STYLE));
    EndDialog(window, 5);
  });
  usrdlg dialog;
  EXPECT_EQ(5, dialog.domodal(nullptr, data));
  EXPECT_NE(static_cast<DWORD>(WS_CAPTION), style & WS_CAPTION);
}

TEST_F(UsrdlgTest, APictureIsItsFileInTheEnginesFolderStretchedOverTheItem) {
  // Red on the left, blue on the right.
  BitmapSpec spec;
  spec.width = 2;
  spec.height = 1;
  spec.bits = 24;
  spec.pixels = {RGB(255, 0, 0), RGB(0, 0, 255)};
  std::string file = testsupport::testProgramFolder() + "usrpict.bmp";
  ASSERT_TRUE(testsupport::writeFile(file, bitmapFileBytes(spec)));
  controls[1].picture.path.set("c:\\elsewhere\\usrpict.bmp");
  usrdlg dialog;
  ASSERT_EQ(1, dialog.domodeless(nullptr, data));
  testsupport::MemoryDib picture(40, 10, RGB(1, 2, 3));
  DRAWITEMSTRUCT item = {};
  item.CtlType = ODT_BUTTON;
  item.CtlID = 101;
  item.hwndItem = GetDlgItem(dialog.hwnd(), 101);
  item.hDC = picture.dc();
  item.rcItem = RECT{0, 0, 40, 10};
  SendMessageA(dialog.hwnd(), WM_DRAWITEM, 101, reinterpret_cast<LPARAM>(&item));
  dialog.destroy();
  DeleteFileA(file.c_str());
  EXPECT_EQ(20 * 10, picture.count(RGB(255, 0, 0), RECT{0, 0, 20, 10}));
  EXPECT_EQ(20 * 10, picture.count(RGB(0, 0, 255), RECT{20, 0, 40, 10}));
}

// The dialog on the screen, typed into the way a user types.
class UsrdlgByUser : public UsrdlgTest {};

TEST_F(UsrdlgByUser, AnEditTakesNoMoreThanTheRecordKeeps) {
  // The edit and the storing button on a line of their own, clear of the other controls.
  data.count = 6;
  controls[2].text[0] = 0;
  controls[2].x = 0;
  controls[2].y = 40;
  controls[2].width = 60;
  controls[2].height = 8;
  controls[5].x = 70;
  controls[5].width = 25;
  controls[5].y = 40;
  controls[5].height = 8;
  usrdlg dialog;
  ASSERT_EQ(1, dialog.domodeless(nullptr, data));
  HWND edit = GetDlgItem(dialog.hwnd(), 102);
  testsupport::realinput::clickControl(edit);
  testsupport::realinput::typeText(std::string(300, 'x'));
  std::string shown = windowText(edit);
  EXPECT_EQ(254u, shown.size()) << "the edit stops where the record ends";
  testsupport::realinput::clickControl(GetDlgItem(dialog.hwnd(), 105));
  EXPECT_EQ(2, dialog.result());
  EXPECT_EQ(shown, controls[2].text) << "what was shown is what is kept";
  dialog.destroy();
}
