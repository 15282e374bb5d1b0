#include <engine/tests/TestFolders.h>

#include <engine/controllers/EngineStart.h>
#include <engine/controllers/UninstallController.h>
#include <engine/log/LogDump.h>
#include <engine/script/LanguageSet.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <kxlang/kxlangids.h>

#include <gtest/gtest.h>

#include <cstring>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

std::unique_ptr<LogRecord> FileCreated(const std::string& path) {
  auto record = CreateLogRecord(LogFileCreated);
  record->fields[0].text = path;
  return record;
}

struct UninstallFixture : ::testing::Test {
  TempDir dir;
  UninstallController controller;
  std::vector<std::string> order;
  DWORD now = 1000;

  UninstallFixture() {
    controller.setengine(dir.file("kxmain.exe").c_str());
    controller.tick = [this] { return now; };
    controller.wait = [this](int milliseconds) { now += static_cast<DWORD>(milliseconds); };
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) {
      writeFile(dir.file(name), name);
      controller.records.push_back(FileCreated(dir.file(name)));
    }
  }

  std::function<void(int, int)> recorder() {
    return [this](int index, int after) {
      if (after)
        order.push_back(std::to_string(index));
    };
  }
};

TEST_F(UninstallFixture, TheUndoRunGoesNewestFirstAndKeepsTheMinimumTime) {
  controller.records[1]->status = Kept;
  controller.header.mintime = 250;
  ModalAnswerer answerer;
  answerer.answer("Confirm Uninstall", IDYES);
  controller.undo(1, recorder());
  EXPECT_EQ((std::vector<std::string>{"2", "0"}), order);
  EXPECT_EQ(UninstallController::Finished, controller.state);
  EXPECT_EQ(1500u, now);
  EXPECT_FALSE(fileExists(dir.file("c.txt")));
  EXPECT_TRUE(fileExists(dir.file("b.txt")));
  EXPECT_EQ(Undone, controller.records[0]->status);

  // The question comes once; nothing left to undo asks nothing.
  controller.records[1]->status = ToUndo;
  controller.undo(1, recorder());
  EXPECT_EQ(1u, answerer.seen().size());
  EXPECT_FALSE(fileExists(dir.file("b.txt")));
}

TEST_F(UninstallFixture, NoToTheQuestionAndCancelStop) {
  {
    ModalAnswerer answerer;
    answerer.answer("Confirm Uninstall", IDNO);
    controller.undo(1, recorder());
  }
  EXPECT_EQ(UninstallController::NotStarted, controller.state);
  EXPECT_TRUE(order.empty());
  int result = -1;
  EXPECT_TRUE(controller.quitcheck(result));
  EXPECT_EQ(1, result);

  controller.undo(0, [this](int index, int after) {
    if (after) {
      order.push_back(std::to_string(index));
      controller.cancelRequested = 1;
    }
  });
  EXPECT_EQ(UninstallController::Cancelled, controller.state);
  EXPECT_EQ((std::vector<std::string>{"2"}), order);
  EXPECT_TRUE(fileExists(dir.file("a.txt")));
}

TEST_F(UninstallFixture, NoUndoRemovesADriveRootOrTheWindowsFolder) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  controller.records.clear();
  for (const std::string& path : {std::string("C:\\"), std::string(windows)}) {
    auto record = CreateLogRecord(LogDirCreated);
    record->fields[0].text = path;
    controller.records.push_back(std::move(record));
  }
  controller.undo(0, recorder());
  EXPECT_EQ(UndoFailed, controller.records[0]->status);
  EXPECT_EQ(UndoFailed, controller.records[1]->status);
  EXPECT_TRUE(fileExists(windows));
}

TEST_F(UninstallFixture, TheRewrittenLogHoldsOnlyWhatWasNotUndone) {
  controller.header.product = "Demo";
  controller.records[0]->status = Undone;
  controller.records[2]->status = Undone;
  std::string log = dir.file("kxlog3.000");
  ASSERT_TRUE(RewriteLog(log.c_str(), controller.header, controller.records));
  std::string dump = DumpLog(log.c_str());
  EXPECT_EQ(std::string::npos, dump.find("a.txt")) << dump;
  EXPECT_NE(std::string::npos, dump.find("b.txt")) << dump;
  EXPECT_EQ(std::string::npos, dump.find("c.txt")) << dump;
  EXPECT_FALSE(fileExists(log + ".tmp"));
}

