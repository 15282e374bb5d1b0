#include <engine/builder/LibraryPacker.h>
#include <engine/controllers/tests/InstallControllerFixture.h>
#include <engine/log/LogDump.h>
#include <engine/tests/InstallerFixture.h>

#include <foundation/tests/checkrecorder.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::writeFile;

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
    return 1;
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
