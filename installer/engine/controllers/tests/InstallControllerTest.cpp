#include <engine/builder/LibraryPacker.h>
#include <engine/controllers/InstallController.h>
#include <engine/controllers/Scramble.h>
#include <engine/log/LogDump.h>
#include <engine/operations/ProgramGroupsManager.h>
#include <engine/tests/InstallerFixture.h>
#include <foundation/dialogs/msgbox.h>

#include <engine/tests/ScriptSideStub.h>
#include <engine/tests/TestFolders.h>
#include <foundation/tests/checkrecorder.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RegistrySandbox.h>
#include <tests/support/SentInput.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <kxlang/kxlangids.h>

#include <cstring>
#include <dlgs.h>
#include <functional>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// The install controller with a script side that answers from its fields.
class FakeScriptController : public ScriptSideStub {
public:
  explicit FakeScriptController(const std::string& engine) : ScriptSideStub(engine) {
    productName = "Demo Product";
  }

  int loadscript() override { return loads; }
  int runscript() override {
    calls += "runscript ";
    return runResult;
  }
  int diskmap(DiskMap& map) override {
    map = disks;
    return hasDiskMap;
  }
  int partcount() override { return static_cast<int>(sizes.size()); }
  long partsize(int part) override { return sizes[static_cast<size_t>(part)]; }
  long minimumitemtime() override { return minimumTime; }

  void setsource(const char* folder, int mode) {
    std::snprintf(sourceFolder_, sizeof sourceFolder_, "%s", folder);
    mediaMode_ = mode;
  }
  void setlabels(std::vector<std::string> labels) { map_.labels = std::move(labels); }
  void registeruninstaller(const std::string& folder, int append) {
    uninstallFolder_ = folder;
    appendLog_ = append;
  }
  int openworkinglog() {
    std::strcpy(product_, "Demo Product");
    return openlog();
  }
  void closeworkinglog() { closelog(); }
  int loadlanguage() {
    return library_.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll");
  }
  void setparts(std::vector<long> partSizes) {
    sizes = std::move(partSizes);
    parts_.assign(sizes.size(), 1);
  }
  std::vector<int>& parts() { return parts_; }

  int loads = 1;
  int runResult = 0;
  long minimumTime = 0;
  int hasDiskMap = 1;
  std::vector<long> sizes;
  std::string calls;
};

struct ControllerFixture : ::testing::Test {
  testsupport::RegistrySandbox sandbox;
  TempDir dir;
  FakeScriptController controller{dir.path()};

  std::string ini() const { return dir.file("kxmain.ini"); }
};

