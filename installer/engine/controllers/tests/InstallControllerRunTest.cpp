#include <engine/operations/tests/DdeTestServer.h>
#include <engine/tests/InstallerFixture.h>
#include <engine/tests/ScriptSideStub.h>
#include <engine/tests/TestFolders.h>

#include <engine/builder/LibraryPacker.h>
#include <engine/controllers/InstallController.h>
#include <engine/log/ByteStreams.h>
#include <engine/operations/ProgramGroupsManager.h>
#include <foundation/tests/checkrecorder.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <set>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// The install controller with a script side whose run is the test's.
class RunController : public ScriptSideStub {
public:
  explicit RunController(const std::string& engine) : ScriptSideStub(engine) { screen.activity.shown = 0; }

  int runscript() override { return script(*this); }
  const InstallScreenSettings* screensettings() override { return &screen; }

  void setsource(const std::string& folder, int mode) {
    std::snprintf(sourceFolder_, sizeof sourceFolder_, "%s", folder.c_str());
    mediaMode_ = mode;
  }
  int archiveopen() const { return archive_ != nullptr; }
  // The disk map as a run takes it, for items installed outside a run.
  void usemap() { map_ = disks; }
  int install(const FileEntry& entry, const std::string& target) {
    FileInstallRecord record{};
    record.options[CopyFromArchive] = 1;
    record.entry = &entry;
    record.source = entry.source.c_str();
    record.target = target.c_str();
    return installfile(record);
  }

  std::function<int(RunController&)> script = [](RunController&) { return 0; };
  InstallScreenSettings screen;
};

class InstallControllerRunTest : public testing::Test {
protected:
  void SetUp() override {
    CopyFileA((ProgramsFolder() + "\\kxenu.dll").c_str(), dir.file("kxenu.dll").c_str(), FALSE);
    controller.disks.archive = "data";
    controller.disks.numberedBySet = 1;
    controller.disks.labels = {"Disk 1", "Disk 2"};
  }

  TempDir dir;
  RunController controller{dir.path()};
};

// Members on two disk folders: a stored one, a packed one that runs on into the second part and a
// stored one in it, then the first again. The run's one archive switches between the folders.
TEST_F(InstallControllerRunTest, TheScriptReadsItsMembersThroughTheRunsArchiveAcrossDiskFolders) {
  std::string one = Text(3000, 3), two = Text(40000, 7), three = Text(500, 11), packed;
  ASSERT_EQ(1, LibraryPacker().pack(two, packed));
  std::string bytes = one + packed + three;
  size_t half = one.size() + packed.size() / 2;
  CreateDirectoryA(dir.file("disk001").c_str(), nullptr);
  CreateDirectoryA(dir.file("disk002").c_str(), nullptr);
  writeFile(dir.file("disk001\\data.001"), bytes.substr(0, half));
  writeFile(dir.file("disk002\\data.002"), bytes.substr(half));
  FileEntry entries[] = {
      {1, 0, 0, 3000, 3000, "one", "one"},
      {1, 3000, 1, static_cast<long>(packed.size()), 40000, "two", "two"},
      {2, static_cast<int>(bytes.size() - half - 500), 0, 500, 500, "three", "three"},
  };
  controller.setsource(dir.file("disk001"), 2);
  int openDuringScript = 0;
  std::string disksSeen;
  controller.script = [&](RunController& run) {
    openDuringScript = run.archiveopen();
    for (int i : {0, 1, 2, 0}) {
      if (!run.install(entries[i], dir.file("out\\" + std::to_string(i))))
        return 1;
      disksSeen += run.sourceFolder()[std::strlen(run.sourceFolder()) - 1];
    }
    return 0;
  };
  EXPECT_EQ(0, controller.run());
  EXPECT_TRUE(openDuringScript);
  EXPECT_FALSE(controller.archiveopen());
  EXPECT_EQ("1221", disksSeen);
  const std::string* expected[] = {&one, &two, &three};
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(*expected[i] == readFile(dir.file("out\\" + std::to_string(i)))) << i;
}

