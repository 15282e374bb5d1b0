#include <engine/operations/tests/DdeTestServer.h>
#include <engine/tests/InstallerFixture.h>

#include <engine/operations/ProgmanGroups.h>
#include <engine/operations/ProgramGroupsManager.h>
#include <engine/operations/ShellFolderGroups.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RegistrySandbox.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <vector>

using testsupport::ModalAnswerer;
using testsupport::RegistrySandbox;
using testsupport::TempDir;

namespace {

ProgramItem MakeItem(const char* name, const char* command) {
  ProgramItem item;
  SetField(item.name, name);
  SetField(item.commandline, command);
  return item;
}

// An empty argument comes right after its comma, never after a blank: the desktop's shell that answers
// as Program Manager on an X display fails on ", ," and takes the conversation down with it.
TEST(ProgmanCommandTest, CommandsAreFormattedWhole) {
  ProgramItem item = MakeItem("Editor", "c:\\app\\edit.exe /x");
  item.x = 10;
  item.y = 20;
  item.iconindex = 2;
  item.hotkey = 577;
  item.minimized = 1;
  std::string longName(300, 'n');
  struct Case {
    const char* name;
    std::string command, expected;
  } cases[] = {
      {"create group", CreateGroupCommand("Tools"), "[CreateGroup(\"Tools\")]"},
      {"show group", ShowGroupCommand("Tools", 2), "[ShowGroup(\"Tools\", 2)]"},
      {"show 9 creates", ShowGroupCommand("Tools", 9), "[CreateGroup(\"Tools\")]"},
      {"delete group", DeleteGroupCommand("Tools"), "[DeleteGroup(\"Tools\")]"},
      {"delete item", DeleteItemCommand("Editor"), "[DeleteItem(\"Editor\")]"},
      {"add item", AddItemCommand("edit.exe", "Editor", "", 1, ""), "[AddItem(edit.exe, \"Editor\",, 1)]"},
      {"add item with folder", AddItemCommand("edit.exe", "Editor", "", 0, "c:\\nowhere"),
       "[AddItem(edit.exe, \"Editor\",, 0,,, c:\\nowhere)]"},
      {"add item record", AddItemRecordCommand(item),
       "[AddItem(c:\\app\\edit.exe /x, \"Editor\",, 2, 10, 20,, 577, 1)]"},
      {"long name is not cut", CreateGroupCommand(longName.c_str()), "[CreateGroup(\"" + longName + "\")]"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, c.command) << c.name;
}

TEST(ProgmanListingTest, GroupContentsParse) {
  struct Case {
    const char* name;
    const char* text;
    size_t count;
    const char* firstName;
    const char* firstCommand;
    int firstMinimized;
  } cases[] = {
      {"two items", "\"G\",g.grp,2,1\r\n\"A\",\"a.exe\",c:\\,a.ico,1,2,3,4,1\r\n\"B\",b.exe,,,,,,,\r\n", 2,
       "A", "a.exe", 1},
      {"comma inside quotes", "G,g.grp,1\r\n\"Notes, old\",\"n.exe a,b\",,,0,0,0,0,0\r\n", 1, "Notes, old",
       "n.exe a,b", 0},
      {"more lines than the count", "G,g.grp,1\r\nA,a.exe\r\nB,b.exe\r\n", 1, "A", "a.exe", 0},
      {"fewer lines than the count", "G,g.grp,5\r\nA,a.exe\r\n", 1, "A", "a.exe", 0},
      {"missing fields count 0", "G,g.grp,1\nA\n", 1, "A", "", 0},
      {"empty group", "G,g.grp,0\r\n", 0, nullptr, nullptr, 0},
  };
  for (const Case& c : cases) {
    GroupContents contents;
    ASSERT_EQ(1, ParseGroupContents(c.text, contents)) << c.name;
    ASSERT_EQ(c.count, contents.size()) << c.name;
    if (!c.count)
      continue;
    EXPECT_STREQ(c.firstName, contents[0].name) << c.name;
    EXPECT_STREQ(c.firstCommand, contents[0].commandline) << c.name;
    EXPECT_EQ(c.firstMinimized, contents[0].minimized) << c.name;
  }
  GroupContents contents;
  ParseGroupContents("G,g,1\r\n" + std::string(100, 'x') + "," + std::string(1000, 'c') + "\r\n", contents);
  ASSERT_EQ(1u, contents.size());
  EXPECT_EQ(std::string(59, 'x'), contents[0].name) << "fields are cut to their size";
  EXPECT_EQ(std::string(511, 'c'), contents[0].commandline);
}

TEST(ProgramItemTest, ImageRoundTripsAndForcesTerminators) {
  ProgramItem item = MakeItem("Name", "cmd");
  item.x = -1;
  item.minimized = 1;
  unsigned char image[ProgramItem::ImageSize];
  item.toimage(image);
  EXPECT_EQ(1112, ProgramItem::ImageSize);
  EXPECT_EQ(0xFF, image[0]);
  EXPECT_EQ(1, image[16]);
  EXPECT_EQ('N', image[20]);
  std::fill(image + 20, image + 80, 'z');
  ProgramItem back;
  back.fromimage(image);
  EXPECT_EQ(-1, back.x);
  EXPECT_EQ(std::string(59, 'z'), back.name);
  EXPECT_STREQ("cmd", back.commandline);
}

ProgmanGroups::Environment QuickProgman(std::function<int()> start = nullptr) {
  ProgmanGroups::Environment environment;
  environment.start = std::move(start);
  environment.shellIsProgman = 0;
  environment.timeout = 1000;
  return environment;
}

DdeTestServer::Options ProgramManager() {
  DdeTestServer::Options options;
  options.programManager = 1;
  return options;
}

TEST(ProgmanGroupsTest, GroupsAndItemsThroughTheServer) {
  DdeTestServer server(ProgramManager());
  server.addGroup("Existing", {"\"Old, one\",old.exe,c:\\work,old.ico,5,6,1,0,1"});
  ProgmanGroups groups(QuickProgman());
  ASSERT_EQ(1, groups.startup(0));
  EXPECT_EQ(1, groups.groupexists("existing"));
  EXPECT_EQ(0, groups.groupexists("Tools"));
  EXPECT_EQ(1, groups.creategroup("Tools"));
  EXPECT_EQ(1, groups.groupexists("Tools"));
  EXPECT_EQ(1, groups.additem(MakeItem("Editor", "edit.exe")));
  ProgramItem item;
  ASSERT_EQ(1, groups.itemrecord("Tools", "editor", item));
  EXPECT_STREQ("edit.exe", item.commandline);
  ASSERT_EQ(1, groups.itemrecord("Existing", "Old, one", item));
  EXPECT_STREQ("c:\\work", item.workingfolder);
  EXPECT_EQ(1, item.minimized);
  EXPECT_EQ(1, groups.showgroup("Tools", 1));
  EXPECT_EQ(1, groups.deleteitem("Editor"));
  EXPECT_EQ(0, groups.itemexists("Tools", "Editor"));
  EXPECT_EQ(1, groups.deletegroup("Tools"));
  EXPECT_EQ(0, groups.deletegroup("Tools"));
  groups.shutdown(0);
}

// A private Programs folder for the shell-folder implementation.
class ProgramsFolder {
public:
  ProgramsFolder() { SetProgramsFolder(dir.path()); }
  RegistrySandbox sandbox;
  TempDir dir;
};

TEST(ShellFolderGroupsTest, ShortcutsAreWrittenAndReadBack) {
  ProgramsFolder programs;
  ShellFolderGroups groups;
  ASSERT_EQ(1, groups.startup(1));
  EXPECT_EQ(1, groups.creategroup("Tools"));
  EXPECT_EQ(1, groups.creategroup("Tools"));
  EXPECT_EQ(1, groups.groupexists("Tools"));
  EXPECT_EQ(1, groups.showgroup("Tools", 1));
  ProgramItem item = MakeItem("Editor", "c:\\windows\\notepad.exe  a.txt");
  item.minimized = 1;
  item.hotkey = 0x0641;
  SetField(item.workingfolder, "c:\\windows");
  EXPECT_EQ(1, groups.additem(item));
  EXPECT_TRUE(testsupport::fileExists(programs.dir.file("Tools\\Editor.lnk")));
  EXPECT_EQ(1, groups.itemexists("Tools", "Editor"));
  ProgramItem back;
  ASSERT_EQ(1, groups.itemrecord("Tools", "Editor", back));
  EXPECT_STREQ("Editor", back.name);
  EXPECT_STREQ("c:\\windows\\notepad.exe a.txt", back.commandline);
  EXPECT_EQ(1, back.minimized);
  EXPECT_EQ(0x0641, back.hotkey);
  GroupContents contents;
  ASSERT_EQ(1, groups.groupcontents("Tools", contents));
  ASSERT_EQ(1u, contents.size());
  std::string list;
  EXPECT_EQ(1, groups.grouplist(list));
  EXPECT_EQ("Tools", list);
  EXPECT_EQ(1, groups.deleteitem("Editor"));
  EXPECT_EQ(1, groups.deleteitem("Editor"));
  EXPECT_EQ(0, groups.itemexists("Tools", "Editor"));
  EXPECT_EQ(1, groups.deletegroup("Tools"));
  EXPECT_EQ(0, groups.groupexists("Tools"));
  groups.shutdown(0);
}

// Names that would reach the folder of all groups, or one outside it.
const char* const NotGroupNames[] = {"", ".", "..", "... ", "..\\Other", "Tools\\Sub", "a/b", "C:"};

TEST(ShellFolderGroupsTest, NamesThatAreNoGroupAreRefused) {
  ProgramsFolder programs;
  testsupport::writeFile(programs.dir.file("Other.lnk"), "another program's shortcut");
  ShellFolderGroups groups;
  ASSERT_EQ(1, groups.startup(1));
  for (const char* name : NotGroupNames) {
    EXPECT_EQ(0, groups.deletegroup(name)) << '"' << name << '"';
    EXPECT_EQ(0, groups.creategroup(name)) << '"' << name << '"';
    EXPECT_EQ(0, groups.groupexists(name)) << '"' << name << '"';
  }
  EXPECT_TRUE(testsupport::fileExists(programs.dir.file("Other.lnk")));
  groups.shutdown(0);
}

// An item's name becomes a file name in its group's folder: a name that is no group name is refused
// as one, so no shortcut is written, found or deleted in another group's folder.
TEST(ShellFolderGroupsTest, ItemNamesThatAreNoGroupNameAreRefused) {
  ProgramsFolder programs;
  CreateDirectoryA(programs.dir.file("Other").c_str(), nullptr);
  testsupport::writeFile(programs.dir.file("Other\\x.lnk"), "another group's shortcut");
  testsupport::writeFile(programs.dir.file("Tools.lnk"), "a shortcut beside the groups");
  ShellFolderGroups groups;
  ASSERT_EQ(1, groups.startup(1));
  ASSERT_EQ(1, groups.creategroup("Tools"));
  ASSERT_EQ(1, groups.showgroup("Tools", 1));
  std::vector<const char*> names(std::begin(NotGroupNames), std::end(NotGroupNames));
  names.push_back("..\\Other\\x");
  names.push_back("..\\Tools");
  for (const char* name : names) {
    ProgramItem item = MakeItem(name, "c:\\windows\\notepad.exe");
    EXPECT_EQ(0, groups.additem(item)) << '"' << name << '"';
    EXPECT_EQ(0, groups.itemexists("Tools", name)) << '"' << name << '"';
    ProgramItem found;
    EXPECT_EQ(0, groups.itemrecord("Tools", name, found)) << '"' << name << '"';
    EXPECT_EQ(0, groups.deleteitem(name)) << '"' << name << '"';
  }
  EXPECT_EQ("another group's shortcut", testsupport::readFile(programs.dir.file("Other\\x.lnk")));
  EXPECT_EQ("a shortcut beside the groups", testsupport::readFile(programs.dir.file("Tools.lnk")));
  GroupContents contents;
  ASSERT_EQ(1, groups.groupcontents("Tools", contents));
  EXPECT_TRUE(contents.empty());
  groups.shutdown(0);
}

TEST(ProgmanGroupsTest, NamesThatAreNoGroupAreNeverSent) {
  DdeTestServer server(ProgramManager());
  ProgmanGroups groups(QuickProgman());
  ASSERT_EQ(1, groups.startup(0));
  for (const char* name : NotGroupNames) {
    EXPECT_EQ(0, groups.deletegroup(name)) << '"' << name << '"';
    EXPECT_EQ(0, groups.creategroup(name)) << '"' << name << '"';
  }
  EXPECT_TRUE(server.executes().empty());
  groups.shutdown(0);
}

// Names that would end the quoted argument or the command and start another: the command syntax has
// no escape.
const char* const BreakOutNames[] = {"Tools\")][DeleteGroup(\"Other", "a\"b", "x[y", "x]y",
                                     "[ExitProgman(0)]"};

TEST(ProgmanGroupsTest, NamesThatWouldBreakOutOfTheirQuotesAreNeverSent) {
  DdeTestServer server(ProgramManager());
  server.addGroup("Other", {});
  ProgmanGroups groups(QuickProgman());
  ASSERT_EQ(1, groups.startup(0));
  for (const char* name : BreakOutNames) {
    EXPECT_EQ(0, groups.creategroup(name)) << name;
    EXPECT_EQ(0, groups.showgroup(name, 1)) << name;
    EXPECT_EQ(0, groups.deletegroup(name)) << name;
    EXPECT_EQ(0, groups.additem(MakeItem(name, "edit.exe"))) << name;
    EXPECT_EQ(0, groups.additem("edit.exe", name, "", 0, "")) << name;
    EXPECT_EQ(0, groups.deleteitem(name)) << name;
  }
  EXPECT_TRUE(server.executes().empty());
  EXPECT_EQ(1u, server.groups().count("other"));
  groups.shutdown(0);
}

class InstallerProgmanTest : public ::testing::Test {
protected:
  InstallerProgmanTest() {
    server.addGroup("Other", {});
    ProgramGroupsManager::Environment environment;
    environment.progman = QuickProgman();
    environment.windows95Family = 1;
    ProgramGroupsManager::instance().setenvironment(environment);
  }
  ~InstallerProgmanTest() override {
    ProgramGroupsManager::instance().setenvironment(ProgramGroupsManager::SystemEnvironment());
  }
  DdeTestServer server{ProgramManager()};
  InstallerFixture f;
};

// The script's names reach the installer: each one that would break out is refused with a box that
// names it, and the server is sent only the commands of the one good item.
TEST_F(InstallerProgmanTest, NamesThatWouldBreakOutAreRefusedWithAMessage) {
  testsupport::ModalAnswerer answerer;
  answerer.answerAlways("cannot be used", IDOK);
  for (const char* name : BreakOutNames) {
    EXPECT_EQ(0, f.installer.creategroup(name)) << name;
    EXPECT_EQ(0, f.installer.createitem("Tools", MakeItem(name, "edit.exe"))) << name;
  }
  ASSERT_EQ(2 * std::size(BreakOutNames), answerer.seen().size()) << answerer.describeSeen();
  for (size_t i = 0; i < std::size(BreakOutNames); ++i) {
    EXPECT_NE(std::string::npos, answerer.seen()[2 * i].text.find(BreakOutNames[i]))
        << answerer.describeSeen();
    EXPECT_NE(std::string::npos, answerer.seen()[2 * i + 1].text.find(BreakOutNames[i]))
        << answerer.describeSeen();
  }
  EXPECT_TRUE(server.executes().empty());
  EXPECT_EQ(1, f.installer.createitem("Tools", MakeItem("Editor", "edit.exe")));
  std::vector<std::string> sent = server.executes();
  ASSERT_EQ(3u, sent.size());
  EXPECT_EQ("[CreateGroup(\"Tools\")]", sent[0]);
  EXPECT_EQ("[CreateGroup(\"Tools\")]", sent[1]);
  EXPECT_EQ(0u, sent[2].find("[AddItem(edit.exe, \"Editor\",")) << sent[2];
  EXPECT_EQ(1u, server.groups()["tools"].size());
  EXPECT_EQ(1u, server.groups().count("other"));
}

// Groups as shell folders in the fixture's folder "programs", which already holds another product's
// group "Other" with one shortcut; the folder of all groups.
std::string GroupsBesideAnother(InstallerFixture& f, const std::string& shortcut, const char* bytes) {
  std::string programs = f.file("programs");
  UseShellFolderGroups(programs);
  CreateDirectoryA((programs + "\\Other").c_str(), nullptr);
  testsupport::writeFile(programs + "\\Other\\" + shortcut, bytes);
  return programs;
}

// Through the installer, as a script's event and the undo of a logged group reach it: refused, and
// nothing logged.
TEST(InstallerGroupsTest, AnEmptyGroupNameNeverRemovesTheProgramsFolder) {
  InstallerFixture f;
  std::string programs = GroupsBesideAnother(f, "Other.lnk", "x");
  f.installer.quiet = 1;
  for (const char* name : NotGroupNames) {
    EXPECT_EQ(0, f.installer.deletegroup(name)) << '"' << name << '"';
    EXPECT_EQ(0, f.installer.creategroup(name)) << '"' << name << '"';
  }
  EXPECT_TRUE(testsupport::fileExists(programs + "\\Other\\Other.lnk"));
  EXPECT_EQ("", f.log.lines());
  ProgramGroupsManager::instance().setenvironment(ProgramGroupsManager::SystemEnvironment());
}

// Through the installer, as a script's item event reaches it: refused with a message, nothing
// logged, another group's shortcut untouched.
TEST(InstallerGroupsTest, AnItemNameNeverReachesAnotherGroupsFolder) {
  InstallerFixture f;
  std::string programs = GroupsBesideAnother(f, "x.lnk", "another group's shortcut");
  ModalAnswerer answerer;
  answerer.answerAlways("PM item", IDOK);
  for (const char* name : {"..\\Other\\x", "..", ""}) {
    EXPECT_EQ(0, f.installer.createitem("Tools", MakeItem(name, "c:\\windows\\notepad.exe"))) << name;
    EXPECT_EQ(0, f.installer.deleteitem("Tools", name)) << name;
  }
  EXPECT_EQ(6u, answerer.seen().size()) << answerer.describeSeen();
  EXPECT_EQ("another group's shortcut", testsupport::readFile(programs + "\\Other\\x.lnk"));
  EXPECT_EQ("", f.log.lines());
  ProgramGroupsManager::instance().setenvironment(ProgramGroupsManager::SystemEnvironment());
}

TEST(ShellFolderGroupsTest, AProgramInAFolderWithBlanksIsTakenWhole) {
  ProgramsFolder programs;
  std::string folder = programs.dir.file("Program Files");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
  std::string app = folder + "\\app.exe";
  ASSERT_TRUE(testsupport::writeFile(app, "MZ"));
  struct Case {
    const char* name;
    std::string command;
    std::string readBack;
  };
  const Case cases[] = {
      {"existing, with arguments", app + " -x file", "\"" + app + "\" -x file"},
      {"existing, alone", app, "\"" + app + "\""},
      {"quoted, not there yet", "\"" + folder + "\\later.exe\" /s", "\"" + folder + "\\later.exe\" /s"},
      {"plain", "c:\\windows\\notepad.exe a.txt", "c:\\windows\\notepad.exe a.txt"},
  };
  ShellFolderGroups groups;
  ASSERT_EQ(1, groups.startup(1));
  ASSERT_EQ(1, groups.creategroup("Tools"));
  groups.showgroup("Tools", 1);
  for (const Case& c : cases) {
    ASSERT_EQ(1, groups.additem(MakeItem("Item", c.command.c_str()))) << c.name;
    ProgramItem back;
    ASSERT_EQ(1, groups.itemrecord("Tools", "Item", back)) << c.name;
    EXPECT_EQ(c.readBack, back.commandline) << c.name;
    groups.deleteitem("Item");
  }
  groups.shutdown(0);
}

class ManagerTest : public ::testing::Test {
protected:
  ~ManagerTest() override {
    ProgramGroupsManager::instance().setenvironment(ProgramGroupsManager::SystemEnvironment());
  }
  ProgramGroupsManager& manager = ProgramGroupsManager::instance();
  int starts = 0;
  int stops = 0;
};

TEST_F(ManagerTest, RunningProgramManagerIsUsedWithoutStartingOne) {
  DdeTestServer server(ProgramManager());
  ProgramGroupsManager::Environment environment;
  environment.progman = QuickProgman([this] { return ++starts, 1; });
  environment.windows95Family = 1;
  manager.setenvironment(environment);
  ASSERT_EQ(1, manager.acquire());
  EXPECT_NE(nullptr, dynamic_cast<ProgmanGroups*>(manager.groups()));
  ASSERT_EQ(1, manager.acquire());
  manager.release(1);
  EXPECT_NE(nullptr, manager.groups());
  manager.release(1);
  EXPECT_EQ(nullptr, manager.groups());
  EXPECT_EQ(0, starts);
}

TEST_F(ManagerTest, ShellFoldersWhenNoProgramManagerOnTheNewShell) {
  ProgramsFolder programs;
  ProgramGroupsManager::Environment environment;
  environment.progman = QuickProgman([this] { return ++starts, 1; });
  environment.windows95Family = 1;
  manager.setenvironment(environment);
  ASSERT_EQ(1, manager.acquire());
  EXPECT_NE(nullptr, dynamic_cast<ShellFolderGroups*>(manager.groups()));
  EXPECT_EQ(1, manager.groups()->creategroup("Made"));
  EXPECT_TRUE(testsupport::fileExists(programs.dir.file("Made")));
  manager.release(1);
  EXPECT_EQ(0, starts);
}

TEST_F(ManagerTest, ProgramManagerStartedHereIsUsedAndCounted) {
  std::unique_ptr<DdeTestServer> started;
  ProgramGroupsManager::Environment environment;
  environment.progman = QuickProgman([&] {
    started = std::make_unique<DdeTestServer>(ProgramManager());
    return ++starts, 1;
  });
  environment.stop = [this] { ++stops; };
  environment.windows95Family = 0;
  manager.setenvironment(environment);
  ASSERT_EQ(1, manager.acquire());
  EXPECT_NE(nullptr, dynamic_cast<ProgmanGroups*>(manager.groups()));
  EXPECT_EQ(1, manager.startedbyus());
  EXPECT_EQ(1, manager.groups()->creategroup("G"));
  manager.release(1);
  EXPECT_EQ(1, starts);
  EXPECT_EQ(0, stops);
  EXPECT_EQ(0, manager.startedbyus());
}

TEST_F(ManagerTest, StartedProgramManagerThatNeverAnswersIsEndedForShellFolders) {
  ProgramsFolder programs;
  ProgramGroupsManager::Environment environment;
  environment.progman = QuickProgman([this] { return ++starts, 1; });
  environment.stop = [this] { ++stops; };
  environment.windows95Family = 0;
  manager.setenvironment(environment);
  ASSERT_EQ(1, manager.acquire());
  EXPECT_NE(nullptr, dynamic_cast<ShellFolderGroups*>(manager.groups()));
  EXPECT_EQ(1, starts);
  EXPECT_EQ(1, stops);
  manager.release(1);
}

} // namespace
