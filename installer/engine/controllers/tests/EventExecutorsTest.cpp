#include <engine/controllers/tests/RecordingController.h>
#include <engine/tests/MachineSnapshot.h>
#include <engine/tests/ScriptSamples.h>
#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/hostlink.h>

#include <engine/controllers/EventExecutors.h>
#include <engine/operations/Installer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace {

class EventExecutorsTest : public testing::Test {
protected:
  EventExecutorsTest() : services(store, report, dir.path().c_str()) {}

  Event make(int id, std::initializer_list<long> numbers, std::initializer_list<const char*> texts) {
    Event event(*FindEventLayout(id));
    size_t n = 0;
    for (long number : numbers)
      event.fields.numbers.at(n++) = number;
    n = 0;
    for (const char* text : texts)
      event.fields.texts.at(n++) = text;
    return event;
  }

  int run(const Event& event) {
    controller.calls.clear();
    report.seen.clear();
    result = 1;
    return ExecuteEvent(event, services, controller, result);
  }

  std::string lastCall() const { return controller.calls.empty() ? "" : controller.calls.back(); }
  std::string lastReport() const { return report.seen.empty() ? "" : report.seen.back(); }

  testsupport::TempDir dir;
  VariableStore store;
  RecordingReport report;
  ScriptServices services;
  RecordingController controller;
  int result = 1;
};