TEST_F(UninstallFixture, TheNewestLogOfTheUnbrokenRunIsRead) {
  ModalAnswerer answerer;
  answerer.answer("No log file", IDOK);
  EXPECT_EQ(0, controller.initialise());

  LogHeader header;
  header.language = 14;
  std::string error;
  auto writer = LogFileWriter::OpenLogPath(dir.file("kxlog3.001").c_str(), header);
  writer.reset();
  writeFile(dir.file("kxlog3.000"), "");
  answerer.answer("Log file contains bad data", IDOK);
  EXPECT_EQ(0, controller.initialise());
  EXPECT_EQ(dir.file("kxlog3.001"), controller.logPath());

  header.language = 3;
  header.dialogmode = 7;
  header.mintime = 1 << 30;
  writer = LogFileWriter::OpenLogPath(dir.file("kxlog3.001").c_str(), header);
  writer.reset();
  EXPECT_EQ(1, controller.initialise());
  EXPECT_EQ(1, controller.dialogMode());
  EXPECT_EQ(2u, answerer.seen().size()) << answerer.describeSeen();
}

// Presses a button of the dialog being activated, noting which of the two main dialogs it is.
testsupport::ModalAnswerer::Action Press(std::string& shown, std::vector<int> ids) {
  return [&shown, ids](HWND window) {
    shown += GetDlgItem(window, IDC_UNDO_DETAIL) ? "advanced " : "simple ";
    for (int id : ids)
      PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(id), 0);
  };
}

// A log after the first is undone and deleted; the uninstaller and the first log stay for later.
TEST_F(UninstallFixture, ALaterLogIsUndoneAndDeletedWhileTheUninstallerStays) {
  ASSERT_TRUE(CopyFileA((ProgramsFolder() + "\\kxenu.dll").c_str(), dir.file("kxenu.dll").c_str(), FALSE));
  LogHeader header;
  header.language = LanguageUsEnglish;
  header.dialogmode = 0;
  header.product = "Demo";
  ASSERT_TRUE(RewriteLog(dir.file("kxlog3.000").c_str(), header, {}));
  ASSERT_TRUE(RewriteLog(dir.file("kxlog3.001").c_str(), header, controller.records));
  controller.records.clear();

  // The switch goes from one dialog to the other as often as asked; Cancel before the undo undoes
  // nothing and keeps the log.
  std::string shown;
  {
    ModalAnswerer answerer;
    answerer.act("Uninstall", Press(shown, {IDC_UNDO_SWITCH}))
        .act("Uninstall", Press(shown, {IDC_UNDO_SWITCH}))
        .act("Uninstall", Press(shown, {IDC_UNDO_SWITCH}))
        .act("Uninstall", Press(shown, {IDCANCEL}));
    ASSERT_EQ(1, controller.initialise());
    EXPECT_EQ(0, controller.run());
    controller.finish();
  }
  EXPECT_EQ("simple advanced simple advanced ", shown);
  EXPECT_TRUE(fileExists(dir.file("kxlog3.001")));
  EXPECT_TRUE(fileExists(dir.file("c.txt")));

  // OK undoes without a question; OK again leaves.
  shown.clear();
  {
    ModalAnswerer answerer;
    answerer.act("Uninstall", Press(shown, {IDOK, IDOK}));
    ASSERT_EQ(1, controller.initialise());
    EXPECT_EQ(1, controller.run());
    controller.finish();
    EXPECT_EQ(1u, answerer.seen().size()) << answerer.describeSeen();
  }
  EXPECT_EQ("simple ", shown);
  for (const char* name : {"a.txt", "b.txt", "c.txt"})
    EXPECT_FALSE(fileExists(dir.file(name))) << name;
  EXPECT_FALSE(fileExists(dir.file("kxlog3.001")));
  EXPECT_TRUE(fileExists(dir.file("kxlog3.000")));
  EXPECT_TRUE(fileExists(dir.file("kxenu.dll")));
}

