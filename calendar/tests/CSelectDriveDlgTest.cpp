#include "CSelectDriveDlg.h"

#include "CalendarFixture.h"
#include "TestSeams.h"
#include "resource.h"

namespace {

class CSelectDriveDlgTest : public CalendarFixture {};

TEST_F(CSelectDriveDlgTest, ListsTheFloppyDrivesOfTheMask) {
  struct Case {
    const char* name;
    DWORD mask;
    int count;
    bool okEnabled;
    INT_PTR expected;
    const char* drive;
  } cases[] = {
      {"no floppy: OK stays disabled", 0x4 | 0x2000000, 0, false, IDCANCEL, ""},
      {"A only", 0x1 | 0x4, 1, true, IDOK, "A:"},
      {"A and B: the first is chosen", 0x3, 2, true, IDOK, "A:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FolderDrives drives(c.mask);
    int count = -1;
    bool okEnabled = false;
    answerer.act("Select Drive", [&](HWND dialog) {
      HWND combo = GetDlgItem(dialog, IDC_DRIVE);
      count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
      okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0;
      // A user presses OK; with it disabled only Cancel is left.
      PostMessageA(dialog, WM_COMMAND, okEnabled ? IDOK : IDCANCEL, 0);
    });
    CSelectDriveDlg dialog;
    EXPECT_EQ(dialog.DoModal(), c.expected);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(okEnabled, c.okEnabled);
    EXPECT_EQ(dialog.m_drive, c.drive);
  }
}

TEST_F(CSelectDriveDlgTest, ADisabledOkCannotBeForced) {
  FolderDrives drives(0);
  answerer.act("Select Drive", [](HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, IDOK, 0); // Enter on the dialog
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  CSelectDriveDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_EQ(dialog.m_drive, "");
}

} // namespace