TEST_F(EventExecutorsTest, IniWriteModesBecomeThreeFlags) {
  struct Row {
    long mode;
    const char* call;
  } rows[] = {
      {0, "writeini f [s] e=v 0,1,1 1000"},
      {1, "writeini f [s] e=v 1,-1,1 1000"},
      {2, "writeini f [s] e=v 1,-1,0 1000"},
      {3, "writeini f [s] e=v 0,0,1 1000"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(1, run(make(5, {row.mode}, {"f", "s", "e", "v"})));
    EXPECT_EQ(row.call, lastCall());
  }
  EXPECT_EQ(0, run(make(5, {4}, {"f", "s", "e", "v"})));
  EXPECT_TRUE(controller.calls.empty());
  EXPECT_EQ("Unknown mode 4 of an initialisation file entry", lastReport());
}

TEST_F(EventExecutorsTest, RegistryDataKinds) {
  testsupport::writeFile(dir.file("blob.bin"), std::string("\x01\x02", 2));
  *store.integervariable("n", 1) = 3;
  std::string blob = dir.file("blob.bin");
  struct Row {
    const char* name;
    long root, kind;
    std::string data;
    const char* call; // none: the event fails with the report
    const char* message;
  } rows[] = {
      {"string", 1, 0, "ab", "writeregistry 1 k f type1 616200", ""},
      {"expandable", 1, 1, "ab", "writeregistry 1 k f type2 616200", ""},
      {"number", 2, 2, "n * 2", "writeregistry 2 k f type4 06000000", ""},
      {"hex", 0, 3, "0a,ff,10", "writeregistry 0 k f type3 0aff10", ""},
      {"hex in capitals", 0, 3, "0A,FF", "writeregistry 0 k f type3 0aff", ""},
      {"bad digit", 0, 3, "0g", nullptr, "Invalid binary data 0g"},
      {"half a byte", 0, 3, "0a,f", nullptr, "Invalid binary data 0a,f"},
      {"no digits", 0, 3, "", nullptr, "Invalid binary data "},
      {"file", 4, 4, blob, "writeregistry 4 k f type3 0102", ""},
      {"missing file", 4, 4, dir.file("none.bin"), nullptr, ""},
      {"several texts", 1, 5, "ab", "writeregistry 1 k f type7 61620000", ""},
      {"no data", 1, 6, "x", "writeregistry 1 k f type0 ", ""},
      {"unknown kind", 1, 7, "x", nullptr, "Unknown registry data kind 7"},
      {"unknown root", 5, 0, "x", nullptr, "Unknown registry root 5"},
  };
  for (const Row& row : rows) {
    int answer = run(make(6, {row.root, row.kind}, {"k", "f", row.data.c_str()}));
    if (row.call) {
      EXPECT_EQ(1, answer) << row.name;
      EXPECT_EQ(row.call, lastCall()) << row.name;
      continue;
    }
    EXPECT_EQ(0, answer) << row.name;
    EXPECT_TRUE(controller.calls.empty()) << row.name;
    EXPECT_FALSE(report.seen.empty()) << row.name;
    if (*row.message) {
      EXPECT_EQ(row.message, lastReport()) << row.name;
    }
  }
}

TEST_F(EventExecutorsTest, ParseIntegerTakesOneWholeInteger) {
  struct Row {
    const char* text;
    int ok;
    int value;
  } rows[] = {
      {"12", 1, 12}, {" -7 ", 1, -7}, {"2147483647", 1, 2147483647}, {"12a", 0, 0},
      {"", 0, 0},    {"1 2", 0, 0},   {"2147483648", 0, 0},          {"-99999999999", 0, 0},
  };
  for (const Row& row : rows) {
    *store.integervariable("n", 1) = -1;
    EXPECT_EQ(row.ok, run(make(26, {}, {"n", row.text}))) << row.text;
    if (row.ok) {
      EXPECT_EQ(row.value, *store.integervariable("n", 0)) << row.text;
    } else {
      EXPECT_EQ(std::string("Unable to convert ") + row.text + " to integer", lastReport());
    }
  }
}

TEST_F(EventExecutorsTest, RunProgramPassesShowAndWaitKinds) {
  CheckRecorder checks;
  struct Row {
    long show, wait;
    const char* call;
  } rows[] = {
      {0, 0, "runprogram show1 wait1 p.exe"},
      {2, 1, "runprogram show3 wait2 p.exe"},
      {3, 2, "runprogram show0 wait3 p.exe"},
      {9, 0, "runprogram show1 wait1 p.exe"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(1, run(make(7, {row.show, row.wait}, {"p.exe", "", "", "", "rc"})));
    EXPECT_EQ(row.call, lastCall());
  }
  EXPECT_EQ(1u, checks.seen.size());
  EXPECT_EQ(42, *store.integervariable("rc", 0));
  EXPECT_EQ(0, run(make(7, {0, 3}, {"p.exe", "", "", "", ""})));
}

TEST_F(EventExecutorsTest, QueryDialogAnswers) {
  struct Row {
    int answer;
    int goesOn;
    int result;
    size_t calls;
  } rows[] = {{0, 1, 1, 1}, {2, 0, 1, 1}, {1, 0, 0, 2}};
  for (const Row& row : rows) {
    controller.queryAnswer = row.answer;
    EXPECT_EQ(row.goesOn, run(make(0, {}, {"Go?"}))) << row.answer;
    EXPECT_EQ(row.result, result) << row.answer;
    EXPECT_EQ("querydialog 1 Go?", controller.calls.at(0));
    EXPECT_EQ(row.calls, controller.calls.size()) << row.answer;
  }
}

TEST_F(EventExecutorsTest, ArgumentsByNumber) {
  struct Row {
    const char* expression;
    int ok;
    const char* value;
  } rows[] = {
      {"0", 1, "kxmain"}, {"1", 1, "first"}, {"2", 0, "No argument at 2"}, {"0 - 1", 0, "No argument at -1"}};
  for (const Row& row : rows) {
    EXPECT_EQ(row.ok, run(make(52, {}, {"a", row.expression}))) << row.expression;
    EXPECT_EQ(row.value, row.ok ? std::string(store.text("a")) : lastReport()) << row.expression;
  }
  EXPECT_EQ(1, run(make(51, {}, {"count"})));
  EXPECT_EQ(2, *store.integervariable("count", 0));
}

TEST_F(EventExecutorsTest, FormatIntegerAndSplitPath) {
  *store.integervariable("n", 1) = -40;
  EXPECT_EQ(1, run(make(25, {}, {"t", "n * 3"})));
  EXPECT_STREQ("-120", store.text("t"));

  struct Row {
    const char* path;
    const char* folder;
    const char* file;
  } rows[] = {
      {"c:\\dir\\file.txt", "c:\\dir", "file.txt"},
      {"c:\\file.txt", "c:\\", "file.txt"},
      {"file.txt", "", "file.txt"},
      {"c:\\dir\\", "c:\\dir", ""},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(1, run(make(27, {}, {row.path, "d", "f"}))) << row.path;
    EXPECT_STREQ(row.folder, store.text("d")) << row.path;
    EXPECT_STREQ(row.file, store.text("f")) << row.path;
  }
  EXPECT_EQ(1, run(make(27, {}, {"c:\\a\\b", "", ""})));
}

TEST_F(EventExecutorsTest, FailingExpansionStopsBeforeTheController) {
  EXPECT_EQ(0, run(make(11, {0}, {"$missing"})));
  EXPECT_TRUE(controller.calls.empty());
  EXPECT_EQ("Unknown variable in expression $missing", lastReport());
  EXPECT_EQ(0, run(make(20, {}, {"n", "1 +"})));
  EXPECT_EQ("Syntax error in expression 1 +", lastReport());
}

TEST_F(EventExecutorsTest, DeleteRefusesEmptyPathsAndRoots) {
  store.stringvariable("empty", 1);
  for (const char* path : {"", "$empty", "c:\\", "c:", "\\", "\\\\server\\share\\"}) {
    EXPECT_EQ(0, run(make(43, {}, {path}))) << path;
    EXPECT_TRUE(controller.calls.empty()) << path;
  }
  EXPECT_EQ("Refusing to delete ", lastReport().substr(0, 19));
  EXPECT_EQ(1, run(make(43, {}, {dir.path().c_str()})));
  EXPECT_EQ("deletefolder " + dir.path(), lastCall());
  EXPECT_EQ(1, run(make(43, {}, {"c:\\x\\file.txt"})));
  EXPECT_EQ("deletefile c:\\x\\file.txt", lastCall());
}

std::string SystemFolderPath(UINT(WINAPI* query)(LPSTR, UINT)) {
  char folder[MAX_PATH];
  query(folder, sizeof folder);
  return folder;
}

// A script's delete whose path may name more than one folder of the product is refused before any
// removal: "." and ".." parts as written, whole drives, the system's folders and the folders above
// them, and the folders above the install folder. The install folder itself, a folder in it and any
// other ordinary folder still go.
TEST_F(EventExecutorsTest, DeleteRefusesWhatMayNameMoreThanTheProductsFolder) {
  std::string install = dir.file("Apps\\KxDemo");
  SetStringValue(store.stringvariable("i", 1), install.c_str());
  store.stringvariable("old", 1);
  std::string windows = SystemFolderPath(GetWindowsDirectoryA),
              system = SystemFolderPath(GetSystemDirectoryA);
  std::string refused[] = {"$i\\..", "$i\\..\\$old", "$i\\.",          "$i\\sub\\..\\..", ".",
                           "..",     "x\\..",        windows + "\\..", "C:\\.",           windows,
                           system,   system + "\\",  dir.path(),       dir.file("Apps"),  dir.file("Apps\\")};
  for (const std::string& path : refused) {
    EXPECT_EQ(0, run(make(43, {}, {path.c_str()}))) << path;
    EXPECT_TRUE(controller.calls.empty()) << path << ": " << lastCall();
    EXPECT_EQ("Refusing to delete ", lastReport().substr(0, 19)) << path;
  }
  std::string allowed[] = {install + "\\sub", install, dir.file("Elsewhere")};
  for (const std::string& path : allowed) {
    EXPECT_EQ(1, run(make(43, {}, {path.c_str()}))) << path;
    EXPECT_EQ("deletefile " + path, lastCall()) << path;
  }
}

// The same refusals with real folders: another product's folder beside the install folder stays byte
// for byte after every refused delete; a folder in the install folder is removed.
class RemovingController : public RecordingController {
public:
  int deletefolder(const char* path) override { return installer.removetree(path); }
  int deletefile(const char* path) override { return installer.deletefile(path); }
  Installer installer;
};

TEST_F(EventExecutorsTest, ARefusedDeleteLeavesTheFolderBesideItAsItWas) {
  RemovingController removing;
  removing.installer.quiet = 1;
  std::string install = dir.file("Apps\\KxDemo");
  for (const char* folder : {"Apps", "Apps\\KxDemo", "Apps\\KxDemo\\sub", "Apps\\Other"})
    CreateDirectoryA(dir.file(folder).c_str(), nullptr);
  testsupport::writeFile(dir.file("Apps\\KxDemo\\sub\\a.txt"), "product");
  testsupport::writeFile(dir.file("Apps\\Other\\data.txt"), "another product's data");
  SetStringValue(store.stringvariable("i", 1), install.c_str());
  store.stringvariable("old", 1);
  MachineSnapshot before = MachineSnapshot::take({dir.file("Apps")}, {});
  for (const char* path : {"$i\\..", "$i\\..\\$old", "$i\\.", "$i\\sub\\..\\..", "$i\\sub\\..\\..\\Other"}) {
    int unused = 1;
    EXPECT_EQ(0, ExecuteEvent(make(43, {}, {path}), services, removing, unused)) << path;
    std::vector<std::string> changed = before.differences(MachineSnapshot::take({dir.file("Apps")}, {}), {});
    EXPECT_TRUE(changed.empty()) << path << ": " << changed.front();
  }
  int unused = 1;
  EXPECT_EQ(1, ExecuteEvent(make(43, {}, {"$i\\sub"}), services, removing, unused));
  EXPECT_FALSE(testsupport::fileExists(dir.file("Apps\\KxDemo\\sub")));
  EXPECT_EQ("another product's data", testsupport::readFile(dir.file("Apps\\Other\\data.txt")));
}

TEST_F(EventExecutorsTest, InstallFilesCopiesEachReference) {
  controller.entries.push_back({0, 0, 1, 2048, 4096, "a.bin", "a.txt"});
  controller.entries.push_back({0, 0, 0, 1024, 1024, "b.bin", "b.txt"});
  Event event = make(3, {0, 0, 0, 3}, {"src", "dst"});
  event.fields.references[0] = {0, 7, 1};
  EXPECT_EQ(1, run(event));
  ASSERT_EQ(2u, controller.calls.size());
  EXPECT_EQ("installfile src\\a.bin dst\\a.txt mode0 compare1 component-1", controller.calls[0]);
  EXPECT_EQ("installfile src\\b.bin dst\\b.txt mode0 compare0 component-1", controller.calls[1]);
  EXPECT_EQ(5, EventSizeKB(event, controller));
  event.fields.numbers[CopyCompressedSizes] = 1;
  EXPECT_EQ(3, EventSizeKB(event, controller));

  controller.answer = 0;
  EXPECT_EQ(0, run(event));
  EXPECT_EQ(1u, controller.calls.size());
}

TEST_F(EventExecutorsTest, SizeQueriesSumTheFilesBeforeDividing) {
  struct Case {
    const char* name;
    int files;
    long bytes, packed;
    long kb, packedKb;
  };
  const Case cases[] = {
      {"1 000 small files", 1000, 900, 300, 878, 292},
      {"two halves", 2, 512, 512, 1, 1},
      {"one under a KB", 1, 1023, 10, 0, 0},
  };
  for (const Case& c : cases) {
    controller.entries.assign(static_cast<size_t>(c.files), FileEntry{0, 0, 0, c.packed, c.bytes, "a", "a"});
    Event event = make(3, {0, 0, 0, 3}, {"src", "dst"});
    for (int i = 0; i < c.files; ++i)
      event.fields.references[0].push_back(static_cast<unsigned>(i));
    EXPECT_EQ(c.kb, EventSizeKB(event, controller)) << c.name;
    event.fields.numbers[CopyCompressedSizes] = 1;
    EXPECT_EQ(c.packedKb, EventSizeKB(event, controller)) << c.name;
  }
}

TEST_F(EventExecutorsTest, TypesWithoutExecutorCountAsDone) {
  CheckRecorder checks;
  EXPECT_EQ(1, run(make(9, {}, {"note"})));
  EXPECT_EQ(1u, checks.seen.size());
  EXPECT_TRUE(controller.calls.empty());
}

TEST_F(EventExecutorsTest, VariablesFilledFromTheController) {
  struct Row {
    const char* name;
    Event event;
    const char* call;
  } rows[] = {
      {"cd root", make(17, {}, {"root", "exists"}), "medium"},
      {"space", make(18, {}, {"space"}), "requiredspace"},
      {"compare", make(21, {1}, {"a", "b", "cmp"}), "comparetexts 1 a b"},
      {"find", make(22, {1}, {"found", "path", "c:", "*.*"}), "findfile 1 c: *.*"},
      {"ini", make(23, {}, {"$$i", "f.ini", "s", "e", "exist", "value"}), "readini $i f.ini s e"},
      {"registry", make(24, {2}, {"key", "field", "keyExist", "rvalue"}), "queryregistry 2 key field"},
      {"yes or no", make(28, {0}, {"Sure?", "isyes"}), "askyesno 0 Sure?"},
      {"version", make(29, {}, {"major", ""}), "systemversion"},
      {"value 32", make(32, {}, {"q"}), "queryvalue 32"},
      {"dialog", make(48, {}, {"dlg", "Options"}), "userdialog Options"},
      {"prompt", make(12, {1, 2, 3, 4}, {"a", "b", "answer", "c", "d"}), "promptstring 1 2 3 4 a|b|c|d"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(1, run(row.event)) << row.name;
    EXPECT_EQ(row.call, lastCall()) << row.name;
  }
  EXPECT_STREQ("d:\\", store.text("root"));
  EXPECT_EQ(12345, *store.integervariable("space", 0));
  EXPECT_EQ(-1, *store.integervariable("cmp", 0));
  EXPECT_STREQ("found", store.text("path"));
  EXPECT_STREQ("found", store.text("rvalue"));
  EXPECT_EQ(10, *store.integervariable("major", 0) + 6);
  EXPECT_EQ(42 + 32, *store.integervariable("q", 0));
  EXPECT_EQ(42, *store.integervariable("dlg", 0));
  EXPECT_STREQ("found", store.text("answer"));
}

TEST_F(EventExecutorsTest, StoresIntoStringVariablesKeep255Characters) {
  std::string longText(300, 'v');
  controller.text = longText.c_str();
  EXPECT_EQ(1, run(make(24, {0}, {"key", "field", "", "value"})));
  EXPECT_EQ(std::string(255, 'v'), store.text("value"));
  EXPECT_EQ(1, run(make(23, {}, {"d", "f", "s", "e", "", "ini"})));
  EXPECT_EQ(std::string(255, 'v'), store.text("ini"));
}

TEST_F(EventExecutorsTest, StartupFilesGetTheExpandedLines) {
  store.stringvariable("d", 1);
  SetStringValue(store.stringvariable("d", 1), "c:\\app");
  EXPECT_EQ(1, run(make(10, {1, 0, 1}, {"SET A=$d\r\nPATH $d\\bin"})));
  EXPECT_EQ("editstartupfiles 1 0 1 strs", lastCall());
  EXPECT_EQ("SET A=c:\\app\r\nPATH c:\\app\\bin\r\n", testsupport::readFile(dir.file("strs")));
}

TEST_F(EventExecutorsTest, StartupLinesThatCannotBeWrittenStopTheEvent) {
  // The host's device that refuses every write with "disk full".
  ASSERT_TRUE(makeHostDeviceLink("/dev/full", dir.file("strs")));
  EXPECT_EQ(0, run(make(10, {1, 0, 1}, {"SET A=1\r\nPATH c:\\app"})));
  EXPECT_TRUE(controller.calls.empty()) << "nothing is merged";
  EXPECT_EQ("Unable to write to " + dir.file("strs"), lastReport());
  removeHostLink(dir.file("strs"));
}

TEST_F(EventExecutorsTest, UninstallRegistration) {
  controller.entries.push_back({0, 0, 0, 1, 1, "u.bin", "u.exe"});
  Event event = make(41, {1}, {"c:\\un", "Group", "c:\\", "1 + 1", ""});
  event.fields.references[0] = {0};
  EXPECT_EQ(1, run(event));
  EXPECT_EQ("registeruninstall c:\\un Group c:\\ append2 first=u.exe", lastCall());
  controller.answer = 0;
  EXPECT_EQ(0, run(event));
  EXPECT_EQ("Unable to install the uninstaller", lastReport());
}

TEST_F(EventExecutorsTest, MessageWindows) {
  const char* calls[] = {"openmessage 0",  "closemessage 0", "openmessage 1",
                         "closemessage 1", "openmessage 2",  "closemessage 2"};
  for (int id = 35; id <= 40; ++id) {
    EXPECT_EQ(1, run(make(id, {}, {})));
    EXPECT_EQ(calls[id - 35], lastCall());
  }
  EXPECT_EQ(1, run(make(49, {10, 20, 99}, {"second", "first"})));
  EXPECT_EQ("showmessage 10 20 99 first second", lastCall());
}

} // namespace