// A record whose undo failed keeps its log and the uninstaller for a later try, and the user is told.
TEST_F(UninstallFixture, ARunWithFailedRecordsKeepsTheLog) {
  ASSERT_TRUE(CopyFileA((ProgramsFolder() + "\\kxenu.dll").c_str(), dir.file("kxenu.dll").c_str(), FALSE));
  LogHeader header;
  header.language = LanguageUsEnglish;
  header.dialogmode = 0;
  header.product = "Demo";
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  // The Windows folder is never removed: that record's undo fails.
  auto protectedFolder = CreateLogRecord(LogDirCreated);
  protectedFolder->fields[0].text = windows;
  controller.records.insert(controller.records.begin(), std::move(protectedFolder));
  ASSERT_TRUE(RewriteLog(dir.file("kxlog3.000").c_str(), header, {}));
  ASSERT_TRUE(RewriteLog(dir.file("kxlog3.001").c_str(), header, controller.records));
  controller.records.clear();
  std::string shown;
  ModalAnswerer answerer;
  answerer.act("Uninstall", Press(shown, {IDOK, IDOK})).answer("could not be undone", IDOK);
  ASSERT_EQ(1, controller.initialise());
  EXPECT_EQ(0, controller.run());
  controller.finish();
  for (const char* name : {"a.txt", "b.txt", "c.txt"})
    EXPECT_FALSE(fileExists(dir.file(name))) << name;
  ASSERT_TRUE(fileExists(dir.file("kxlog3.001")));
  std::string dump = DumpLog(dir.file("kxlog3.001").c_str());
  EXPECT_NE(std::string::npos, dump.find(windows)) << dump;
  EXPECT_EQ(std::string::npos, dump.find("a.txt")) << dump;
  EXPECT_NE(std::string::npos, answerer.describeSeen().find(windows)) << answerer.describeSeen();
}

// Writes logs 000 (empty) and 001 (the fixture's records) with the English library beside them, the
// way an install over an install leaves its uninstaller's folder.
void WriteTwoLogs(UninstallController& controller, TempDir& dir, int dialogmode) {
  ASSERT_TRUE(CopyFileA((ProgramsFolder() + "\\kxenu.dll").c_str(), dir.file("kxenu.dll").c_str(), FALSE));
  LogHeader header;
  header.language = LanguageUsEnglish;
  header.dialogmode = dialogmode;
  header.product = "Demo";
  ASSERT_TRUE(RewriteLog(dir.file("kxlog3.000").c_str(), header, {}));
  ASSERT_TRUE(RewriteLog(dir.file("kxlog3.001").c_str(), header, controller.records));
  controller.records.clear();
}

std::unique_ptr<LogRecord> DirCreated(const std::string& path) {
  auto record = CreateLogRecord(LogDirCreated);
  record->fields[0].text = path;
  return record;
}

// The gauge dialog's run, the user keeping the folder: Yes to the uninstall, No to removing the folder,
// OK on the last box. Every box's caption holds "Uninstall": the dialog left open is matched last.
void KeepTheFolderInTheGauge(ModalAnswerer& answerer, const char* lastBox) {
  answerer.answer("Confirm Uninstall", IDYES)
      .answer("is not empty", IDNO)
      .answer(lastBox, IDOK)
      .leaveOpen("Uninstall");
}

