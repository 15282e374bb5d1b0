#include <engine/controllers/Scramble.h>
#include <engine/controllers/tests/InstallControllerFixture.h>
#include <engine/operations/ProgramGroupsManager.h>
#include <engine/tests/InstallerFixture.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RealInput.h>

#include <gtest/gtest.h>

#include <cstring>
#include <dlgs.h>

using testsupport::ModalAnswerer;

namespace {

namespace realinput = testsupport::realinput;

// The prompt and the user information dialog as a user meets them: real clicks and keys while their own
// loop runs.
struct PromptByUser : ControllerFixture {};
struct UserInformationByUser : ControllerFixture {};

// Types `text` into the prompt and clicks `button`, once the dialog's loop runs.
ModalAnswerer::Action Type(std::string text, int button) {
  return [text, button](HWND dialog) {
    testsupport::runLater([=] {
      realinput::typeOver(GetDlgItem(dialog, IDC_PROMPT_ANSWER), text);
      realinput::clickControl(GetDlgItem(dialog, button));
    });
  };
}

} // namespace

TEST_F(PromptByUser, ThePromptAnswersWhatWasTypedAndAFolderAsAFullPath) {
  ASSERT_EQ(1, controller.loadlanguage());
  std::string full = dir.file("Target");
  struct Row {
    const char* name;
    int kind;
    std::string typed;
    bool question;
    std::string answer;
  } rows[] = {
      {"plain text is kept as typed", 0, "  any text ", false, "  any text "},
      {"a full folder with a trailing backslash", 1, full + "\\", false, full + "\\"},
      {"a relative folder is completed after a question", 1, "Target", true, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    SetCurrentDirectoryA(dir.path().c_str());
    ModalAnswerer answerer;
    answerer.act("Pick A Place", Type(row.typed, IDOK));
    if (row.question)
      answerer.answer("is the full form of", IDYES);
    int values[4] = {row.kind, 0, 0, 0};
    const char* texts[4] = {"initial", "Where to?", "Pick A Place", ""};
    char answer[256] = "";
    EXPECT_EQ(1, controller.promptstring(values, texts, answer));
    EXPECT_EQ(row.question ? full : row.answer, answer);
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  }
}

TEST_F(PromptByUser, ThePromptStaysOpenOnAnOverLongFolderAndOnCancelUntilTheAbortIsConfirmed) {
  ASSERT_EQ(1, controller.loadlanguage());
  ASSERT_EQ(1, controller.openworkinglog());
  std::string created = dir.file("made\\here");
  ModalAnswerer answerer;
  // An over-long folder is refused; the user then types a short one into the dialog still open.
  std::string tooLong = dir.path() + "\\" + std::string(150, 'x');
  answerer
      .act("Pick A Place",
           [&](HWND dialog) {
             testsupport::runLater([&, dialog] {
               realinput::typeOver(GetDlgItem(dialog, IDC_PROMPT_ANSWER), tooLong);
               realinput::clickControl(GetDlgItem(dialog, IDOK));
               realinput::typeOver(GetDlgItem(dialog, IDC_PROMPT_ANSWER), created);
               realinput::clickControl(GetDlgItem(dialog, IDOK));
             });
           })
      .answer("too long", IDOK);
  int values[4] = {1, 0, 0, 1};
  const char* texts[4] = {"", "Where to?", "Pick A Place", ""};
  char answer[256] = "";
  EXPECT_EQ(1, controller.promptstring(values, texts, answer));
  EXPECT_EQ(created, answer);
  EXPECT_TRUE(GetFileAttributesA(created.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();

  // Cancel asks the abort question: No shows the dialog again, Yes ends the prompt.
  answerer.act("Pick A Place", Type("first", IDCANCEL))
      .answer("Are you sure", IDNO)
      .act("Pick A Place", Type("second", IDCANCEL))
      .answer("Are you sure", IDYES);
  EXPECT_EQ(0, controller.promptstring(values, texts, answer));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  controller.closeworkinglog();
}

// Kind 2 offers the program groups in a drop-down list in place of the answer field; kind 1 browses for
// the folder through the file dialog.
TEST_F(ControllerFixture, ThePromptOffersTheProgramGroupsOrBrowsesForAFolder) {
  ASSERT_EQ(1, controller.loadlanguage());
  std::string programs = dir.file("programs");
  for (const std::string& folder : {programs, programs + "\\Games", programs + "\\Tools"})
    CreateDirectoryA(folder.c_str(), nullptr);
  UseShellFolderGroups(programs);

  std::string fieldClass;
  std::vector<std::string> offered;
  bool browseShown = true;
  ModalAnswerer answerer;
  answerer.act("Pick A Group", [&](HWND dialog) {
    HWND field = GetDlgItem(dialog, IDC_PROMPT_ANSWER);
    char text[64];
    GetClassNameA(field, text, sizeof text);
    fieldClass = text;
    for (LRESULT i = 0; i < SendMessageA(field, CB_GETCOUNT, 0, 0); ++i) {
      SendMessageA(field, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      offered.push_back(text);
    }
    browseShown = GetWindowLongPtrA(GetDlgItem(dialog, IDC_PROMPT_BROWSE), GWL_STYLE) & WS_VISIBLE;
    SendMessageA(field, CB_SETCURSEL, 1, 0);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  int groupKind[4] = {2, 0, 0, 0};
  const char* texts[4] = {"Games", "Which group?", "Pick A Group", ""};
  char answer[256] = "";
  EXPECT_EQ(1, controller.promptstring(groupKind, texts, answer));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_EQ("ComboBox", fieldClass);
  EXPECT_EQ((std::vector<std::string>{"Games", "Tools"}), offered);
  EXPECT_FALSE(browseShown);
  EXPECT_STREQ("Tools", answer);
  ProgramGroupsManager::instance().setenvironment(ProgramGroupsManager::SystemEnvironment());

  std::string chosen = dir.file("Chosen");
  answerer.act("Pick A Place", [&](HWND dialog) {
    browseShown = GetWindowLongPtrA(GetDlgItem(dialog, IDC_PROMPT_BROWSE), GWL_STYLE) & WS_VISIBLE;
    PostMessageA(dialog, WM_COMMAND, IDC_PROMPT_BROWSE, 0);
  });
  answerer.act("Open", [&](HWND dialog) {
    testsupport::runLater([dialog, chosen] {
      // The name field is an edit in the classic dialog and a combo box in the newer one.
      SetDlgItemTextA(dialog, edt1, chosen.c_str());
      SetDlgItemTextA(dialog, cmb13, chosen.c_str());
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      PostMessageA(GetWindow(dialog, GW_OWNER), WM_COMMAND, IDOK, 0);
    });
  });
  int folderKind[4] = {1, 0, 0, 0};
  texts[2] = "Pick A Place";
  EXPECT_EQ(1, controller.promptstring(folderKind, texts, answer));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_TRUE(browseShown);
  EXPECT_EQ(chosen, answer);
}

namespace {

// Fills both user information fields and clicks `button`, once the dialog's loop runs.
ModalAnswerer::Action FillUser(std::string name, std::string company, int button) {
  return [name, company, button](HWND dialog) {
    testsupport::runLater([=] {
      realinput::typeOver(GetDlgItem(dialog, IDC_ASKUI_NAME), name);
      realinput::typeOver(GetDlgItem(dialog, IDC_ASKUI_COMPANY), company);
      realinput::clickControl(GetDlgItem(dialog, button));
    });
  };
}

struct UserVariables {
  char values[4][256] = {"Old Name", "Old Company", "", ""};
  char* const pointers[6] = {values[0], values[1], values[2], values[3], nullptr, nullptr};
};

std::string Unscrambled(const char* text) {
  std::string plain;
  return UnscrambleString(text, plain) ? plain : "(not scrambled)";
}

} // namespace

TEST_F(UserInformationByUser, UserInformationIsCheckedAndHandedBackWithScrambledCopies) {
  ASSERT_EQ(1, controller.loadlanguage());
  UserVariables user;
  ModalAnswerer answerer;
  // A name of three characters is refused and the dialog stays open for a valid one.
  answerer
      .act("User Information",
           [&](HWND dialog) {
             testsupport::runLater([&, dialog] {
               realinput::typeOver(GetDlgItem(dialog, IDC_ASKUI_NAME), "Ann");
               realinput::typeOver(GetDlgItem(dialog, IDC_ASKUI_COMPANY), "Example Ltd");
               realinput::clickControl(GetDlgItem(dialog, IDOK));
               realinput::typeOver(GetDlgItem(dialog, IDC_ASKUI_NAME), "Ann Example");
               realinput::clickControl(GetDlgItem(dialog, IDOK));
             });
           })
      .answer("4 to 20 characters", IDOK);
  ASSERT_EQ(1, controller.userinfo(0, 0, user.pointers));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_STREQ("Ann Example", user.values[0]);
  EXPECT_STREQ("Example Ltd", user.values[1]);
  EXPECT_EQ("Ann Example", Unscrambled(user.values[2]));
  EXPECT_EQ("Example Ltd", Unscrambled(user.values[3]));

  // The name has the focus from the start: an empty one is refused even when OK is pressed at once.
  user.values[0][0] = '\0';
  answerer.act("User Information", [&](HWND dialog) {
    testsupport::runLater([&, dialog] {
      realinput::clickControl(GetDlgItem(dialog, IDOK));
      realinput::clickControl(GetDlgItem(dialog, IDCANCEL));
    });
  });
  answerer.answer("4 to 20 characters", IDOK).answer("abort the installation", IDYES);
  EXPECT_EQ(0, controller.userinfo(0, 0, user.pointers));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  std::strcpy(user.values[0], "Ann Example");

  // The field takes no more typing than it holds, and the longest company still scrambles whole.
  answerer.act("User Information", [](HWND dialog) {
    testsupport::runLater([dialog] {
      realinput::typeOver(GetDlgItem(dialog, IDC_ASKUI_COMPANY), std::string(200, 'c'));
      realinput::clickControl(GetDlgItem(dialog, IDOK));
    });
  });
  ASSERT_EQ(1, controller.userinfo(0, 0, user.pointers));
  EXPECT_EQ(std::string(79, 'c'), user.values[1]);
  EXPECT_EQ(std::string(79, 'c'), Unscrambled(user.values[3]));
}

TEST_F(UserInformationByUser, ReadOnlyUserInformationIsShownAndCancelAsksTheAbortQuestion) {
  ASSERT_EQ(1, controller.loadlanguage());
  UserVariables user;
  ModalAnswerer answerer;
  LONG_PTR nameStyle = 0;
  char shown[128] = "";
  answerer.act("User Information", [&](HWND dialog) {
    GetDlgItemTextA(dialog, IDC_ASKUI_TEXT, shown, sizeof shown);
    nameStyle = GetWindowLongPtrA(GetDlgItem(dialog, IDC_ASKUI_NAME), GWL_STYLE);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_EQ(1, controller.userinfo(1, 0, user.pointers));
  EXPECT_STREQ("This copy is registered to:", shown);
  EXPECT_TRUE(nameStyle & ES_READONLY);
  EXPECT_STREQ("Old Name", user.values[0]);
  EXPECT_EQ("Old Company", Unscrambled(user.values[3]));

  answerer.act("User Information", FillUser("Ann Example", "", IDCANCEL))
      .answer("Are you sure", IDNO)
      .act("User Information", FillUser("Ann Example", "", IDCANCEL))
      .answer("Are you sure", IDYES);
  EXPECT_EQ(0, controller.userinfo(0, 0, user.pointers));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_STREQ("Old Name", user.values[0]);

  // A name shown read-only is never checked: the user could not mend it.
  std::strcpy(user.values[0], "Al");
  answerer.act("User Information", [](HWND dialog) {
    testsupport::runLater([dialog] {
      realinput::clickControl(GetDlgItem(dialog, IDC_ASKUI_NAME));
      realinput::clickControl(GetDlgItem(dialog, IDOK));
    });
  });
  EXPECT_EQ(1, controller.userinfo(1, 0, user.pointers));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_STREQ("Al", user.values[0]);
}