TEST(InstallControllerRules, DrivesClassifyWithSixtyFourBitFreeSpace) {
  struct Row {
    const char* name;
    const char* path;
    UINT type;
    long long free;
    int expected;
  } rows[] = {
      {"floppy", "A:\\setup", DRIVE_REMOVABLE, 1440 * 1024, 0},
      {"large removable", "E:\\setup", DRIVE_REMOVABLE, 4096LL * 10240, 2},
      {"removable above 4 GB", "E:\\setup", DRIVE_REMOVABLE, 6LL << 30, 2},
      {"fixed", "c:\\setup", DRIVE_FIXED, 0, 1},
      {"remote", "N:\\", DRIVE_REMOTE, 0, 3},
      {"CD-ROM", "D:\\disk001", DRIVE_CDROM, 0, 4},
      {"UNC path", "\\\\server\\share\\setup", DRIVE_UNKNOWN, 0, 3},
      {"no drive", "setup", DRIVE_FIXED, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string asked;
    DrivePlatform drives;
    drives.type = [&](const char* root) {
      asked = root;
      return row.type;
    };
    drives.freebytes = [&](const char*) { return row.free; };
    EXPECT_EQ(row.expected, DriveClass(row.path, drives));
  }
  EXPECT_EQ("C:\\", DriveRoot("C:\\x\\y"));
  EXPECT_EQ("C:\\", DriveRoot("C:"));
  EXPECT_EQ("\\\\server\\share\\", DriveRoot("\\\\server\\share\\setup"));
}

TEST(InstallControllerRules, MediaModeFollowsTheDriveAndTheDiskFolder) {
  struct Row {
    int driveClass;
    const char* folder;
    int mode;
  } rows[] = {{0, "setup", 1},   {0, "DISK001", -1}, {1, "setup", 0}, {1, "Disk001", 2},
              {2, "disk001", 2}, {3, "disk001", 2},  {4, "setup", 0}, {4, "disk001", -1}};
  for (const Row& row : rows)
    EXPECT_EQ(row.mode, ChooseMediaMode(row.driveClass, row.folder)) << row.driveClass << " " << row.folder;
}

TEST(InstallControllerRules, ProgressAndFinish) {
  EXPECT_EQ(100, ProgressPercent(0, 0));
  EXPECT_EQ(100, ProgressPercent(7, 0));
  EXPECT_EQ(0, ProgressPercent(0, 10));
  EXPECT_EQ(50, ProgressPercent(5, 10));
  EXPECT_EQ(100, ProgressPercent(12, 10));
  EXPECT_EQ(33, ProgressPercent(1LL << 40, 3LL << 40));
  struct Row {
    int kind, deferred, dos, systemIni, type;
  } rows[] = {{0, 0, 0, 0, 0}, {0, 1, 1, 1, 2}, {0, 0, 1, 1, 4}, {0, 0, 0, 1, 2},
              {1, 1, 1, 1, 0}, {2, 0, 0, 0, 2}, {3, 0, 0, 0, 4}, {4, 0, 0, 0, 1}};
  for (const Row& row : rows)
    EXPECT_EQ(row.type, FinishType(row.kind, row.deferred, row.dos, row.systemIni)) << row.kind;
}

TEST_F(ControllerFixture, InitialiseReadsTheSettingsAndRefusesWhatIsMissing) {
  ModalAnswerer answerer;
  answerer.answerAlways("p or sz undefined", IDOK).answerAlways("Invalid packaging-media", IDOK);
  struct Row {
    const char* name;
    const char* settings;
    int result;
  } rows[] = {
      {"empty", "", 0},
      {"no size", "[x]\r\np=C:\\setup\r\n", 0},
      {"disk folder on a CD-ROM", "[x]\r\np=D:\\DISK001\r\nsz=5\r\n", 0},
      {"fine", "[x]\r\np=C:\\setup\\\r\nsz=5\r\ncmdl=one two\r\n", 1},
  };
  controller.drives.type = [](const char* root) { return root[0] == 'D' ? DRIVE_CDROM : DRIVE_FIXED; };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    writeFile(ini(), row.settings);
    EXPECT_EQ(row.result, controller.initialise());
  }
  EXPECT_STREQ("C:\\setup", controller.sourceFolder());
  EXPECT_EQ(0, controller.mediaMode());
  EXPECT_EQ(2, controller.argumentcount());
  char argument[256];
  ASSERT_TRUE(controller.argument(1, argument));
  EXPECT_STREQ("two", argument);
  answerer.answer("No argument at 2", IDOK);
  EXPECT_FALSE(controller.argument(2, argument));
  EXPECT_EQ(4u, answerer.seen().size()) << answerer.describeSeen();
}

