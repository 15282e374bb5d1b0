#include <engine/controllers/tests/InstallControllerFixture.h>

#include <foundation/dialogs/msgbox.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <functional>

using testsupport::ModalAnswerer;
using testsupport::writeFile;

TEST_F(ControllerFixture, TheContinueQuestionGoesOnStopsOrAbortsOnlyWhenConfirmed) {
  ASSERT_EQ(1, controller.loadlanguage());
  auto press = [](int index) {
    return [index](HWND box) { PostMessageA(box, WM_COMMAND, MsgFirstButton + index, 0); };
  };
  struct Row {
    const char* name;
    int style;
    std::vector<int> buttons;       // pressed on the question in turn
    std::vector<int> confirmations; // answers to the abort question in turn
    int expected;
  } rows[] = {
      {"the first button goes on", 0, {0}, {}, 0},
      {"the second button stops", 1, {1}, {}, 2},
      {"a declined abort asks again", 1, {2, 0}, {IDNO}, 0},
      {"a confirmed abort", 1, {2}, {IDYES}, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ModalAnswerer answerer;
    for (size_t i = 0; i < row.buttons.size(); ++i) {
      answerer.act("Disk nearly full", press(row.buttons[i]));
      if (i < row.confirmations.size())
        answerer.answer("really want to abort", row.confirmations[i]);
    }
    EXPECT_EQ(row.expected, controller.querydialog(row.style, "Disk nearly full"));
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  }
}

// Enter answers each question with its safe button: the continue question's second, the three-button
// question's third.
TEST_F(ControllerFixture, TheQuestionsDefaultToTheirSafeButton) {
  ASSERT_EQ(1, controller.loadlanguage());
  auto pressDefault = [](int& seen) {
    return [&seen](HWND box) {
      seen = LOWORD(SendMessageA(box, DM_GETDEFID, 0, 0));
      PostMessageA(box, WM_COMMAND, seen, 0);
    };
  };
  int continueDefault = 0, threeDefault = 0, yes = -1;
  ModalAnswerer answerer;
  answerer.act("Disk nearly full", pressDefault(continueDefault))
      .act("Install the extras?", pressDefault(threeDefault))
      .answer("abort the installation", IDYES);
  EXPECT_EQ(2, controller.querydialog(1, "Disk nearly full"));
  EXPECT_EQ(0, controller.askyesno(MB_ICONQUESTION, "Install the extras?", yes));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_EQ(MsgFirstButton + 1, continueDefault);
  EXPECT_EQ(MsgFirstButton + 2, threeDefault);
}

// The confirmation of the abort ends the installation on Yes, so Enter answers it No and the question
// is asked again.
TEST_F(ControllerFixture, TheAbortConfirmationDefaultsToNo) {
  ASSERT_EQ(1, controller.loadlanguage());
  int confirmDefault = 0;
  ModalAnswerer answerer;
  answerer.act("Disk nearly full", [](HWND box) { PostMessageA(box, WM_COMMAND, MsgFirstButton + 2, 0); })
      .act("really want to abort",
           [&confirmDefault](HWND box) {
             confirmDefault =
                 (GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? IDNO : IDYES;
             PostMessageA(box, WM_COMMAND, IDNO, 0);
           })
      .act("Disk nearly full", [](HWND box) { PostMessageA(box, WM_COMMAND, MsgFirstButton, 0); });
  EXPECT_EQ(0, controller.querydialog(1, "Disk nearly full"));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_EQ(IDNO, confirmDefault);
}

TEST_F(ControllerFixture, TheThreeButtonQuestionSetsTheAnswerOrAbortsOnlyWhenConfirmed) {
  ASSERT_EQ(1, controller.loadlanguage());
  struct Row {
    const char* name;
    std::vector<int> buttons;       // pressed on the question in turn
    std::vector<int> confirmations; // answers to the abort question in turn
    int expected, yes;
  } rows[] = {
      {"yes", {0}, {}, 1, 1},
      {"no", {1}, {}, 1, 0},
      {"a declined abort asks again", {2, 1}, {IDNO}, 1, 0},
      {"a confirmed abort", {2}, {IDYES}, 0, -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ModalAnswerer answerer;
    for (size_t i = 0; i < row.buttons.size(); ++i) {
      int id = MsgFirstButton + row.buttons[i];
      answerer.act("Install the extras?", [id](HWND box) { PostMessageA(box, WM_COMMAND, id, 0); });
      if (i < row.confirmations.size())
        answerer.answer("abort the installation", row.confirmations[i]);
    }
    int yes = -1;
    EXPECT_EQ(row.expected, controller.askyesno(MB_ICONQUESTION, "Install the extras?", yes));
    EXPECT_EQ(row.yes, yes);
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  }
}

TEST_F(ControllerFixture, TheFinishDialogOffersARestartWhereOneIsNeeded) {
  ASSERT_EQ(1, controller.loadlanguage());
  struct Row {
    int type;
    int button; // pressed, from the first
    const char* text;
    const char* caption;
    const char* second; // the second button's caption, "" when there is none
    int expected;
  } rows[] = {
      {0, 0, "Demo Product has been installed successfully", "Installation Completed", "", 0},
      {1, 0, "Installation is being aborted", "Abort", "", 1},
      {2, 0, "restart\nWindows", "Installation Completed", "&Stay here", 2},
      {2, 1, "restart\nWindows", "Installation Completed", "&Stay here", 0},
      {4, 0, "restart\nDOS", "Installation Completed", "&Stay here", 4},
      {4, 1, "restart\nDOS", "Installation Completed", "&Stay here", 0},
  };
  ASSERT_TRUE(controller.openworkinglog()); // the product name
  for (const Row& row : rows) {
    SCOPED_TRACE(row.type * 10 + row.button);
    ModalAnswerer answerer;
    std::string caption, first, second;
    int id = MsgFirstButton + row.button;
    answerer.act(row.text, [&, id](HWND box) {
      char text[128];
      GetWindowTextA(box, text, sizeof text);
      caption = text;
      GetDlgItemTextA(box, MsgFirstButton, text, sizeof text);
      first = text;
      HWND next = GetDlgItem(box, MsgFirstButton + 1);
      GetDlgItemTextA(box, MsgFirstButton + 1, text, sizeof text);
      second = next && (GetWindowLongPtrA(next, GWL_STYLE) & WS_VISIBLE) ? text : "";
      PostMessageA(box, WM_COMMAND, id, 0);
    });
    EXPECT_EQ(row.expected, controller.showfinishdialog(row.type));
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    EXPECT_EQ(row.caption, caption);
    EXPECT_EQ(row.second, second);
    if (*row.second) {
      EXPECT_EQ("&Restart", first);
    }
  }
}

namespace {

// The notice the answerer saw last under `match`, left open.
struct Notice {
  HWND window = nullptr;
  std::string caption, text, button;
  POINT centre = {};
};

ModalAnswerer::Action Capture(Notice& notice) {
  return [&notice](HWND window) {
    notice.window = window;
    char text[256];
    GetWindowTextA(window, text, sizeof text);
    notice.caption = text;
    GetDlgItemTextA(window, IDC_MSGDLG_TEXT, text, sizeof text);
    notice.text = text;
    GetDlgItemTextA(window, IDOK, text, sizeof text);
    notice.button = IsWindowVisible(GetDlgItem(window, IDOK)) ? text : "";
    RECT rect;
    GetWindowRect(window, &rect);
    notice.centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  };
}

} // namespace

TEST_F(ControllerFixture, BusyMessagesShowTheirTextAtTheirPlaceForTheirTime) {
  ASSERT_EQ(1, controller.loadlanguage());
  ASSERT_EQ(1, controller.openworkinglog());
  MessageWindowRecord own = {250, 700, 200, "Copying the samples", "Please Wait"};
  struct Row {
    const char* text;
    const char* caption;
    int x, y;
    DWORD time;
    std::function<int()> show, hide;
  } rows[] = {
      {"Preparing the installation...", "Demo Product", 500, 500, 3000,
       [&] { return controller.openmessage(0); }, [&] { return controller.closemessage(0); }},
      {"Updating the system...", "Demo Product", 500, 500, 3000, [&] { return controller.openmessage(1); },
       [&] { return controller.closemessage(1); }},
      {"Finishing the installation...", "Demo Product", 500, 500, 3000,
       [&] { return controller.openmessage(2); }, [&] { return controller.closemessage(2); }},
      {"Copying the samples", "Please Wait", 250, 700, 200, [&] { return controller.showmessage(own); },
       [&] { return controller.hidemessage(); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    Notice notice;
    ModalAnswerer answerer;
    answerer.act(row.text, Capture(notice));
    DWORD shown = GetTickCount();
    ASSERT_EQ(1, row.show());
    // The notice takes the focus before it shows its text: the answerer reads it a moment later.
    testsupport::pumpFor(50);
    ASSERT_TRUE(IsWindowVisible(notice.window)) << answerer.describeSeen();
    EXPECT_EQ(row.caption, notice.caption);
    EXPECT_EQ("", notice.button);
    EXPECT_NEAR(MulDiv(GetSystemMetrics(SM_CXSCREEN), row.x, 1000), notice.centre.x, 1);
    EXPECT_NEAR(MulDiv(GetSystemMetrics(SM_CYSCREEN), row.y, 1000), notice.centre.y, 1);
    EXPECT_EQ(1, row.hide());
    EXPECT_GE(GetTickCount() - shown, row.time - 20);
    EXPECT_FALSE(IsWindow(notice.window));
  }
  EXPECT_EQ(0, controller.openmessage(3));

  // Installing the uninstaller shows its own message when asked, here until the copy fails.
  Notice notice;
  ModalAnswerer answerer;
  answerer.act("Installing the uninstaller...", Capture(notice));
  std::string folder = dir.file("uninst");
  UninstallRecord record = {};
  record.folder = folder.c_str();
  record.busyMessage = 1;
  EXPECT_EQ(0, controller.InstallUninstaller(record));
  EXPECT_EQ("Demo Product", notice.caption);
  EXPECT_FALSE(IsWindow(notice.window));
  controller.closeworkinglog();
}

TEST_F(ControllerFixture, TheFileSearchSaysWhatItLooksForAndTheUserMayStopIt) {
  ASSERT_EQ(1, controller.loadlanguage());
  ASSERT_EQ(1, controller.openworkinglog());
  std::string drive = dir.file("drive");
  CreateDirectoryA(drive.c_str(), nullptr);
  for (const char* folder : {"a1", "z"})
    CreateDirectoryA((drive + "\\" + folder).c_str(), nullptr);
  writeFile(drive + "\\z\\app.ini", "");
  // The drives are looked at once the notice is up: the user reads it, and may press its button.
  Notice notice;
  int press = 0;
  controller.drives.type = [&](const char* root) -> UINT {
    if (root[0] != 'C')
      return DRIVE_NO_ROOT_DIR;
    Capture(notice)(FindWindowA("#32770", "Demo Product"));
    if (press)
      PostMessageA(notice.window, WM_COMMAND, IDOK, 0);
    return DRIVE_FIXED;
  };
  controller.searchplaces.driveroot = [&](char letter) { return letter == 'C' ? drive : std::string(); };
  const int onFixedDrives[6] = {2, 1, 0, 0, 0, 0};
  char path[256] = "stale";
  int found = -1;
  ASSERT_EQ(1, controller.findfile(onFixedDrives, "", "app.ini", found, path));
  EXPECT_EQ(1, found);
  EXPECT_EQ(drive + "\\z\\app.ini", path);
  EXPECT_EQ("Searching for app.ini...", notice.text);
  EXPECT_EQ("&Cancel", notice.button);
  EXPECT_EQ("Demo Product", notice.caption);
  EXPECT_FALSE(IsWindow(notice.window));

  press = 1;
  ASSERT_EQ(1, controller.findfile(onFixedDrives, "", "app.ini", found, path));
  EXPECT_EQ(0, found);
  EXPECT_STREQ("", path);
  controller.closeworkinglog();
}
