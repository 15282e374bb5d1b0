#include <calendar/dialogs/CSelectDriveDlg.h>

#include <calendar/resource.h>
#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/DialogSteps.h>
#include <calendar/tests/TestSeams.h>

namespace {

// The dialog as a user meets it: what it lists, and its buttons pressed with the mouse or the keyboard.
class CSelectDriveDlgByUser : public CalendarFixture {};

TEST_F(CSelectDriveDlgByUser, ListsTheRemovableDrivesOfTheMachine) {
  struct Case {
    const char* name;
    DWORD mask;
    DWORD removable;
    int count;
    bool okEnabled;
    INT_PTR expected;
    const char* drive;
    const char* prompt;
  } cases[] = {
      {"no removable drive: OK stays disabled and the prompt says why", 0x4 | 0x2000000, 0x3, 0, false,
       IDCANCEL, "", "No removable drive was found."},
      {"A only", 0x1 | 0x4, 0x3, 1, true, IDOK, "A:", "Enter backup floppy disk"},
      {"A and B: the first is chosen", 0x3, 0x3, 2, true, IDOK, "A:", "Enter backup floppy disk"},
      {"a memory stick at E: beside fixed C: and D:", 0x4 | 0x8 | 0x10, 0x10, 1, true, IDOK,
       "E:", "Enter backup floppy disk"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FolderDrives drives(c.mask, c.removable);
    int count = -1;
    bool okEnabled = false;
    std::string prompt;
    actByUser(answerer, "Select Drive", [&](HWND dialog) {
      HWND combo = GetDlgItem(dialog, IDC_DRIVE);
      count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
      okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0;
      char text[160] = "";
      GetDlgItemTextA(dialog, IDC_DRIVEPROMPT, text, sizeof text);
      prompt = text;
      // The user presses OK; with it disabled only Cancel is left.
      pressButton(dialog, okEnabled ? IDOK : IDCANCEL);
    });
    CSelectDriveDlg dialog;
    EXPECT_EQ(dialog.DoModal(), c.expected);
    EXPECT_EQ(count, c.count);
    EXPECT_EQ(okEnabled, c.okEnabled);
    EXPECT_EQ(dialog.m_drive, c.drive);
    EXPECT_EQ(prompt.find(c.prompt), 0u) << prompt;
  }
}

TEST_F(CSelectDriveDlgByUser, ADisabledOkCannotBeForced) {
  FolderDrives drives(0);
  bool openAfterOk = false;
  actByUser(answerer, "Select Drive", [&](HWND dialog) {
    pressButton(dialog, IDOK);
    testsupport::realinput::pressKey(VK_RETURN);
    openAfterOk = IsWindowVisible(dialog) != 0;
    pressButton(dialog, IDCANCEL);
  });
  CSelectDriveDlg dialog;
  EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  EXPECT_TRUE(openAfterOk) << "neither a click on OK nor Enter ends the dialog";
  EXPECT_EQ(dialog.m_drive, "");
}

} // namespace