TEST_F(ControllerFixture, OperationsChangeTheMachineAndLogIt) {
  ASSERT_TRUE(controller.openworkinglog());
  std::string file = dir.file("app.ini");
  IniWriteRecord set{file.c_str(), "S", "k", "one", {0, 1, 1}, 1000};
  EXPECT_TRUE(controller.writeini(set));
  IniWriteRecord keep{file.c_str(), "S", "k", "two", {0, 0, 1}, 1000};
  EXPECT_TRUE(controller.writeini(keep)); // an existing entry is not overwritten
  IniWriteRecord duplicate{file.c_str(), "S", "k", "ONE", {1, -1, 0}, 1000};
  EXPECT_TRUE(controller.writeini(duplicate)); // nor is a value it holds added again
  char value[256];
  GetPrivateProfileStringA("S", "k", "", value, sizeof value, file.c_str());
  EXPECT_STREQ("one", value);

  const char* texts[4] = {dir.path().c_str(), "app.ini", "S", "k"};
  int exists = 0;
  EXPECT_TRUE(controller.readini(texts, exists, value));
  EXPECT_EQ(1, exists);
  EXPECT_STREQ("one", value);
  const char* missing[4] = {dir.path().c_str(), "app.ini", "S", "none"};
  EXPECT_TRUE(controller.readini(missing, exists, value));
  EXPECT_EQ(0, exists);

  DWORD number = 7;
  EXPECT_TRUE(controller.writeregistry(2, "Software\\KxTest", "n", REG_DWORD, &number, 4));
  EXPECT_TRUE(controller.queryregistry(2, "Software\\KxTest", "n", exists, value));
  EXPECT_EQ(1, exists);
  EXPECT_STREQ("7", value);
  EXPECT_TRUE(controller.writeregistry(2, "Software\\KxTest\\Empty", "", REG_NONE, nullptr, 0));
  const char lines[] = "first\r\n\r\nsecond\r\n";
  EXPECT_TRUE(controller.writeregistry(2, "Software\\KxTest", "m", REG_MULTI_SZ, lines, sizeof lines));
  char multi[64] = "";
  DWORD multiSize = sizeof multi;
  ASSERT_EQ(ERROR_SUCCESS, RegGetValueA(HKEY_CURRENT_USER, "Software\\KxTest", "m", RRF_RT_REG_MULTI_SZ,
                                        nullptr, multi, &multiSize));
  EXPECT_EQ(std::string("first\0second\0\0", 14), std::string(multi, multiSize));

  EXPECT_TRUE(controller.createfolder(dir.file("made").c_str()));
  writeFile(dir.file("made\\a.txt"), "a");
  EXPECT_TRUE(controller.movefile(dir.file("made\\a.txt").c_str(), dir.file("made\\b.txt").c_str()));
  EXPECT_EQ("a", readFile(dir.file("made\\b.txt")));
  EXPECT_TRUE(controller.deletefile(dir.file("made\\b.txt").c_str()));
  EXPECT_EQ(0, controller.comparetexts(1, "Abc", "aBC"));
  EXPECT_NE(0, controller.comparetexts(0, "Abc", "aBC"));
  controller.closeworkinglog();

  std::string log = DumpLog(dir.file("kxlog3.nnn").c_str());
  for (const char* expected :
       {"ini-entry-created", "key-created", "value-created", "dir-created", "file-renamed", "file-deleted"})
    EXPECT_NE(std::string::npos, log.find(expected)) << expected << "\n" << log;
  EXPECT_EQ(std::string::npos, log.find("\"two\"")) << log;
}

TEST_F(ControllerFixture, ProgressCountsTheSelectedPartsAndNeverFloods) {
  ASSERT_TRUE(controller.loadlanguage()); // the progress dialog's template
  CheckRecorder checks;
  controller.setparts({100, 50, 30});
  controller.parts()[1] = 0;
  controller.begincopy(1, 3, 0);
  EXPECT_EQ(130, controller.progressTotal());
  EXPECT_EQ(13, controller.requiredspace());
  EXPECT_TRUE(controller.addprogress(65));
  EXPECT_EQ(50, controller.percent());
  EXPECT_TRUE(controller.addprogress(200));
  EXPECT_EQ(100, controller.percent());
  controller.setparts({});
  controller.begincopy(1, 0, 0);
  EXPECT_TRUE(controller.addprogress(3));
  EXPECT_EQ(100, controller.percent());
  controller.abortRequested = 1;
  EXPECT_FALSE(controller.addprogress(1));
  EXPECT_TRUE(checks.seen.empty());
}

TEST_F(ControllerFixture, DisksAreAskedForByMediaMode) {
  CreateDirectoryA(dir.file("disk001").c_str(), nullptr);
  CreateDirectoryA(dir.file("disk002").c_str(), nullptr);
  controller.setsource(dir.file("disk001").c_str(), 2);
  EXPECT_TRUE(controller.promptfordisk(1, 0));
  EXPECT_EQ(dir.file("disk002"), controller.sourceFolder());

  // A disk folder that is not there is asked for, never waited on for ever.
  {
    ModalAnswerer answerer;
    answerer.answer("Please insert disk: Disk 3", IDCANCEL).answer("Are you sure", IDYES);
    controller.setlabels({"Disk 1", "Disk 2", "Disk 3"});
    EXPECT_FALSE(controller.promptfordisk(2, 0));
    EXPECT_EQ(2u, answerer.seen().size()) << answerer.describeSeen();
  }
  {
    ModalAnswerer answerer;
    answerer.answer("Please insert disk", IDOK);
    controller.setsource(dir.path().c_str(), 1);
    EXPECT_TRUE(controller.promptfordisk(3, 0));
    EXPECT_TRUE(controller.promptfordisk(3, 0)); // the same disk is not asked for again
  }
  CheckRecorder checks;
  controller.setsource(dir.path().c_str(), 0);
  EXPECT_FALSE(controller.promptfordisk(5, 0));
  EXPECT_EQ(1u, checks.seen.size());
}