// A log that cannot be written is said before anything is copied: No (the default) stops the run, Yes
// installs without registering an uninstaller that could never uninstall.
TEST_F(InstallControllerRunTest, ALogThatCannotBeWrittenIsAskedAboutFirst) {
  for (int answer : {IDNO, IDYES}) {
    SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
    // A folder where the working log goes.
    CreateDirectoryA(dir.file("kxlog3.nnn").c_str(), nullptr);
    int ran = 0, registered = -1;
    controller.script = [&](RunController& run) {
      ran = 1;
      UninstallRecord record{};
      std::string folder = dir.file("uninst");
      record.folder = folder.c_str();
      registered = run.InstallUninstaller(record);
      return 0;
    };
    int noIsDefault = 0;
    ModalAnswerer answerer;
    answerer.act("cannot be uninstalled", [&](HWND box) {
      noIsDefault = (GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
      PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
    });
    EXPECT_EQ(answer == IDYES ? 0 : 1, controller.run());
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    EXPECT_TRUE(noIsDefault);
    EXPECT_EQ(answer == IDYES, ran);
    if (answer == IDYES) {
      EXPECT_EQ(1, registered);
    }
    EXPECT_FALSE(fileExists(dir.file("uninst")));
  }
}

// A working log on a disk that fills up: the header and the first `room` records reach it, every
// later write fails as a full disk's does.
class FillingLog : public LogFileWriter {
public:
  static std::unique_ptr<LogFileWriter> Open(const char* path, const LogHeader& header, int room) {
    FILE* file = std::fopen(path, "wb");
    if (!file)
      return nullptr;
    std::unique_ptr<FillingLog> writer(new FillingLog(file, path));
    writer->room_ = room;
    StringOStream bytes;
    header.write(bytes);
    writer->LogFileWriter::Put(bytes.bytes);
    return writer;
  }

protected:
  using LogFileWriter::LogFileWriter;
  int Put(const std::string& bytes) override {
    if (room_-- > 0)
      return LogFileWriter::Put(bytes);
    SetLastError(ERROR_DISK_FULL);
    return 0;
  }

private:
  int room_ = 0;
};

std::string SystemText(DWORD code) {
  char text[256] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                 sizeof text, nullptr);
  std::string line = text;
  return line.substr(0, line.find_first_of("\r\n"));
}

