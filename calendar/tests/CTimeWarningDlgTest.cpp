#include "CTimeWarningDlg.h"

#include "CalendarFixture.h"
#include "resource.h"

#include <functional>

namespace {

class CTimeWarningDlgTest : public CalendarFixture {};

struct Seen {
  bool noShown = true;
  std::string yesText, checkText;
  int checked = -1;
  bool helpShown = true;
};

// Reads the dialog as it opens, then sets the box and presses the button.
testsupport::ModalAnswerer::Action look(Seen& seen, bool check, int button) {
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
    CheckDlgButton(dialog, IDC_WARNCHECK, check ? BST_CHECKED : BST_UNCHECKED);
    PostMessageA(dialog, WM_COMMAND, button, 0);
  };
}

TEST_F(CTimeWarningDlgTest, QuestionAndNoticeModesWithTheirCheckBox) {
  struct Case {
    const char* name;
    bool question;
    int initialCheck;
    bool userChecks;
    int button;
    INT_PTR expected;
    const char* yesText;
  } cases[] = {
      {"question answered Yes with the box set", true, 1, true, IDYES, IDYES, "Yes"},
      {"question answered No with the box cleared", true, 1, false, IDNO, IDNO, "Yes"},
      {"question closed with Escape is No", true, 0, false, IDCANCEL, IDNO, "Yes"},
      {"notice", false, 0, true, IDYES, IDOK, "OK"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Seen seen;
    answerer.act("Think twice", look(seen, c.userChecks, c.button));
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