TEST_F(ControllerFixture, TheLogIsHandedOverUnderTheFirstFreeNumberOrAppended) {
  std::string uninstall = dir.file("uninst");
  CreateDirectoryA(uninstall.c_str(), nullptr);
  controller.registeruninstaller(uninstall, 0);
  // A stale working log of an earlier run is never taken for this run's.
  writeFile(dir.file("kxlog3.nnn"), "stale");
  EXPECT_EQ(0, controller.handoverlog(1));

  ASSERT_TRUE(controller.openworkinglog());
  controller.closeworkinglog();
  EXPECT_EQ(0, controller.handoverlog(1)) << "a log of the header only is not handed over";

  ASSERT_TRUE(controller.openworkinglog());
  controller.createfolder(dir.file("a").c_str());
  writeFile(uninstall + "\\kxlog3.000", "x");
  writeFile(uninstall + "\\kxlog3.002", "x");
  EXPECT_EQ(1, controller.handoverlog(1));
  EXPECT_NE(std::string::npos, DumpLog((uninstall + "\\kxlog3.001").c_str()).find("dir-created"));
  EXPECT_FALSE(fileExists(dir.file("kxlog3.nnn")));

  // Appended to the newest of the unbroken run from 000.
  DeleteFileA((uninstall + "\\kxlog3.002").c_str());
  ASSERT_TRUE(controller.openworkinglog());
  controller.createfolder(dir.file("b").c_str());
  controller.registeruninstaller(uninstall, 1);
  EXPECT_EQ(1, controller.handoverlog(1));
  std::string appended = DumpLog((uninstall + "\\kxlog3.001").c_str());
  EXPECT_NE(std::string::npos, appended.find("\\a\"")) << appended;
  EXPECT_NE(std::string::npos, appended.find("\\b\"")) << appended;
  EXPECT_FALSE(fileExists(uninstall + "\\kxlog3.002"));
}

TEST_F(ControllerFixture, AHandOverIntoAFullFolderFails) {
  std::string uninstall = dir.file("uninst");
  CreateDirectoryA(uninstall.c_str(), nullptr);
  for (int n = 0; n <= 999; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "\\kxlog3.%03d", n);
    writeFile(uninstall + name, "");
  }
  EXPECT_EQ("", FindFreeLogName(uninstall.c_str()));
  controller.registeruninstaller(uninstall, 0);
  ASSERT_TRUE(controller.openworkinglog());
  controller.createfolder(dir.file("a").c_str());
  EXPECT_EQ(-1, controller.handoverlog(1));
}

TEST_F(ControllerFixture, AnAppendGoesOnlyToALogThatIsThere) {
  std::string log = dir.file("kxlog3.000");
  writeFile(log, "earlier records");
  EXPECT_TRUE(AppendLogRecords(log.c_str(), "more"));
  EXPECT_EQ("earlier recordsmore", readFile(log));
  EXPECT_FALSE(AppendLogRecords(dir.file("none").c_str(), "x"));
  EXPECT_FALSE(fileExists(dir.file("none")));
}

TEST_F(ControllerFixture, TheMainSequenceReportsEachFailingStep) {
  struct Row {
    const char* name;
    int hasDiskMap;
    const char* message;
  } rows[] = {
      {"no disk map", 0, "Unable to get the disk map"},
      {"no language library beside the engine", 1, "Unable to load language DLL"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ModalAnswerer answerer;
    answerer.answer(row.message, IDOK);
    controller.hasDiskMap = row.hasDiskMap;
    EXPECT_EQ(1, controller.run());
    EXPECT_EQ("", controller.calls);
  }
}

} // namespace

namespace {

// Types `text` into the prompt and presses `button`.
ModalAnswerer::Action Type(std::string text, int button) {
  return [text, button](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_PROMPT_ANSWER, text.c_str());
    PostMessageA(dialog, WM_COMMAND, button, 0);
  };
}

} // namespace

