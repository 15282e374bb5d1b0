#include <engine/dialogs/ControllerDialog.h>
#include <engine/dialogs/OverwriteDialog.h>
#include <engine/dialogs/PromptDialog.h>
#include <engine/dialogs/StartupMergeDialog.h>
#include <engine/dialogs/UserInfoDialog.h>
#include <engine/script/LanguageSet.h>
#include <engine/tests/InstallerFixture.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RealInput.h>

#include <gtest/gtest.h>

#include <foundation/windows/helpfile.h>
#include <foundation/windows/wndstack.h>
#include <kxlang/kxlangids.h>

#include <functional>

using testsupport::ModalAnswerer;
namespace realinput = testsupport::realinput;

namespace {

// What a controller dialog showed while it was up.
struct Seen {
  HWND dialog = nullptr;
  HWND stackTop = nullptr;
  LRESULT helpContext = -1;
  HICON icon = nullptr;
  int defaultId = 0;
  bool openAfterHelp = false;
};

struct ControllerDialogTest : ::testing::Test {
  LanguageLibrary library;
  HICON icon = LoadIconA(nullptr, IDI_WINLOGO);

  void SetUp() override {
    ASSERT_EQ(1, LoadEnglishLibrary(library));
    ControllerIcon() = icon;
  }
  void TearDown() override { ControllerIcon() = nullptr; }
};

} // namespace

// Each dialog is on the window stack while it is up, answers its help context, shows the run's icon and
// has OK as its default; its help button shows help (here the "no help" box, as no help file is
// bound) and leaves the dialog open, and so does F1.
TEST_F(ControllerDialogTest, EveryDialogSharesTheStackHelpIconAndDefaultButton) {
  PromptRequest prompt;
  prompt.title = "Pick A Place";
  prompt.helpcontext = 42;
  UserInfoRequest user;
  std::string merged = "merged";
  fpathbuf existing;
  existing.set("c:\\old.dll");
  struct Row {
    const char* caption;
    int helpButton;
    LRESULT helpContext;
    int cancelled;
    std::function<int()> run;
  } rows[] = {
      {"Pick A Place", IDC_PROMPT_HELP, 42, 2, [&] { return RunPromptDialog(prompt, nullptr); }},
      {"User Information", IDC_ASKUI_HELP, 0, 2, [&] { return RunUserInfoDialog(user); }},
      {"Start-up File Changes", IDC_DOSINFORM_HELP, 0, 2,
       [&] { return RunStartupMergeDialog("current", merged, "backup"); }},
      {"Replace File", IDC_AOW_HELP, 0, 1,
       [&] {
         OverwriteQuestion question;
         return question.ask(cpathref("c:\\new.dll"), versionrecord(), existing, versionrecord());
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    int stacked = WindowStack().count();
    Seen seen;
    int helpBoxes = 0;
    ModalAnswerer answerer;
    answerer.act(row.caption, [&](HWND dialog) {
      seen.dialog = dialog;
      seen.stackTop = WindowStack().top();
      seen.helpContext = SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(HelpIdCommand, 0), 0);
      seen.icon = reinterpret_cast<HICON>(SendMessageA(dialog, WM_GETICON, ICON_BIG, 0));
      seen.defaultId = LOWORD(SendMessageA(dialog, DM_GETDEFID, 0, 0));
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(row.helpButton, BN_CLICKED), 0);
    });
    auto pressF1 = [&] {
      HWND focus = GetDlgItem(seen.dialog, IDOK);
      PostMessageA(focus, WM_KEYDOWN, VK_F1, 1);
      PostMessageA(focus, WM_KEYUP, VK_F1, static_cast<LPARAM>(0xC0000001u));
    };
    answerer
        .act("No help is available",
             [&](HWND box) {
               seen.openAfterHelp = IsWindow(seen.dialog);
               PostMessageA(box, WM_COMMAND, IDOK, 0);
               pressF1();
               ++helpBoxes;
             })
        .act("No help is available", [&](HWND box) {
          PostMessageA(box, WM_COMMAND, IDOK, 0);
          PostMessageA(seen.dialog, WM_COMMAND, IDCANCEL, 0);
          ++helpBoxes;
        });
    EXPECT_EQ(row.cancelled, row.run());
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    EXPECT_EQ(2, helpBoxes);
    EXPECT_EQ(seen.dialog, seen.stackTop);
    EXPECT_EQ(stacked, WindowStack().count());
    EXPECT_EQ(row.helpContext, seen.helpContext);
    EXPECT_EQ(icon, seen.icon);
    EXPECT_EQ(IDOK, seen.defaultId);
    EXPECT_TRUE(seen.openAfterHelp);
  }
}

namespace {

struct ControllerDialogByUser : ControllerDialogTest {};

} // namespace

// The same dialogs as a user meets them: a click on the help button and F1 each show the "no help" box
// and leave the dialog open, and a click on Cancel ends it with its cancel answer.
TEST_F(ControllerDialogByUser, HelpByClickAndF1ThenCancelByClick) {
  PromptRequest prompt;
  prompt.title = "Pick A Place";
  UserInfoRequest user;
  std::string merged = "merged";
  fpathbuf existing;
  existing.set("c:\\old.dll");
  struct Row {
    const char* caption;
    int helpButton;
    int cancelled;
    std::function<int()> run;
  } rows[] = {
      {"Pick A Place", IDC_PROMPT_HELP, 2, [&] { return RunPromptDialog(prompt, nullptr); }},
      {"User Information", IDC_ASKUI_HELP, 2, [&] { return RunUserInfoDialog(user); }},
      {"Start-up File Changes", IDC_DOSINFORM_HELP, 2,
       [&] { return RunStartupMergeDialog("current", merged, "backup"); }},
      {"Replace File", IDC_AOW_HELP, 1,
       [&] {
         OverwriteQuestion question;
         return question.ask(cpathref("c:\\new.dll"), versionrecord(), existing, versionrecord());
       }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.caption);
    bool openAfterHelp = false;
    ModalAnswerer answerer;
    answerer.answer("No help is available", IDOK).answer("No help is available", IDOK);
    answerer.act(row.caption, [&](HWND dialog) {
      testsupport::runLater([&, dialog] {
        realinput::clickControl(GetDlgItem(dialog, row.helpButton));
        realinput::pressKey(VK_F1);
        openAfterHelp = IsWindow(dialog) && IsWindowVisible(dialog);
        realinput::clickControl(GetDlgItem(dialog, IDCANCEL));
      });
    });
    EXPECT_EQ(row.cancelled, row.run());
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    EXPECT_TRUE(openAfterHelp);
  }
}
