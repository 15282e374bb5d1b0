#include <engine/tests/InstallerFixture.h>

#include <engine/log/LogDump.h>
#include <engine/log/LogUndo.h>
#include <engine/operations/FileJob.h>
#include <engine/operations/IniFile.h>
#include <engine/operations/ProgramGroupsManager.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <windows.h>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

std::string Value(int root, const char* path, const char* name) {
  HKEY key;
  if (RegOpenKeyExA(RegistryRoot(root), path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return "<no key>";
  char text[256] = {};
  DWORD size = sizeof text - 1;
  LONG result = RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS ? text : "<none>";
}

int KeyExists(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return 0;
  RegCloseKey(key);
  return 1;
}

// Reads the log back and undoes its records newest first, as the uninstaller does.
std::vector<std::unique_ptr<LogRecord>> UndoLog(const std::string& path, Installer& installer) {
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  EXPECT_EQ(1, ReadLog(path.c_str(), header, records, error)) << error;
  PrepareUndo(records, installer);
  for (auto entry = records.rbegin(); entry != records.rend(); ++entry)
    if ((*entry)->status == ToUndo)
      UndoLogRecord(**entry, installer);
  return records;
}

class LogUndoTest : public ::testing::Test {
protected:
  LogUndoTest() { UseShellFolderGroups(f.file("programs")); }
  ~LogUndoTest() override {
    ProgramGroupsManager::instance().setenvironment(ProgramGroupsManager::SystemEnvironment());
  }

  // The undoing installer: same platform, no log.
  Installer undoer() { return Installer(f.installer.platform()); }

  InstallerFixture f;
};

TEST_F(LogUndoTest, InstallUndoneRecordByRecord) {
  std::string ini = f.file("app.ini");
  writeFile(ini, "[Old]\r\na=1\r\na=2\r\n");
  writeFile(f.file("keep.txt"), "keep");
  writeFile(f.file("grow.txt"), "grow");
  writeFile(f.file("victim.txt"), "gone for good");
  writeFile(f.file("source.exe"), "program");
  writeFile(f.file("more.txt"), "+more");
  Installer& in = f.installer;
  in.createkey(2, "Software\\KxTest\\Pre");
  in.setstring(2, "Software\\KxTest\\Pre", "p", "old");
  in.setstring(2, "Software\\KxTest\\Pre", "q", "kept");
  in.setstring(2, "Software\\KxTest\\Gone\\Deep", "d", "deep");

  std::string logPath = f.file("kxlog3.000");
  {
    auto writer = LogFileWriter::OpenLogPath(logPath.c_str(), LogHeader());
    ASSERT_NE(nullptr, writer);
    in.switchlog(writer.get());
    ASSERT_EQ(0, in.createdirectory(f.file("app\\bin").c_str()));
    ASSERT_EQ(1, in.copy(f.file("source.exe").c_str(), f.file("app\\bin\\x.exe").c_str()));
    ASSERT_EQ(1, in.setattributes(f.file("keep.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_EQ(1, in.move(f.file("app\\bin\\x.exe").c_str(), f.file("app\\bin\\y.exe").c_str()));
    ASSERT_EQ(1, in.setentry(ini.c_str(), "Old", "b", "new"));
    ASSERT_EQ(1, in.replaceentry(ini.c_str(), "Old", "a", "changed", 1));
    ASSERT_EQ(1, in.insertentry(ini.c_str(), "Old", "a", "first", 0));
    ASSERT_EQ(1, in.deleteentry(ini.c_str(), "Old", "a", 1));
    ASSERT_EQ(1, in.addsection(ini.c_str(), "Added"));
    ASSERT_EQ(1, in.setentry(ini.c_str(), "New", "k", "v"));
    ASSERT_EQ(1, in.createkey(2, "Software\\KxTest\\App\\Sub"));
    ASSERT_EQ(1, in.setstring(2, "Software\\KxTest\\App", "v", "1"));
    ASSERT_EQ(1, in.setstring(2, "Software\\KxTest\\Pre", "p", "new"));
    ASSERT_EQ(1, in.deletevalue(2, "Software\\KxTest\\Pre", "q"));
    ASSERT_EQ(1, in.deletekey(2, "Software\\KxTest\\Gone"));
    writer->datablock(7, "data");
    FileJob append;
    append.source = std::make_unique<PlainFileSource>(f.file("more.txt"));
    append.target = std::make_unique<AppendWriter>();
    append.targetpath = f.file("grow.txt");
    ASSERT_EQ(1, InstallFileItem(in, append));
    ProgramItem item;
    SetField(item.name, "Tool");
    SetField(item.commandline, "c:\\windows\\notepad.exe");
    ASSERT_EQ(1, in.createitem("Kx Group", item));
    ASSERT_EQ(1, in.deletefile(f.file("victim.txt").c_str()));
    in.restorelog();
  }
  EXPECT_EQ("grow+more", readFile(f.file("grow.txt")));
  EXPECT_TRUE(fileExists(f.file("programs\\Kx Group\\Tool.lnk")));

  Installer undo = undoer();
  ModalAnswerer answerer;
  auto records = UndoLog(logPath, undo);
  EXPECT_TRUE(answerer.seen().empty()) << answerer.describeSeen();
  for (const auto& entry : records)
    EXPECT_EQ(entry->type() == LogFileDeleted ? CannotUndo : Undone, entry->status)
        << "type " << entry->type();

  EXPECT_FALSE(fileExists(f.file("app")));
  EXPECT_EQ(0u, GetFileAttributesA(f.file("keep.txt").c_str()) & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ("grow", readFile(f.file("grow.txt")));
  EXPECT_FALSE(fileExists(f.file("victim.txt")));
  std::string value;
  EXPECT_EQ(2, IniCountEntries(ini.c_str(), "Old", nullptr));
  EXPECT_EQ(1, IniGetValue(ini.c_str(), "Old", "a", 0, value));
  EXPECT_EQ("1", value);
  EXPECT_EQ(1, IniGetValue(ini.c_str(), "Old", "a", 1, value));
  EXPECT_EQ("2", value);
  EXPECT_EQ(-1, IniCountLines(ini.c_str(), "New"));
  EXPECT_EQ(-1, IniCountLines(ini.c_str(), "Added"));
  EXPECT_FALSE(KeyExists("Software\\KxTest\\App"));
  EXPECT_EQ("old", Value(2, "Software\\KxTest\\Pre", "p"));
  EXPECT_EQ("kept", Value(2, "Software\\KxTest\\Pre", "q"));
  EXPECT_EQ("deep", Value(2, "Software\\KxTest\\Gone\\Deep", "d"));
  EXPECT_FALSE(fileExists(f.file("programs\\Kx Group")));
}

TEST_F(LogUndoTest, WhatOthersAddedIsNotRemovedUnasked) {
  Installer& in = f.installer;
  std::string ini = f.file("s.ini");
  in.createdirectory(f.file("dir").c_str());
  in.addsection(ini.c_str(), "Sec");
  in.createkey(2, "Software\\KxTest\\K");
  writeFile(f.file("dir\\theirs.txt"), "theirs");
  WritePrivateProfileStringA("Sec", "theirs", "1", ini.c_str());
  RegCloseKey([] {
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\KxTest\\K\\Theirs", &key);
    return key;
  }());
  Installer undo = undoer();
  for (int answer : {IDNO, IDYES}) {
    ModalAnswerer answerer;
    answerer.answerAlways("", answer);
    for (auto entry = f.log.records.rbegin(); entry != f.log.records.rend(); ++entry) {
      int asked = (entry->type() == LogDirCreated && entry->text(0) == f.file("dir")) ||
                  entry->type() == LogIniSectionAdded ||
                  (entry->type() == LogKeyCreated && entry->text(0) == "Software\\KxTest\\K");
      if (!asked)
        continue;
      // Kept by the user's No: that counts as undone, not as a failure.
      EXPECT_EQ(1, UndoLogRecord(*entry, undo)) << entry->type();
      EXPECT_EQ(answer == IDYES ? Undone : Kept, entry->status);
    }
    EXPECT_EQ(3u, answerer.seen().size());
    EXPECT_EQ(answer == IDNO, fileExists(f.file("dir\\theirs.txt")));
    EXPECT_EQ(answer == IDNO, IniCountLines(ini.c_str(), "Sec") == 1);
    EXPECT_EQ(answer == IDNO, KeyExists("Software\\KxTest\\K\\Theirs"));
  }
}

LogRecord Record(int type, std::vector<std::string> texts, long number = 0) {
  LogRecord record(type);
  for (size_t i = 0; i < texts.size(); ++i)
    record.fields[i].text = texts[i];
  record.fields[0].number = number;
  return record;
}

// Enter on a question whose Yes removes what others still use must keep it: No is the default.
TEST_F(LogUndoTest, QuestionsThatRemoveWhatOthersUseDefaultToNo) {
  std::string ini = f.file("s.ini");
  CreateDirectoryA(f.file("dir").c_str(), nullptr);
  writeFile(f.file("dir\\theirs.txt"), "theirs");
  WritePrivateProfileStringA("Sec", "theirs", "1", ini.c_str());
  RegCloseKey([] {
    HKEY key;
    RegCreateKeyA(HKEY_CURRENT_USER, "Software\\KxTest\\K\\Theirs", &key);
    return key;
  }());
  f.installer.creategroup("Group");
  ProgramItem item;
  SetField(item.name, "Theirs");
  SetField(item.commandline, "c:\\theirs.exe");
  f.installer.createitem("Group", item);
  struct Case {
    const char* name;
    LogRecord record;
  } cases[] = {
      {"a folder with files", Record(LogDirCreated, {f.file("dir")})},
      {"a section with entries", Record(LogIniSectionAdded, {ini, "Sec"})},
      {"a key with subkeys", Record(LogKeyCreated, {"Software\\KxTest\\K"}, 2)},
      {"a group with items", Record(LogGroupCreated, {"Group"})},
  };
  Installer undo = undoer();
  for (Case& c : cases) {
    int noIsDefault = -1;
    ModalAnswerer answerer;
    answerer.act("Remove", [&](HWND box) {
      noIsDefault = (GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON &&
                    (GetWindowLongA(GetDlgItem(box, IDYES), GWL_STYLE) & 0x0F) != BS_DEFPUSHBUTTON;
      PostMessageA(box, WM_COMMAND, IDNO, 0);
    });
    EXPECT_EQ(1, UndoLogRecord(c.record, undo)) << c.name;
    EXPECT_EQ(Kept, c.record.status) << c.name;
    EXPECT_EQ(1, noIsDefault) << c.name << "\n" << answerer.describeSeen();
  }
  EXPECT_TRUE(fileExists(f.file("dir\\theirs.txt")));
}

TEST_F(LogUndoTest, SharedFilesAreCountedDown) {
  std::string lib = f.file("shared\\lib.dll");
  writeFile(f.file("lib.dll"), "lib");
  struct Case {
    const char* name;
    int count;  // before the undo
    int answer; // to "Remove the shared file?"; 0 when none is asked
    int kept;
    int countAfter;
    int status; // the user's keeping is shown as kept; the rest of the product's part is undone
  } cases[] = {
      {"others use it", 3, 0, 1, 2, Undone},
      {"last user, kept", 1, IDNO, 1, 1, Kept},
      {"last user, removed", 1, IDYES, 0, 0, Undone},
      {"not counted", 0, 0, 0, 0, Undone},
  };
  for (const Case& c : cases) {
    writeFile(lib, "lib");
    f.installer.writecount(lib.c_str(), c.count);
    if (!c.count)
      f.installer.decrementcount(lib.c_str());
    LogRecord created(LogFileCreated);
    created.fields[0].text = lib;
    Installer undo = undoer();
    ModalAnswerer answerer;
    if (c.answer)
      answerer.answer("", c.answer);
    EXPECT_EQ(1, UndoLogRecord(created, undo)) << c.name;
    EXPECT_EQ(c.status, created.status) << c.name;
    EXPECT_EQ(c.kept, fileExists(lib)) << c.name;
    EXPECT_EQ(c.countAfter, undo.readcount(lib.c_str())) << c.name;
  }
}

// An install over a file that was there before: the uninstall gives the old file back, unless it keeps
// the new one (a shared file still used, or kept on the question): then the old one stays beside it.
TEST_F(LogUndoTest, AReplacedFileComesBackUnlessTheNewOneIsKept) {
  struct Case {
    const char* name;
    const char* target;
    int count;  // the shared count before the install
    int answer; // to "Remove the shared file?"; 0 when none is asked
    const char* afterward;
    int backupStays;
  } cases[] = {
      {"a file of its own", "app\\own.txt", 0, 0, "the user's", 0},
      {"a shared file, removed", "shared\\removed.txt", 0, IDYES, "the user's", 0},
      {"a shared file, kept", "shared\\kept.txt", 0, IDNO, "the product's", 1},
      {"a shared file others use", "shared\\used.txt", 1, 0, "the product's", 1},
  };
  for (const Case& c : cases) {
    std::string target = f.file(c.target);
    std::string backup = target.substr(0, target.size() - 3) + "bak";
    f.installer.createdirectory(
        f.file(std::string(c.target).substr(0, std::string(c.target).find('\\'))).c_str());
    writeFile(target, "the user's");
    writeFile(f.file("payload.txt"), "the product's");
    f.installer.writecount(target.c_str(), c.count);
    EXPECT_EQ(c.count, f.installer.readcount(target.c_str())) << c.name << ": a new count reads back";
    std::string logPath = f.file("kxlog3.000");
    {
      auto writer = LogFileWriter::OpenLogPath(logPath.c_str(), LogHeader());
      f.installer.switchlog(writer.get());
      ASSERT_EQ(1, f.installer.copy(f.file("payload.txt").c_str(), target.c_str())) << c.name;
      f.installer.restorelog();
    }
    EXPECT_EQ("the user's", readFile(backup)) << c.name;
    Installer undo = undoer();
    ModalAnswerer answerer;
    answerer.answerAlways("is kept", IDOK);
    int defaultButton = 0;
    if (c.answer)
      answerer.act("shared file", [&defaultButton, &c](HWND box) {
        defaultButton =
            (GetWindowLongA(GetDlgItem(box, IDNO), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON ? IDNO : IDYES;
        PostMessageA(box, WM_COMMAND, c.answer, 0);
      });
    UndoLog(logPath, undo);
    EXPECT_EQ(c.answer ? IDNO : 0, defaultButton) << c.name << ": Enter keeps the file";
    EXPECT_EQ(c.afterward, readFile(target)) << c.name;
    EXPECT_EQ(c.backupStays, answerer.describeSeen().find(backup) != std::string::npos)
        << c.name << ": the user is told where the old file is\n"
        << answerer.describeSeen();
    EXPECT_EQ(c.backupStays, fileExists(backup)) << c.name;
    if (c.backupStays) {
      EXPECT_EQ("the user's", readFile(backup)) << c.name;
    }
    DeleteFileA(logPath.c_str());
  }
}

// A move over a file that was there: the uninstall moves the file back and gives the old one its name.
TEST_F(LogUndoTest, AMoveOverAFileIsUndoneWhole) {
  writeFile(f.file("moved.txt"), "moved");
  writeFile(f.file("there.txt"), "was there");
  std::string logPath = f.file("kxlog3.000");
  {
    auto writer = LogFileWriter::OpenLogPath(logPath.c_str(), LogHeader());
    f.installer.switchlog(writer.get());
    ASSERT_EQ(1, f.installer.move(f.file("moved.txt").c_str(), f.file("there.txt").c_str()));
    f.installer.restorelog();
  }
  Installer undo = undoer();
  UndoLog(logPath, undo);
  EXPECT_EQ("moved", readFile(f.file("moved.txt")));
  EXPECT_EQ("was there", readFile(f.file("there.txt")));
  EXPECT_FALSE(fileExists(f.file("there.bak")));
}

// An initialisation file an INI operation of the install created goes with the uninstall only when
// nothing but the install's entries was in it; what others wrote since keeps it, with their lines as
// they were. A product's own INI file, copied from its distribution, goes with the undo of its copy
// like any copied file, whatever the script or others wrote into it.
TEST_F(LogUndoTest, AnIniFileOthersWroteToIsKept) {
  struct Case {
    const char* name;
    const char* shipped; // the file as the distribution holds it, copied first; none: not copied
    const char* file;
    const char* section;
    const char* othersSection; // what another program writes after the install; none: nothing
    const char* othersKey;
    int answer;            // to the question about a section still holding entries
    const char* afterward; // none: the file is gone
  } cases[] = {
      {"only the install's entry", nullptr, "app.ini", "App", nullptr, nullptr, 0, nullptr},
      {"another program's section", nullptr, "app.ini", "App", "Other", "Key", 0, "[Other]\r\nKey=1\r\n"},
      {"another program's entry in the install's section, No", nullptr, "app.ini", "App", "App", "Theirs",
       IDNO, "[App]\r\nTheirs=1\r\n"},
      {"another product's recorded version", nullptr, "kxver.ini", "iniversion", "iniversion",
       "C:\\other.dll", IDNO, "[iniversion]\r\nC:\\other.dll=1\r\n"},
      {"copied, an entry into its own section", "[App]\r\nShipped=1\r\n", "app.ini", "App", nullptr, nullptr,
       0, nullptr},
      {"copied, then another program's section", "[App]\r\nShipped=1\r\n", "app.ini", "App", "Other", "Key",
       0, nullptr},
  };
  for (const Case& c : cases) {
    std::string ini = f.file(c.file);
    std::string logPath = f.file("kxlog3.000");
    if (c.shipped)
      writeFile(f.file("payload.ini"), c.shipped);
    {
      auto writer = LogFileWriter::OpenLogPath(logPath.c_str(), LogHeader());
      f.installer.switchlog(writer.get());
      if (c.shipped) {
        ASSERT_EQ(1, f.installer.copy(f.file("payload.ini").c_str(), ini.c_str())) << c.name;
      }
      ASSERT_EQ(1, f.installer.setentry(ini.c_str(), c.section, "Mine", "1")) << c.name;
      f.installer.restorelog();
    }
    if (c.othersSection) {
      WritePrivateProfileStringA(c.othersSection, c.othersKey, "1", ini.c_str());
      WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
    }
    Installer undo = undoer();
    ModalAnswerer answerer;
    answerer.answerAlways("is kept", IDOK);
    if (c.answer)
      answerer.answer("still holds", c.answer);
    UndoLog(logPath, undo);
    EXPECT_EQ(c.afterward != nullptr, fileExists(ini)) << c.name;
    EXPECT_EQ(c.afterward != nullptr, answerer.describeSeen().find("is kept") != std::string::npos)
        << c.name << ": the user is told\n"
        << answerer.describeSeen();
    if (c.afterward) {
      EXPECT_EQ(c.afterward, readFile(ini)) << c.name;
    }
    DeleteFileA(ini.c_str());
    DeleteFileA(logPath.c_str());
  }
}

TEST_F(LogUndoTest, SharedCountBalancesAfterInstallAndUndo) {
  writeFile(f.file("lib.dll"), "lib");
  std::string lib = f.file("shared\\lib.dll");
  std::string logPath = f.file("kxlog3.000");
  {
    auto writer = LogFileWriter::OpenLogPath(logPath.c_str(), LogHeader());
    f.installer.switchlog(writer.get());
    ASSERT_EQ(1, f.installer.copy(f.file("lib.dll").c_str(), lib.c_str()));
    f.installer.restorelog();
  }
  EXPECT_EQ(1, f.installer.readcount(lib.c_str()));
  Installer undo = undoer();
  ModalAnswerer answerer;
  answerer.answer("", IDYES); // "Remove the shared file?"
  UndoLog(logPath, undo);
  EXPECT_EQ(0, undo.readcount(lib.c_str()));
  EXPECT_FALSE(fileExists(lib));
}

} // namespace