TEST_F(ControllerFixture, ThePromptAnswersWhatWasTypedAndAFolderAsAFullPath) {
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

TEST_F(ControllerFixture, ThePromptStaysOpenOnAnOverLongFolderAndOnCancelUntilTheAbortIsConfirmed) {
  ASSERT_EQ(1, controller.loadlanguage());
  ASSERT_EQ(1, controller.openworkinglog());
  std::string created = dir.file("made\\here");
  ModalAnswerer answerer;
  // An over-long folder is refused; the user then types a short one into the dialog still open.
  HWND prompt = nullptr;
  auto typeLong = Type(dir.path() + "\\" + std::string(150, 'x'), IDOK);
  answerer
      .act("Pick A Place",
           [&](HWND dialog) {
             prompt = dialog;
             typeLong(dialog);
           })
      .act("too long", [&](HWND box) {
        SetDlgItemTextA(prompt, IDC_PROMPT_ANSWER, created.c_str());
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        PostMessageA(prompt, WM_COMMAND, IDOK, 0);
      });
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

// Fills both user information fields and presses `button`.
// Enters a field the way a user does: the field gets the focus (its notice reaches the dialog), then
// the text.
void EnterField(HWND dialog, int id, const std::string& text) {
  HWND field = GetDlgItem(dialog, id);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, EN_SETFOCUS), reinterpret_cast<LPARAM>(field));
  SetWindowTextA(field, text.c_str());
}