// Once a record cannot be written the install changes nothing more, says why, and undoes what the log
// holds: the user's files it replaced come back, and no file copied before or after the failure
// stays. The script here goes on asking for copies after the failure, as a script's later events would.
TEST_F(InstallControllerRunTest, AnInstallWhoseLogCannotBeWrittenStopsAndIsUndone) {
  struct Case {
    const char* name;
    int room; // records written before the disk is full
  } cases[] = {
      {"the rename of the first replaced file", 0},
      {"the first replaced file's own record", 1},
      {"a new file's record", 2},
      {"a later rename", 3},
  };
  const char* users[] = {"user1.txt", "user3.txt"};
  std::string data = Text(4000, 9);
  CreateDirectoryA(dir.file("src").c_str(), nullptr);
  writeFile(dir.file("src\\data.001"), data);
  FileEntry entries[] = {
      {1, 0, 0, 1000, 1000, "a", "user1.txt"},
      {1, 1000, 0, 1000, 1000, "b", "new0.txt"},
      {1, 2000, 0, 1000, 1000, "c", "user3.txt"},
      {1, 3000, 0, 1000, 1000, "d", "new2.txt"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir app;
    for (const char* user : users)
      writeFile(app.file(user), std::string("the user's ") + user);
    controller.setsource(dir.file("src"), 0);
    controller.openlogfile = [&](const char* path, const LogHeader& header) {
      return FillingLog::Open(path, header, c.room);
    };
    controller.script = [&](RunController& run) {
      for (const FileEntry& entry : entries)
        run.install(entry, app.file(entry.target));
      return 0;
    };
    ModalAnswerer answerer;
    answerer.answer("Unable to write the log file", IDOK).answerAlways("undone", IDOK);
    EXPECT_EQ(1, controller.run());
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    ASSERT_FALSE(answerer.seen().empty());
    EXPECT_NE(std::string::npos, answerer.seen()[0].text.find(SystemText(ERROR_DISK_FULL)))
        << answerer.describeSeen();
    // Only the failure and, when something was logged, the undo are told.
    EXPECT_EQ(c.room ? 2u : 1u, answerer.seen().size()) << answerer.describeSeen();
    for (const char* user : users)
      EXPECT_EQ(std::string("the user's ") + user, readFile(app.file(user))) << user;
    std::set<std::string> left;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(app.file("*").c_str(), &found);
    do
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        left.insert(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ((std::set<std::string>{"user1.txt", "user3.txt"}), left);
    EXPECT_FALSE(fileExists(dir.file("kxlog3.nnn")));
  }
}

// On removable disks the archive asks for a missing part with the disk's label until it is there.
TEST_F(InstallControllerRunTest, AMissingPartIsAskedForByItsDisksLabel) {
  std::string data = Text(6000, 5);
  CreateDirectoryA(dir.file("src").c_str(), nullptr);
  writeFile(dir.file("src\\data.001"), data.substr(0, 4000));
  controller.setsource(dir.file("src"), 1);
  controller.usemap();
  ModalAnswerer answerer;
  answerer.act("Please insert disk: Disk 2", [&](HWND box) {
    writeFile(dir.file("src\\data.002"), data.substr(4000));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  FileEntry entry{1, 0, 0, 6000, 6000, "a", "a"};
  EXPECT_EQ(1, controller.install(entry, dir.file("out\\a")));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_TRUE(data == readFile(dir.file("out\\a")));
}

// A distribution in one place has no other disk to ask for: a part that is missing or short is damaged
// input, said in words that name the part's file, never an internal check; the member is not installed.
TEST_F(InstallControllerRunTest, APartMissingOrShortInOnePlaceIsNamed) {
  struct Case {
    const char* name;
    std::vector<std::string> parts; // an empty one is not there
    const char* words;
  } cases[] = {
      {"a missing middle part", {Text(4000, 1), "", Text(2000, 2)}, "data.002 is missing."},
      {"a short last part", {Text(4000, 1), Text(4000, 2), Text(1000, 3)}, "data.003 is short."},
  };
  controller.disks.labels = {"Disk 1", "Disk 2", "Disk 3"};
  controller.usemap();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir source;
    for (size_t i = 0; i < c.parts.size(); ++i)
      if (!c.parts[i].empty())
        writeFile(source.file("data.00" + std::to_string(i + 1)), c.parts[i]);
    controller.setsource(source.path(), 0);
    CheckRecorder checks;
    ModalAnswerer answerer;
    answerer.answer(std::string("The distribution is damaged: ") + c.words, IDOK);
    answerer.answer("Are you sure you want to abort", IDYES);
    FileEntry entry{1, 100, 0, 10000, 10000, "a", "a"};
    EXPECT_EQ(0, controller.install(entry, dir.file("out\\a")));
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    EXPECT_TRUE(checks.seen.empty());
    EXPECT_FALSE(fileExists(dir.file("out\\a")));
  }
}

// The groups go to a test server answering as Program Manager, not to the machine's shell, and a
// command waits a second for its answer.
void UseTestProgramManager() {
  ProgramGroupsManager::Environment environment;
  environment.progman.shellIsProgman = 0;
  environment.progman.timeout = 1000;
  environment.windows95Family = 1;
  ProgramGroupsManager::instance().setenvironment(environment);
}

// The groups are reached through one conversation for the whole script, not one per item.
TEST_F(InstallControllerRunTest, OneProgramManagerConversationSpansTheScript) {
  DdeTestServer::Options options;
  options.programManager = 1;
  DdeTestServer server(options);
  UseTestProgramManager();
  int endedDuringScript = -1;
  controller.script = [&](RunController& run) {
    ProgramItem item;
    for (const char* name : {"Editor", "Viewer"}) {
      SetField(item.name, name);
      SetField(item.commandline, std::string(name) + ".exe");
      if (!run.installer().createitem("Tools", item))
        return 1;
    }
    endedDuringScript = server.terminatesReceived();
    return 0;
  };
  EXPECT_EQ(0, controller.run());
  ProgramGroupsManager::instance().setenvironment(ProgramGroupsManager::SystemEnvironment());
  EXPECT_EQ(0, endedDuringScript);
  EXPECT_EQ(1, server.terminatesReceived());
  EXPECT_EQ(2u, server.groups()["tools"].size());
}

// A Program Manager that fails a command is named in the box with what it did, so that a user who
// waited knows what for.
TEST_F(InstallControllerRunTest, AFailedProgramManagerCommandSaysWhatTheServerDid) {
  struct Case {
    DdeTestServer::Ack ack;
    const char* box;
  } cases[] = {
      {DdeTestServer::Negative, "Unable to create group Tools: Program Manager refused the command"},
      {DdeTestServer::Silent, "Unable to create group Tools: Program Manager did not answer within 1000 ms"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.box);
    DdeTestServer::Options options;
    options.programManager = 1;
    options.executeAck = c.ack;
    DdeTestServer server(options);
    UseTestProgramManager();
    ModalAnswerer answerer;
    answerer.answer(c.box, IDOK);
    ProgramItem item;
    SetField(item.name, "Editor");
    SetField(item.commandline, "Editor.exe");
    EXPECT_EQ(0, controller.installer().createitem("Tools", item));
    ProgramGroupsManager::instance().setenvironment(ProgramGroupsManager::SystemEnvironment());
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  }
}

} // namespace