// The user saves a document into the product's folder and keeps it: the folder's record counts as
// undone, the run finishes and deletes its log, its last box says what was kept, and the older log
// underneath is left for the next run as after any finished run.
TEST_F(UninstallFixture, KeepingTheUsersFolderStillFinishesTheRun) {
  std::string folder = dir.file("KxDemo");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  writeFile(dir.file("KxDemo\\letter.txt"), "the user's letter");
  controller.records.insert(controller.records.begin(), DirCreated(folder));

  // The gauge dialog: it runs the undo and ends on its own.
  WriteTwoLogs(controller, dir, 2);

  ModalAnswerer answerer;
  KeepTheFolderInTheGauge(answerer, "were kept");
  ASSERT_EQ(1, controller.initialise());
  EXPECT_EQ(1, controller.run()) << answerer.describeSeen();
  controller.finish();
  EXPECT_EQ("the user's letter", testsupport::readFile(dir.file("KxDemo\\letter.txt")));
  for (const char* name : {"a.txt", "b.txt", "c.txt"})
    EXPECT_FALSE(fileExists(dir.file(name))) << name;
  EXPECT_FALSE(fileExists(dir.file("kxlog3.001")));
  EXPECT_TRUE(fileExists(dir.file("kxlog3.000")));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  const testsupport::SeenBox& last = answerer.seen().back();
  EXPECT_NE(std::string::npos, last.text.find("were kept")) << answerer.describeSeen();
  EXPECT_NE(std::string::npos, last.text.find(folder)) << answerer.describeSeen();
  EXPECT_EQ(std::string::npos, last.text.find("a.txt")) << answerer.describeSeen();
}

// Presses OK on the uninstaller's dialog, and "Done" once the confirmation is answered Yes.
void UninstallThenDone(ModalAnswerer& answerer) {
  answerer.act("Uninstall", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDOK, 0); })
      .act("Confirm Uninstall", [](HWND box) {
        PostMessageA(box, WM_COMMAND, IDYES, 0);
        PostMessageA(FindWindowA("#32770", "Uninstall"), WM_COMMAND, IDOK, 0);
      });
}

// A record whose undo really failed keeps the log; the next run offers what is left (the failed record
// to undo, the kept folder as kept, not asked about again), its Done ends the run, and leaving the rest
// as it is finishes the uninstall.
TEST_F(UninstallFixture, ALaterRunOffersWhatIsLeftAndDoneEndsIt) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string folder = dir.file("KxDemo");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  writeFile(dir.file("KxDemo\\letter.txt"), "the user's letter");
  // The Windows folder is never removed: that record's undo fails at every try.
  controller.records.insert(controller.records.begin(), DirCreated(windows));
  controller.records.insert(controller.records.begin() + 1, DirCreated(folder));
  WriteTwoLogs(controller, dir, 2);
  std::string shown;
  {
    ModalAnswerer answerer;
    KeepTheFolderInTheGauge(answerer, "could not be undone");
    ASSERT_EQ(1, controller.initialise());
    EXPECT_EQ(0, controller.run());
    controller.finish();
    EXPECT_EQ(std::string::npos, answerer.describeSeen().find("were kept")) << answerer.describeSeen();
  }
  ASSERT_TRUE(fileExists(dir.file("kxlog3.001")));

  struct Run {
    const char* name;
    int dialogmode;
    int quit; // the button pressed on the quit question; 0: none is asked
    int answer;
    int logStays;
  } runs[] = {
      {"simple: Uninstall, Done", 0, 0, 0, 1},
      {"list: Uninstall, Done, Later", 1, IDOK, 0, 1},
      {"list: Uninstall, Done, Leave them", 1, IDC_UNDOASKQUIT_FINISH, 1, 0},
  };
  for (const Run& run : runs) {
    SCOPED_TRACE(run.name);
    std::string dump = DumpLog(dir.file("kxlog3.001").c_str());
    LogHeader header;
    std::vector<std::unique_ptr<LogRecord>> left;
    std::string error;
    ASSERT_TRUE(ReadLog(dir.file("kxlog3.001").c_str(), header, left, error)) << error;
    ASSERT_EQ(2u, left.size()) << dump;
    EXPECT_EQ(ToUndo, left[0]->status) << dump;
    EXPECT_EQ(Kept, left[1]->status) << dump;
    header.dialogmode = run.dialogmode;
    ASSERT_TRUE(RewriteLog(dir.file("kxlog3.001").c_str(), header, left));
    // Each run is a new start of the engine.
    controller.state = UninstallController::NotStarted;

    ModalAnswerer answerer;
    if (run.dialogmode)
      UninstallThenDone(answerer);
    else
      answerer.act("Uninstall", Press(shown, {IDOK, IDOK}));
    if (run.quit)
      answerer.answer("Stop Uninstalling", run.quit);
    if (run.answer)
      answerer.answer("were kept", IDOK);
    else if (!run.quit)
      answerer.answer("could not be undone", IDOK);
    ASSERT_EQ(1, controller.initialise());
    EXPECT_EQ(run.answer, controller.run()) << answerer.describeSeen();
    controller.finish();
    EXPECT_EQ(std::string::npos, answerer.describeSeen().find("is not empty")) << answerer.describeSeen();
    EXPECT_EQ(run.logStays, fileExists(dir.file("kxlog3.001"))) << answerer.describeSeen();
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  }
  EXPECT_EQ("the user's letter", testsupport::readFile(dir.file("KxDemo\\letter.txt")));
  EXPECT_TRUE(fileExists(dir.file("kxlog3.000")));
}