ModalAnswerer::Action FillUser(std::string name, std::string company, int button) {
  return [name, company, button](HWND dialog) {
    EnterField(dialog, IDC_ASKUI_NAME, name);
    EnterField(dialog, IDC_ASKUI_COMPANY, company);
    PostMessageA(dialog, WM_COMMAND, button, 0);
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

TEST_F(ControllerFixture, UserInformationIsCheckedAndHandedBackWithScrambledCopies) {
  ASSERT_EQ(1, controller.loadlanguage());
  UserVariables user;
  HWND dialog = nullptr;
  ModalAnswerer answerer;
  // A name of three characters is refused and the dialog stays open for a valid one.
  answerer
      .act("User Information",
           [&](HWND window) {
             dialog = window;
             FillUser("Ann", "Example Ltd", IDOK)(window);
           })
      .act("4 to 20 characters", [&](HWND box) {
        EnterField(dialog, IDC_ASKUI_NAME, "Ann Example");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
      });
  ASSERT_EQ(1, controller.userinfo(0, 0, user.pointers));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_STREQ("Ann Example", user.values[0]);
  EXPECT_STREQ("Example Ltd", user.values[1]);
  EXPECT_EQ("Ann Example", Unscrambled(user.values[2]));
  EXPECT_EQ("Example Ltd", Unscrambled(user.values[3]));

  // The name has the focus from the start: an empty one is refused even when OK is pressed at once.
  user.values[0][0] = '\0';
  answerer.act("User Information", [&](HWND window) {
    dialog = window;
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  });
  answerer.act("4 to 20 characters", [&](HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  answerer.answer("abort the installation", IDYES);
  EXPECT_EQ(0, controller.userinfo(0, 0, user.pointers));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  std::strcpy(user.values[0], "Ann Example");

  // The field takes no more typing than it holds, and the longest company still scrambles whole.
  answerer.act("User Information", [](HWND dialog) {
    EnterField(dialog, IDC_ASKUI_COMPANY, "");
    testsupport::typeText(GetDlgItem(dialog, IDC_ASKUI_COMPANY), std::string(200, 'c'));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_EQ(1, controller.userinfo(0, 0, user.pointers));
  EXPECT_EQ(std::string(79, 'c'), user.values[1]);
  EXPECT_EQ(std::string(79, 'c'), Unscrambled(user.values[3]));
}

TEST_F(ControllerFixture, ReadOnlyUserInformationIsShownAndCancelAsksTheAbortQuestion) {
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
    HWND name = GetDlgItem(dialog, IDC_ASKUI_NAME);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_ASKUI_NAME, EN_SETFOCUS), reinterpret_cast<LPARAM>(name));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(1, controller.userinfo(1, 0, user.pointers));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_STREQ("Al", user.values[0]);
}

namespace {

std::string DialogText(HWND dialog, int id) {
  char text[1024];
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

} // namespace

TEST_F(ControllerFixture, StartupMergeShowsBothFilesAndWritesTheUsersEditedText) {
  ASSERT_EQ(1, controller.loadlanguage());
  controller.startupFolder = dir.path();
  std::string file = dir.file("autoexec.bat"), lines = dir.file("strs");
  writeFile(file, "PATH C:\\DOS\r\n");
  writeFile(lines, "PATH=C:\\APP\r\n");
  std::string current, merged, backup;
  ModalAnswerer answerer;
  answerer.act("Start-up File Changes", [&](HWND dialog) {
    current = DialogText(dialog, IDC_DOSINFORM_CURRENT);
    merged = DialogText(dialog, IDC_DOSINFORM_MERGED);
    backup = DialogText(dialog, IDC_DOSINFORM_BACKUP);
    SetDlgItemTextA(dialog, IDC_DOSINFORM_MERGED, "PATH C:\\DOS;C:\\APP\r\nREM edited\r\n");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  const int autoexecOnly[3] = {1, 0, 0};
  ASSERT_EQ(1, controller.EditStartupFiles(autoexecOnly, lines.c_str()));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_EQ("PATH C:\\DOS\r\n", current);
  EXPECT_EQ("PATH C:\\DOS;C:\\APP\r\n", merged);
  EXPECT_NE(std::string::npos, backup.find("autoexec.bak")) << backup;
  EXPECT_EQ("PATH C:\\DOS;C:\\APP\r\nREM edited\r\n", readFile(file));
  EXPECT_EQ("PATH C:\\DOS\r\n", readFile(dir.file("autoexec.bak")));
}

TEST_F(ControllerFixture, DecliningTheStartupMergeChangesNothing) {
  ASSERT_EQ(1, controller.loadlanguage());
  controller.startupFolder = dir.path();
  std::string lines = dir.file("strs");
  writeFile(lines, "FILES=40\r\n");
  std::string backup;
  ModalAnswerer answerer;
  // A missing file is not kept, which the dialog says where the name would be.
  answerer.act("Start-up File Changes", [&](HWND dialog) {
    backup = DialogText(dialog, IDC_DOSINFORM_BACKUP);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  const int configOnly[3] = {0, 1, 0};
  ASSERT_EQ(1, controller.EditStartupFiles(configOnly, lines.c_str()));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
  EXPECT_EQ("The current file is not kept.", backup);
  EXPECT_FALSE(fileExists(dir.file("config.sys")));
  WIN32_FIND_DATAA data;
  HANDLE left = FindFirstFileA(dir.file("confg*").c_str(), &data);
  EXPECT_EQ(INVALID_HANDLE_VALUE, left) << data.cFileName;
  if (left != INVALID_HANDLE_VALUE)
    FindClose(left);
}

TEST_F(ControllerFixture, ACompressedFileBesideTheScriptIsUnpacked) {
  std::string data;
  for (int i = 0; data.size() < 20000; ++i)
    data += "line " + std::to_string(i) + " of the file\r\n";
  std::string packed;
  ASSERT_EQ(1, LibraryPacker().pack(data, packed));
  writeFile(dir.file("app.tx_"), packed);
  FileEntry entry{1,         0,        1, static_cast<long>(packed.size()), static_cast<long>(data.size()),
                  "app.txt", "app.txt"};
  std::string source = dir.file("app.txt"), target = dir.file("out\\app.txt");
  FileInstallRecord record = {};
  record.entry = &entry;
  record.source = source.c_str();
  record.target = target.c_str();
  ASSERT_EQ(1, controller.installfile(record));
  EXPECT_TRUE(data == readFile(target));
}

// The source turns up while the abort question is asked.
TEST_F(ControllerFixture, AFailedFileItemAsksWhetherToAbortAndTakesTheMinimumTime) {
  controller.minimumTime = 50;
  DWORD now = 7;
  long waited = 0;
  controller.tick = [&] { return now; };
  controller.wait = [&](int milliseconds) {
    waited += milliseconds;
    now += static_cast<DWORD>(milliseconds);
  };
  std::string source = dir.file("late.txt"), target = dir.file("late copy.txt");
  FileInstallRecord record = {};
  record.source = source.c_str();
  record.target = target.c_str();
  struct Row {
    const char* name;
    int button;
    int result;
  } rows[] = {{"Yes gives the item up", IDYES, 0}, {"No tries it again", IDNO, 1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    DeleteFileA(source.c_str());
    waited = 0;
    ModalAnswerer answerer;
    answerer.answer("late copy.txt", IDOK);
    answerer.act("Query Abort", [&](HWND box) {
      writeFile(source, "late");
      PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(row.button), 0);
    });
    EXPECT_EQ(row.result, controller.installfile(record));
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    EXPECT_EQ(row.result, fileExists(target));
    EXPECT_EQ(50, waited);
  }
}

TEST_F(ControllerFixture, AFileOfAnotherLanguageIsPutToTheUserWhoMayRenameTheTarget) {
  ASSERT_EQ(1, controller.loadlanguage());
  std::string newfile = TestProgramFile("kxver12.dll"), german = TestProgramFile("kxver12de.dll");
  std::string target = dir.file("app.dll"), renamed = dir.file("renamed.dll");
  writeFile(target, readFile(german));
  FileInstallRecord record = {};
  record.options[CopyComparator] = 3;
  record.source = newfile.c_str();
  record.target = target.c_str();
  struct Row {
    const char* name;
    int button;
    const char* renamedTo; // none: keep the shown path
    std::string targetText, renamedText;
  } rows[] = {
      {"Cancel keeps the existing file", IDCANCEL, nullptr, readFile(german), ""},
      {"OK installs under the edited name", IDOK, renamed.c_str(), readFile(german), readFile(newfile)},
      {"OK installs over the existing file", IDOK, nullptr, readFile(newfile), readFile(newfile)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string shownNew, shownOld, version;
    ModalAnswerer answerer;
    answerer.act("Replace File", [&](HWND dialog) {
      shownNew = DialogText(dialog, IDC_AOW_NEWPATH);
      shownOld = DialogText(dialog, IDC_AOW_OLDPATH);
      version = DialogText(dialog, IDC_AOW_OLDVERSION);
      if (row.renamedTo)
        SetDlgItemTextA(dialog, IDC_AOW_OLDPATH, row.renamedTo);
      PostMessageA(dialog, WM_COMMAND, row.button, 0);
    });
    ASSERT_EQ(1, controller.installfile(record));
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    EXPECT_EQ(newfile, shownNew);
    EXPECT_EQ(target, shownOld);
    EXPECT_EQ("1.2.0.0", version);
    EXPECT_EQ(row.targetText, readFile(target));
    EXPECT_EQ(row.renamedText, fileExists(renamed) ? readFile(renamed) : "");
  }
}

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

TEST_F(ControllerFixture, ProgramsRunFromTheirFolderAndHandBackTheirExitCode) {
  ASSERT_EQ(1, controller.loadlanguage());
  RunRecord wait{SW_HIDE, WaitForExit, 0, "cmd.exe", "/c echo here>ran.txt & exit 7", dir.path().c_str(), ""};
  int value = 0;
  ASSERT_EQ(1, controller.runprogram(wait, value));
  EXPECT_EQ(7, value);
  EXPECT_TRUE(fileExists(dir.file("ran.txt"))) << "the program ran in the request's folder";

  ModalAnswerer answerer;
  answerer.answer("Unable to execute \"no-such-program.exe\"", IDOK);
  RunRecord missing{SW_HIDE, WaitNone, 0, "no-such-program.exe", "", "", ""};
  EXPECT_EQ(0, controller.runprogram(missing, value));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

TEST(InstallControllerRules, QuotedPathsInACommandLineTakeTheirShortForm) {
  auto shorten = [](const std::string& path) -> std::string {
    if (path == "C:\\Program Files\\Demo\\demo.exe")
      return "C:\\PROGRA~1\\Demo\\demo.exe";
    if (path == "C:\\My Data")
      return "C:\\MYDATA~1";
    return "";
  };
  struct Row {
    const char* line;
    const char* expected;
  } rows[] = {
      {"notepad.exe readme.txt", "notepad.exe readme.txt"},
      {"\"C:\\Program Files\\Demo\\demo.exe\" -x", "C:\\PROGRA~1\\Demo\\demo.exe -x"},
      {"\"C:\\Program Files\\Demo\\demo.exe\" \"C:\\My Data\"", "C:\\PROGRA~1\\Demo\\demo.exe C:\\MYDATA~1"},
      {"demo.exe \"C:\\Not There\\x\"", "demo.exe \"C:\\Not There\\x\""},
      {"demo.exe \"C:\\My Data", "demo.exe \"C:\\My Data"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.expected, ShortenQuotedPaths(row.line, shorten)) << row.line;
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
