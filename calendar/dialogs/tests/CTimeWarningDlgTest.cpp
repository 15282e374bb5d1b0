#include <calendar/dialogs/CTimeWarningDlg.h>

#include <calendar/resource.h>
#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/DialogSteps.h>

#include <functional>

namespace {

// The dialog as a user meets it: its box ticked with the mouse, its buttons pressed or Escape typed.
class CTimeWarningDlgByUser : public CalendarFixture {};

struct Seen {
  bool noShown = true;
  std::string yesText, checkText;
  int checked = -1;
  bool helpShown = true;
};

// Reads the dialog as it opens, then ticks or clears the box and presses the button (0: Escape).
std::function<void(HWND)> look(Seen& seen, bool check, int button) {
  return [&seen, check, button](HWND dialog) {
    char text[128];
    GetDlgItemTextA(dialog, IDYES, text, sizeof text);
    seen.yesText = text;
    GetDlgItemTextA(dialog, IDC_WARNCHECK, text, sizeof text);
    seen.checkText = text;
    auto shown = [dialog](int id) {
      return (GetWindowLongPtrA(GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0;
    };
    seen.noShown = shown(IDNO);
    seen.helpShown = shown(IDC_HELPBUTTON);
    seen.checked = IsDlgButtonChecked(dialog, IDC_WARNCHECK);
    if ((seen.checked == BST_CHECKED) != check)
      pressButton(dialog, IDC_WARNCHECK);
    if (button)
      pressButton(dialog, button);
    else
      testsupport::realinput::pressKey(VK_ESCAPE);
  };
}

TEST_F(CTimeWarningDlgByUser, QuestionAndNoticeModesWithTheirCheckBox) {
  struct Case {
    const char* name;
    bool question;
    int initialCheck;
    bool userChecks;
    int button;
    INT_PTR expected;
    const char* yesText;
  } cases[] = {
      {"notice", false, 0, true, IDYES, IDOK, "OK"},
      {"question answered Yes with the box set", true, 1, true, IDYES, IDYES, "Yes"},
      {"question answered No with the box cleared", true, 1, false, IDNO, IDNO, "Yes"},
      {"question closed with Escape is No", true, 0, false, 0, IDNO, "Yes"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Seen seen;
    actByUser(answerer, "Think twice", look(seen, c.userChecks, c.button));
    CTimeWarningDlg dialog;
    dialog.m_message = "Think twice";
    dialog.m_caption = "Careful";
    dialog.m_check = c.initialCheck;
    dialog.m_questionMode = c.question;
    EXPECT_EQ(dialog.DoModal(), c.expected);
    EXPECT_EQ(dialog.m_check, c.userChecks ? 1 : 0);
    EXPECT_EQ(seen.checked, c.initialCheck);
    EXPECT_EQ(seen.noShown, c.question);
    EXPECT_EQ(seen.yesText, c.yesText);
    EXPECT_EQ(seen.checkText, "Do not show this warning in the future");
    EXPECT_FALSE(seen.helpShown);
    ASSERT_FALSE(answerer.seen().empty());
    EXPECT_EQ(answerer.seen().back().caption, "Careful");
  }
}

} // namespace
