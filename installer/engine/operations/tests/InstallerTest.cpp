#include <engine/tests/InstallerFixture.h>
#include <engine/tests/MachineSnapshot.h>

#include <engine/operations/IniFile.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <windows.h>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

class InstallerTest : public ::testing::Test {
protected:
  InstallerFixture f;
};

TEST_F(InstallerTest, DeletingAReadOnlyFileLogsTheAttributesFirst) {
  writeFile(f.file("ro.txt"), "x");
  SetFileAttributesA(f.file("ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(1, f.installer.deletefile(f.file("ro.txt").c_str()));
  EXPECT_EQ(1, f.installer.deletefile(f.file("none.txt").c_str()));
  EXPECT_EQ("6 " + f.file("ro.txt") + " 33 128\n3 " + f.file("ro.txt") + "\n", f.log.lines());
}

TEST_F(InstallerTest, DirectoriesAreCreatedWithTheirParents) {
  EXPECT_EQ(0, f.installer.createdirectory(f.file("a\\b").c_str()));
  EXPECT_EQ(1, f.installer.createdirectory(f.file("a\\b").c_str()));
  EXPECT_EQ("0 " + f.file("a") + "\n0 " + f.file("a\\b") + "\n", f.log.lines());
  f.installer.quiet = 1;
  EXPECT_EQ(2, f.installer.createdirectory("q:\\nowhere\\x"));
  EXPECT_EQ(Installer::MkdirFailed, f.installer.error);
}

TEST_F(InstallerTest, MoveReplacesTheDestinationAndLogsTheRename) {
  writeFile(f.file("a.txt"), "a");
  writeFile(f.file("sub\\b.txt"), "b");
  CreateDirectoryA(f.file("sub").c_str(), nullptr);
  writeFile(f.file("sub\\b.txt"), "b");
  EXPECT_EQ(1, f.installer.move(f.file("a.txt").c_str(), f.file("sub\\b.txt").c_str()));
  EXPECT_EQ("a", readFile(f.file("sub\\b.txt")));
  // The file moved over is kept under a backup name, and both renames are logged, so both undo.
  EXPECT_EQ("b", readFile(f.file("sub\\b.bak")));
  EXPECT_EQ("2 " + f.file("sub\\b.txt") + " " + f.file("sub\\b.bak") + "\n2 " + f.file("a.txt") + " " +
                f.file("sub\\b.txt") + "\n",
            f.log.lines());
  ModalAnswerer answerer;
  answerer.answer("not found", IDOK);
  EXPECT_EQ(0, f.installer.move(f.file("a.txt").c_str(), f.file("c.txt").c_str()));
}

// A change whose record the log cannot hold is not made at all (and said), so that the uninstall
// never misses one; the changes after it are made and logged as usual.
TEST_F(InstallerTest, AChangeTheLogCannotHoldIsNotMade) {
  std::string ini = f.file("big.ini");
  std::string huge(70000, 'v');
  writeFile(ini, "[Main]\r\nKey=" + huge + "\r\n");
  std::string part(100, 'k');
  std::string longKey = "Software\\KxTest\\" + part + "\\" + part + "\\" + part;
  ModalAnswerer answerer;
  answerer.answerAlways("too large for the operation log", IDOK);
  EXPECT_EQ(0, f.installer.setentry(ini.c_str(), "Main", "Key", "small"));
  EXPECT_EQ(0, f.installer.replaceentry(ini.c_str(), "Main", "Key", "small", 0));
  EXPECT_EQ(0, f.installer.deleteentry(ini.c_str(), "Main", "Key", 0));
  EXPECT_EQ(0, f.installer.createkey(2, longKey.c_str()));
  EXPECT_EQ(0, f.installer.setstring(2, longKey.c_str(), "v", "x"));
  EXPECT_EQ(5u, answerer.seen().size()) << answerer.describeSeen();
  EXPECT_EQ("[Main]\r\nKey=" + huge + "\r\n", readFile(ini));
  EXPECT_EQ("", f.log.lines());
  EXPECT_EQ(1, f.installer.setentry(ini.c_str(), "Main", "Other", "1"));
  EXPECT_EQ("7 " + ini + " Main Other 0\n", f.log.lines());
}

// A removal of a folder with its contents never goes above the folder it names: a path with a "."
// or ".." part, the Windows folder and a folder that holds it are refused and nothing is deleted or
// logged; another product's folder beside the target stays byte for byte.
TEST_F(InstallerTest, ARemovalNeverTakesMoreThanTheFolderItNames) {
  InstallerPlatform platform;
  platform.windowsfolder = f.file("Apps\\Win");
  Installer installer(platform);
  RecordingLog log;
  installer.switchlog(&log);
  installer.quiet = 1;
  for (const char* file : {"Apps\\KxDemo\\sub\\a.txt", "Apps\\KxDemo\\b.txt", "Apps\\Other\\data.txt",
                           "Apps\\Other\\deep\\c.txt", "Apps\\Win\\win.ini"}) {
    std::string path = f.file(file);
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
      CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
    writeFile(path, file);
  }
  MachineSnapshot before = MachineSnapshot::take({f.file("Apps")}, {});
  const char* refused[] = {
      "Apps\\KxDemo\\..", "Apps\\KxDemo\\..\\", "Apps\\KxDemo\\.", "Apps\\KxDemo\\sub\\..\\..",
      "Apps\\.\\KxDemo",  "Apps\\Win",          "Apps\\Win\\",     "Apps"};
  for (const char* name : refused) {
    std::string path = f.file(name);
    EXPECT_EQ(0, installer.removetree(path.c_str())) << name;
    EXPECT_EQ(Installer::DeleteFailed, installer.error) << name;
    std::vector<std::string> changed = before.differences(MachineSnapshot::take({f.file("Apps")}, {}), {});
    EXPECT_TRUE(changed.empty()) << name << ": " << (changed.empty() ? "" : changed[0]);
  }
  EXPECT_EQ("", log.lines());
  EXPECT_EQ(1, installer.removetree(f.file("Apps\\KxDemo\\sub").c_str()));
  EXPECT_FALSE(fileExists(f.file("Apps\\KxDemo\\sub")));
  std::vector<std::string> changed =
      before.differences(MachineSnapshot::take({f.file("Apps")}, {}), {f.file("Apps\\KxDemo\\sub")});
  EXPECT_TRUE(changed.empty()) << changed[0];
}

// The tree's removal keeps the windows alive; a quit met meanwhile belongs to the program's loop.
TEST_F(InstallerTest, RemovingATreeLeavesAQuitForTheProgramsLoop) {
  CreateDirectoryA(f.file("tree").c_str(), nullptr);
  writeFile(f.file("tree\\a.txt"), "a");
  writeFile(f.file("tree\\b.txt"), "b");
  PostQuitMessage(4);
  EXPECT_EQ(1, f.installer.removetree(f.file("tree").c_str()));
  EXPECT_FALSE(fileExists(f.file("tree")));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was lost";
  EXPECT_EQ(4u, message.wParam);
}

TEST_F(InstallerTest, SettingAnEntryInANewFileLogsFileSectionAndEntry) {
  std::string ini = f.file("cfg\\app.ini");
  ASSERT_EQ(1, f.installer.setentry(ini.c_str(), "Main", "Key", "one"));
  std::string longValue(3000, 'v');
  ASSERT_EQ(1, f.installer.setentry(ini.c_str(), "Main", "Long", longValue.c_str()));
  ASSERT_EQ(1, f.installer.setentry(ini.c_str(), "Main", "Long", "short"));
  EXPECT_EQ("0 " + f.file("cfg") + "\n4 " + ini + "\n10 " + ini + " Main\n7 " + ini + " Main Key 0\n7 " +
                ini + " Main Long 0\n9 " + ini + " Main Long " + longValue + " 0\n",
            f.log.lines());
}

TEST_F(InstallerTest, IniSectionsAndOccurrences) {
  std::string ini = f.file("app.ini");
  writeFile(ini, "[S]\r\nk=1\r\nk=2\r\nother=x\r\n");
  EXPECT_EQ(1, f.installer.addsection(ini.c_str(), "s"));
  EXPECT_EQ("", f.log.lines()) << "an existing section is not logged as added";
  EXPECT_EQ(1, f.installer.insertentry(ini.c_str(), "S", "k", "3", 7));
  EXPECT_EQ(1, f.installer.replaceentry(ini.c_str(), "S", "k", "one", 0));
  EXPECT_EQ(1, f.installer.deleteentry(ini.c_str(), "S", "k", 1));
  EXPECT_EQ(1, f.installer.deleteentry(ini.c_str(), "S", "k", 5));
  EXPECT_EQ(1, f.installer.deletesection(ini.c_str(), "S"));
  EXPECT_EQ(1, f.installer.deletesection(ini.c_str(), "S"));
  EXPECT_EQ("7 " + ini + " S k 2\n9 " + ini + " S k 1 0\n8 " + ini + " S k 2 1\n8 " + ini + " S k one 0\n8 " +
                ini + " S other x 0\n8 " + ini + " S k 3 0\n11 " + ini + " S\n",
            f.log.lines());
}

TEST_F(InstallerTest, SharedCountsKeepTheirTypeAndGoAtZero) {
  std::string lib = f.file("shared\\a.dll");
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\KxTest\\SharedDLLs", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                  &key, nullptr);
  const BYTE two[4] = {2, 0, 0, 0};
  RegSetValueExA(key, lib.c_str(), 0, REG_BINARY, two, 4);
  EXPECT_EQ(2, f.installer.readcount(lib.c_str()));
  EXPECT_EQ(3, f.installer.incrementcount(lib.c_str()));
  DWORD type = 0;
  RegQueryValueExA(key, lib.c_str(), nullptr, &type, nullptr, nullptr);
  EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
  EXPECT_EQ(-1, f.installer.writecount(f.file("elsewhere.dll").c_str(), 1));
  f.installer.writecount(lib.c_str(), 1);
  EXPECT_EQ(0, f.installer.decrementcount(lib.c_str()));
  EXPECT_NE(ERROR_SUCCESS, RegQueryValueExA(key, lib.c_str(), nullptr, nullptr, nullptr, nullptr));
  RegCloseKey(key);
}

TEST_F(InstallerTest, RegistryKeysAndValues) {
  EXPECT_EQ(1, f.installer.createkey(2, "Software\\KxTest\\A\\B"));
  EXPECT_EQ(1, f.installer.setstring(2, "Software\\KxTest\\A\\B", "v", "one"));
  EXPECT_EQ(1, f.installer.setstring(2, "Software\\KxTest\\A\\B", "v", "two"));
  EXPECT_EQ(1, f.installer.keyhasentries(2, "Software\\KxTest\\A"));
  char small[4];
  EXPECT_EQ(1, f.installer.valueastext(2, "Software\\KxTest\\A\\B", "v", small, sizeof small));
  EXPECT_STREQ("two", small);
  char tiny[3];
  EXPECT_EQ(1, f.installer.valueastext(2, "Software\\KxTest\\A\\B", "v", tiny, sizeof tiny));
  EXPECT_STREQ("tw", tiny);
  EXPECT_EQ(1, f.installer.deletekey(2, "Software\\KxTest\\A"));
  EXPECT_EQ(1, f.installer.deletekey(2, "Software\\KxTest\\A"));
  EXPECT_EQ("16 2:Software\n16 2:Software\\KxTest\n16 2:Software\\KxTest\\A\n16 2:Software\\KxTest\\A\\B\n18 "
            "2:Software\\KxTest\\A\\B v\n"
            "19 2:Software\\KxTest\\A\\B v 1 <bytes>\n20 2:Software\\KxTest\\A\\B v 1 <bytes>\n"
            "17 2:Software\\KxTest\\A\\B\n17 2:Software\\KxTest\\A\n",
            f.log.lines());
  EXPECT_EQ("one", f.log.records[5].text(3).substr(0, 3));
}

TEST_F(InstallerTest, FreeSpaceOfLargeDisksIsNotShort) {
  EXPECT_EQ(0, f.installer.checkfreespace("c:\\", 1));
  ModalAnswerer answerer;
  answerer.answer("Not enough space", IDOK);
  EXPECT_EQ(1, f.installer.checkfreespace("c:\\", 0x7FFFFFF0));
}

TEST_F(InstallerTest, ServerWithoutRegistrationEntryFails) {
  ModalAnswerer answerer;
  answerer.answer("Unable to register OLE2 server", IDOK);
  EXPECT_EQ(0, f.installer.registerserver(TestProgramFile("kxver12.dll").c_str(), 1));
  EXPECT_EQ(1u, answerer.seen().size());
}

} // namespace

namespace {

TEST_F(InstallerTest, IniFileMappingNamesTheRegistryKey) {
  InstallerPlatform platform = f.installer.platform();
  platform.windowsfolder = f.dir.path();
  platform.versionkey = "Software\\KxTest\\Version";
  platform.sharedroot = 2;
  Installer installer(platform);
  // The mapping lives under HKEY_LOCAL_MACHINE; this test's own key there is removed at the end.
  std::string mapping =
      "Software\\KxTest\\Version\\IniFileMapping\\kxmap" + std::to_string(GetCurrentProcessId()) + ".ini";
  HKEY key;
  RegCreateKeyA(HKEY_LOCAL_MACHINE, (mapping + "\\Mapped").c_str(), &key);
  RegSetValueExA(key, "entry", 0, REG_SZ, reinterpret_cast<const BYTE*>("USR:Software\\App"), 17);
  RegCloseKey(key);
  RegCreateKeyA(HKEY_LOCAL_MACHINE, mapping.c_str(), &key);
  RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>("#SYS:Software\\Sys"), 18);
  RegCloseKey(key);
  std::string file = f.file("kxmap" + std::to_string(GetCurrentProcessId()) + ".ini");
  int root = -1;
  std::string path;
  EXPECT_EQ(1, installer.inifilemapping(file.c_str(), "Mapped", "entry", root, path));
  EXPECT_EQ(2, root);
  EXPECT_EQ("Software\\App", path);
  EXPECT_EQ(1, installer.inifilemapping(file.c_str(), "Other", "entry", root, path));
  EXPECT_EQ(0, root);
  EXPECT_EQ("Software\\Sys\\Other", path);
  EXPECT_EQ(0, installer.inifilemapping("c:\\elsewhere\\x.ini", "Mapped", "entry", root, path));
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, (mapping + "\\Mapped").c_str());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, mapping.c_str());
}

} // namespace