// Leaving with records still to undo asks: later (the run failed), back to the list, or done.
TEST_F(UninstallFixture, TheQuitQuestionLeavesGoesBackOrFinishes) {
  LanguageLibrary language;
  ASSERT_EQ(1, language.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll"));
  struct Row {
    const char* name;
    int button;
    int leaves;
    int result;
  } rows[] = {
      {"later", IDOK, 1, 1},
      {"back to the list", IDCANCEL, 0, -1},
      {"done", IDC_UNDOASKQUIT_FINISH, 1, 0},
  };
  controller.state = UninstallController::Cancelled;
  for (const Row& row : rows) {
    ModalAnswerer answerer;
    answerer.answer("Stop Uninstalling", row.button);
    int result = -1;
    EXPECT_EQ(row.leaves, controller.quitcheck(result)) << row.name;
    EXPECT_EQ(row.result, result) << row.name;
  }
  // "Leave them" keeps what was open, as chosen: nothing is left to undo or failed.
  for (const auto& record : controller.records)
    EXPECT_EQ(Kept, record->status);
  // Nothing left to undo or failed: leaving is finishing, without the question.
  for (auto& record : controller.records)
    record->status = Undone;
  int result = -1;
  EXPECT_EQ(1, controller.quitcheck(result));
  EXPECT_EQ(0, result);
}

// A controller that says what was asked of it.
class ScriptedController : public EngineController {
public:
  ScriptedController(std::string& calls, int initialises) : calls_(calls), initialises_(initialises) {}
  int run() override {
    calls_ += "run ";
    return 6;
  }
  void finish() override { calls_ += "finish "; }
  int initialise() override {
    calls_ += "initialise ";
    return initialises_;
  }

private:
  std::string& calls_;
  int initialises_;
};

TEST(EngineStartTest, TheSettingsFileChoosesTheModeAndTakesTheResult) {
  TempDir dir;
  std::string settings = dir.file("kxmain.ini");
  std::string calls;
  int initialises = 1;
  EngineMakers makers;
  makers.install = [&] {
    calls += "install ";
    return std::make_unique<ScriptedController>(calls, initialises);
  };
  makers.uninstall = [&] {
    calls += "uninstall ";
    return std::make_unique<ScriptedController>(calls, initialises);
  };
  EXPECT_EQ(0, RunEngine(nullptr, makers, settings));
  EXPECT_EQ("uninstall initialise run finish ", calls);
  EXPECT_FALSE(fileExists(settings));

  calls.clear();
  writeFile(settings, "[x]\r\nr=0\r\n");
  initialises = 0;
  EXPECT_EQ(1, RunEngine(nullptr, makers, settings));
  EXPECT_EQ("install initialise ", calls);
  EXPECT_EQ(-1, static_cast<int>(GetPrivateProfileIntA("x", "r", -1, settings.c_str())))
      << "a stale result is gone before the run";

  initialises = 1;
  EXPECT_EQ(0, RunEngine(nullptr, makers, settings));
  EXPECT_EQ(6, static_cast<int>(GetPrivateProfileIntA("x", "r", -1, settings.c_str())));
}

} // namespace
