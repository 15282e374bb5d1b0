#include <engine/builder/ScriptBuilder.h>
#include <engine/controllers/ScriptInstallController.h>
#include <engine/tests/InstallerFixture.h>

#include <engine/tests/TestFolders.h>
#include <foundation/tests/bitmapbytes.h>
#include <foundation/tests/checkrecorder.h>

#include <foundation/windows/dlgbox.h>
#include <foundation/windows/wndstack.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <kxlang/kxlangids.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

using testsupport::ModalAnswerer;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// The script-driven controller over a recording install side: the operations the events reach are
// noted, not carried out.
class RecordingScriptController : public ScriptInstallController {
public:
  explicit RecordingScriptController(const std::string& engine) {
    std::snprintf(engineFolder_, sizeof engineFolder_, "%s", engine.c_str());
  }

  int installfile(const FileInstallRecord& record) override { return note("installfile %s", record.target); }
  int writeini(const IniWriteRecord& record) override { return note("writeini %s", record.entry); }
  int querydialog(int, const char* text) override { return note("querydialog %s", text) ? 0 : 2; }
  int selectcomponents() override { return note("selectcomponents"); }
  int EditStartupFiles(const int[3], const char*) override { return note("editstartupfiles"); }
  void skipfiles(const Event& event) override { note("skipfiles %d", static_cast<int>(event.number(0))); }
  int loadlanguage() {
    return library_.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll");
  }

  std::string calls;

private:
  template <class... Args> int note(const char* format, Args... args) {
    char line[300];
    std::snprintf(line, sizeof line, format, args...);
    calls += std::string(line) + ";";
    return 1;
  }
};

DraftEvent Ini(const char* entry, const char* condition = "1") {
  DraftEvent event(5);
  event.fields.texts[0] = "app.ini";
  event.fields.texts[1] = "Section";
  event.fields.texts[2] = entry;
  event.fields.texts[3] = "value";
  event.condition = condition;
  return event;
}

struct ScriptFixture : ::testing::Test {
  TempDir dir;
  ScriptDraft draft = MinimalScript();

  std::unique_ptr<RecordingScriptController> load() {
    writeFile(dir.file("install.inf"), WriteScript(draft).bytes);
    auto controller = std::make_unique<RecordingScriptController>(dir.path());
    EXPECT_TRUE(controller->loadscript());
    return controller;
  }
};

TEST_F(ScriptFixture, FalseConditionsSkipAndFalseFileEventsStillCount) {
  draft.events = {Ini("a"), Ini("b", "0"), DraftEvent(3), Ini("c", "1+1")};
  draft.events[2].condition = "0";
  auto controller = load();
  EXPECT_EQ(0, controller->runscript());
  EXPECT_EQ("writeini a;skipfiles 0;writeini c;", controller->calls);
}

TEST_F(ScriptFixture, ADeselectedComponentsEventIsSkippedBeforeItsCondition) {
  draft.events = {Ini("a", "unknown_variable"), Ini("b")};
  draft.events[0].componentBound = 1;
  auto controller = load();
  controller->enabled()[0] = 0;
  ModalAnswerer answerer; // any error box would fail the test
  EXPECT_EQ(0, controller->runscript());
  EXPECT_EQ("writeini b;", controller->calls);
}

TEST_F(ScriptFixture, AnUnattendedBuildPassesTheInteractiveEventsSilently) {
  draft.build.styles[0].numbers[StyleRunMode] = 1;
  DraftEvent comment(9);
  draft.events = {DraftEvent(0), DraftEvent(2), comment, DraftEvent(10), Ini("a")};
  auto controller = load();
  ModalAnswerer answerer;
  EXPECT_EQ(0, controller->runscript());
  EXPECT_EQ("writeini a;", controller->calls);

  draft.build.styles[0].numbers[StyleRunMode] = 0;
  draft.events = {comment, Ini("b")};
  auto attended = load();
  answerer.answer("An uninterpretible event is being skipped", IDOK);
  EXPECT_EQ(0, attended->runscript());
  EXPECT_EQ("writeini b;", attended->calls);
}

TEST_F(ScriptFixture, AFailingEventEndsTheRunWithOne) {
  DraftEvent parse(26);
  parse.fields.texts[0] = "not a number";
  parse.fields.texts[1] = "n";
  draft.events = {Ini("a"), parse, Ini("b")};
  auto controller = load();
  ModalAnswerer answerer;
  answerer.answerAlways("", IDOK);
  EXPECT_EQ(1, controller->runscript());
  EXPECT_EQ("writeini a;", controller->calls);

  draft.events = {Ini("a", "1 +")};
  auto broken = load();
  EXPECT_EQ(1, broken->runscript());
  EXPECT_EQ("", broken->calls);
}

TEST_F(ScriptFixture, TheSelectionDecidesWhichComponentBoundEventsRun) {
  draft.events = {Ini("a"), Ini("b"), Ini("c"), DraftEvent(2)};
  draft.events[0].componentBound = draft.events[1].componentBound = 1;
  Component on, off;
  on.holdsEvents = off.holdsEvents = 1;
  on.expression1 = "1";
  off.expression1 = "0";
  on.expression2 = off.expression2 = "0";
  on.eventIndexes = {0};
  off.eventIndexes = {1};
  draft.components = {on, off};
  auto controller = load();
  controller->selectiondialog = nullptr;
  EXPECT_EQ(1, controller->ScriptInstallController::selectcomponents());
  EXPECT_EQ((std::vector<int>{1, 0, 1, 1}), controller->enabled());

  controller->selectiondialog = [](ComponentChoice& choice) {
    EXPECT_EQ(2u, choice.components.size());
    EXPECT_EQ((std::vector<int>{1, 1, 0, 0}), choice.componentBound);
    choice.enabled = {0, 1, 1, 1};
    return 1;
  };
  EXPECT_EQ(1, controller->ScriptInstallController::selectcomponents());
  EXPECT_EQ((std::vector<int>{0, 1, 1, 1}), controller->enabled());
  controller->selectiondialog = [](ComponentChoice& choice) {
    choice.enabled = {5, 5, 5, 5};
    return 0;
  };
  EXPECT_EQ(0, controller->ScriptInstallController::selectcomponents());
  EXPECT_EQ((std::vector<int>{0, 1, 1, 1}), controller->enabled()) << "giving up changes nothing";
}

TEST_F(ScriptFixture, TheSelectionDialogShowsTheComponentsExpandedTextsAndTheDrives) {
  draft.events = {Ini("a"), Ini("b")};
  draft.events[0].componentBound = draft.events[1].componentBound = 1;
  Component editor;
  editor.holdsEvents = 1;
  editor.text1 = "Editor";
  editor.text2 = "Files of $what";
  editor.expression1 = "1";
  editor.expression2 = "1";
  editor.eventIndexes = {0};
  draft.components = {editor};
  auto controller = load();
  ASSERT_EQ(1, controller->loadlanguage());
  std::strcpy(controller->stringvariable("what"), "the editor");
  controller->drives.type = [](const char* root) -> UINT {
    return root[0] == 'c' ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR;
  };
  controller->drives.freebytes = [](const char*) -> long long { return 20480; };
  std::string description, drives;
  ModalAnswerer answerer;
  answerer.act("Select Components", [&](HWND dialog) {
    HWND tree = GetDlgItem(dialog, IDC_SELCOMPS_TREEFRAME);
    LPARAM name = MAKELPARAM(35, DlgUnitsY(9) / 2);
    SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, name);
    char text[256];
    GetDlgItemTextA(dialog, IDC_SELCOMPS_TEXT, text, sizeof text);
    description = text;
    GetDlgItemTextA(dialog, IDC_SELCOMPS_DRIVES, text, sizeof text);
    drives = text;
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  EXPECT_EQ(1, controller->ScriptInstallController::selectcomponents());
  EXPECT_EQ("Files of the editor", description);
  EXPECT_EQ("c:     0Mb +   20Kb", drives);
  EXPECT_EQ((std::vector<int>{1, 0}), controller->enabled());
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

TEST(CopyPhaseTest, TheLastBeginAndEndMarkThePhase) {
  struct Row {
    const char* name;
    std::vector<int> types;
    int found, begin, end;
  } rows[] = {
      {"none", {3, 5}, 0, -1, 2},
      {"begin only", {33, 3, 3}, 1, 0, 3},
      {"both", {5, 33, 3, 34, 5}, 1, 1, 3},
      {"the last of each", {33, 34, 33, 3, 34}, 1, 2, 4},
  };
  RegisterEventTypes();
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EventList events;
    for (int type : row.types)
      events.append(FindEventType(type)->create());
    int begin = 0, end = 0;
    EXPECT_EQ(row.found, CopyPhase(events, begin, end));
    EXPECT_EQ(row.begin, begin);
    EXPECT_EQ(row.end, end);
  }
  ReleaseEventTypes();
}

TEST_F(ScriptFixture, UserDialogsAreFoundByNameInAnyCaseAndRefusedAboveThirtyControls) {
  for (int n : {30, 31}) {
    UserDialog dialog;
    dialog.name = "Dialog" + std::to_string(n);
    dialog.controls.resize(static_cast<size_t>(n));
    draft.dialogs.dialogs.push_back(dialog);
  }
  draft.dialogs.dialogs[1].controls.resize(31);
  auto controller = load();
  ModalAnswerer answerer;
  answerer.answer("User dialog nothere not found", IDOK);
  EXPECT_EQ(0, controller->rundialog("nothere"));

  CheckRecorder checks;
  answerer.answer("Error evaluting user dialog DIALOG31", IDOK);
  EXPECT_EQ(-1, controller->rundialog("DIALOG31"));
  EXPECT_EQ(1u, checks.seen.size());

  // Thirty controls fill; the test program has no dialog template, so the dialog itself cannot open.
  controller->rundialog("dialog30");
  EXPECT_EQ(2u, answerer.seen().size()) << answerer.describeSeen();
}

TEST_F(ScriptFixture, ProductAndDiskMapComeFromTheScript) {
  draft.product.name = "Some Product";
  draft.build.styles[0].name = "arch";
  draft.build.styles[0].diskLabels = {"One", "Two"};
  draft.build.entries.push_back({1, 0, 0, 4096, 4096, "a", "a"});
  draft.build.entries.push_back({2, 0, 0, 8192, 8192, "b", "b"});
  DraftEvent copy(3);
  copy.fields.references[0] = {0, 1};
  draft.events = {copy};
  auto controller = load();
  char name[128];
  ASSERT_TRUE(controller->productname(name));
  EXPECT_STREQ("Some Product", name);
  DiskMap map;
  ASSERT_TRUE(controller->diskmap(map));
  EXPECT_EQ("arch", map.archive);
  EXPECT_EQ(2u, map.labels.size());
  EXPECT_EQ(2, controller->partcount());
  EXPECT_EQ(4, controller->partsize(0));
  EXPECT_EQ(8, controller->partsize(1));
  // Deselected files count neither in the progress nor in the space needed.
  controller->enabled()[0] = 0;
  EXPECT_EQ(4, controller->partsize(0)) << "an event of no component";
  draft.events[0].componentBound = 1;
  controller = load();
  controller->enabled()[0] = 0;
  EXPECT_EQ(0, controller->partsize(0));
  EXPECT_EQ(0, controller->partsize(1));
}

} // namespace

namespace {

UserDialog SequenceDialog(const char* name, int inSequence) {
  UserDialog dialog;
  dialog.name = name;
  dialog.caption = std::string("Step ") + name;
  dialog.inSequence = inSequence;
  dialog.layout[0] = dialog.layout[1] = 500;
  dialog.layout[2] = dialog.layout[3] = 100;
  ControlRecord edit;
  edit.kind = ControlStringVariable;
  edit.text = "who";
  edit.layout[2] = 100;
  edit.layout[3] = 20;
  ControlRecord button;
  button.kind = ControlText2;
  button.text = "Keep";
  button.id = 2; // an even end code stores the edits
  button.layout[1] = 50;
  button.layout[2] = 60;
  button.layout[3] = 20;
  dialog.controls = {edit, button};
  return dialog;
}

// Each control record becomes the control of its kind; the dialog's fifth number is its help context
// and a multi-line edit's id its read-only flag.
TEST_F(ScriptFixture, UserDialogControlsTakeTheirKindsFromTheScript) {
  writeFile(dir.file("notes.txt"), "first line");
  UserDialog dialog = SequenceDialog("Kinds", 0);
  dialog.layout[4] = 77;
  ControlRecord notes;
  notes.kind = ControlFixedText;
  notes.text = "$f\\notes.txt";
  notes.id = 1;
  notes.layout[1] = 30;
  notes.layout[2] = notes.layout[3] = 20;
  ControlRecord help;
  help.kind = 4;
  ControlRecord picture;
  picture.kind = 1;
  picture.appearance.path = "c:\\authoring\\kxpict.bmp";
  dialog.controls.insert(dialog.controls.end(), {notes, help, picture});
  // The picture's file, by its name in the engine's folder: one green pixel.
  BitmapSpec green;
  green.width = green.height = 1;
  green.bits = 24;
  green.pixels = {RGB(0, 200, 0)};
  std::string pictureFile = testsupport::testProgramFolder() + "kxpict.bmp";
  ASSERT_TRUE(writeFile(pictureFile, bitmapFileBytes(green)));
  draft.dialogs.dialogs = {dialog};
  auto controller = load();
  std::snprintf(controller->stringvariable("f"), StringValueSize, "%s", dir.path().c_str());
  LanguageLibrary library;
  ASSERT_EQ(1, LoadEnglishLibrary(library));

  struct Seen {
    std::string className, text;
    LONG_PTR style = 0;
  };
  std::vector<Seen> seen;
  LRESULT context = 0;
  testsupport::MemoryDib drawn(8, 8, RGB(1, 2, 3));
  ModalAnswerer answerer;
  answerer.act("Step Kinds", [&](HWND window) {
    for (int i = 0; i < 5; ++i) {
      HWND control = GetDlgItem(window, UsrFirstId + i);
      char name[32] = "", text[64] = "";
      GetClassNameA(control, name, sizeof name);
      GetWindowTextA(control, text, sizeof text);
      seen.push_back({name, text, GetWindowLongPtrA(control, GWL_STYLE)});
    }
    SendMessageA(window, WM_COMMAND, 1234, 0);
    context = GetWindowLongPtrA(window, DWLP_MSGRESULT);
    DRAWITEMSTRUCT item = {};
    item.CtlType = ODT_BUTTON;
    item.CtlID = UsrFirstId + 4;
    item.hwndItem = GetDlgItem(window, UsrFirstId + 4);
    item.hDC = drawn.dc();
    item.rcItem = RECT{0, 0, 8, 8};
    SendMessageA(window, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(UsrFirstId + 1, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, UsrFirstId + 1)));
  });
  EXPECT_EQ(2, controller->rundialog("kinds"));
  ASSERT_EQ(5u, seen.size());
  EXPECT_EQ(77, context);
  EXPECT_EQ("Edit", seen[0].className);
  EXPECT_EQ("first line", seen[2].text) << "the notes file, loaded";
  EXPECT_TRUE(seen[2].style & ES_MULTILINE);
  EXPECT_TRUE(seen[2].style & ES_READONLY);
  EXPECT_EQ("Button", seen[3].className);
  EXPECT_NE(std::string::npos, seen[3].text.find("Help")) << seen[3].text;
  EXPECT_EQ(BS_OWNERDRAW, seen[4].style & 0xF) << "the picture";
  EXPECT_EQ(64, drawn.count(RGB(0, 200, 0))) << "the script's picture, drawn over its item";
  DeleteFileA(pictureFile.c_str());
}

} // namespace

// Only the dialogs marked for the sequence count; the n-th is shown modeless over the top of the
// window stack, and closing it hands what the user typed to its variable.
TEST_F(ScriptFixture, SequenceDialogsAreShownModelessOneAtATime) {
  draft.dialogs.dialogs = {SequenceDialog("Plain", 0), SequenceDialog("First", 1),
                           SequenceDialog("Second", 1)};
  auto controller = load();
  LanguageLibrary library;
  ASSERT_EQ(1, LoadEnglishLibrary(library));
  HWND screen =
      CreateWindowExA(0, "STATIC", "screen", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
  WindowStack().push(screen);
  ModalAnswerer answerer;
  answerer.leaveOpen("Step");
  EXPECT_EQ(2, controller->sequencedialogcount());

  int found = -1;
  ASSERT_EQ(1, controller->showsequencedialog(0, found));
  EXPECT_EQ(2, found);
  EXPECT_EQ(1, controller->sequencedialogshown());
  HWND first = FindWindowA("#32770", "Step First");
  ASSERT_TRUE(first);
  EXPECT_EQ(screen, GetWindow(first, GW_OWNER));
  SetDlgItemTextA(first, UsrFirstId, "Ann Example");
  SendMessageA(first, WM_COMMAND, MAKEWPARAM(UsrFirstId + 1, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(first, UsrFirstId + 1)));
  // Showing the next one closes the first.
  ASSERT_EQ(1, controller->showsequencedialog(1, found));
  EXPECT_FALSE(IsWindow(first));
  EXPECT_STREQ("Ann Example", controller->stringvariable("who"));
  EXPECT_TRUE(FindWindowA("#32770", "Step Second"));

  EXPECT_EQ(0, controller->showsequencedialog(2, found));
  EXPECT_EQ(2, found);
  EXPECT_EQ(0, controller->sequencedialogshown());
  EXPECT_FALSE(FindWindowA("#32770", "Step Second"));
  controller->closesequencedialog();
  WindowStack().pop();
  DestroyWindow(screen);
}

// The script reaches its sequence dialogs through controller requests: one it does not have is passed
// over, one that cannot be filled ends the run.
TEST_F(ScriptFixture, RequestsShowAndCloseTheSequenceDialogs) {
  UserDialog tooBig = SequenceDialog("Big", 1);
  tooBig.controls.resize(31);
  draft.dialogs.dialogs = {SequenceDialog("First", 1), tooBig};
  auto controller = load();
  LanguageLibrary library;
  ASSERT_EQ(1, LoadEnglishLibrary(library));
  ModalAnswerer answerer;
  answerer.leaveOpen("Step First").answer("Error evaluting user dialog Big", IDOK);
  CheckRecorder checks;
  int result = 1;
  EXPECT_EQ(1, controller->request(RequestSequenceDialog, 0, 0, result));
  EXPECT_EQ(1, controller->sequencedialogshown());
  EXPECT_EQ(1, controller->request(RequestCloseSequenceDialog, 0, 0, result));
  EXPECT_EQ(0, controller->sequencedialogshown());
  EXPECT_EQ(1, controller->request(RequestSequenceDialog, 2, 0, result));
  EXPECT_EQ(0, controller->request(RequestSequenceDialog, 1, 0, result));
  EXPECT_EQ(1u, checks.seen.size());
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

namespace {

// A script of many files, each named by a file event of one component, and its controller.
struct ManyFilesFixture : ScriptFixture {
  static constexpr unsigned Files = 20000;

  void SetUp() override {
    DraftEvent copy(3);
    for (unsigned i = 0; i < Files; ++i) {
      draft.build.entries.push_back({0, 0, 0, 1, 1, "f", "f"});
      copy.fields.references[0].push_back(i);
    }
    draft.events = {DraftEvent(19), copy};
    Component none, files;
    files.holdsEvents = 1;
    files.eventIndexes = {1};
    draft.components = {none, files, files};
  }
};

} // namespace

TEST_F(ManyFilesFixture, TheComponentOfEachFileIsLookedUpNotSearched) {
  auto controller = load();
  const std::vector<FileEntry>& entries = controller->script().build->entries;
  ASSERT_EQ(Files, entries.size());
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  unsigned inFirstComponentWithThem = 0;
  for (const FileEntry& entry : entries)
    inFirstComponentWithThem += controller->componentof(entry) == 1;
  QueryPerformanceCounter(&end);
  double milliseconds = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
  EXPECT_EQ(Files, inFirstComponentWithThem);
  // A search of the components' events for each file takes about a second here.
  EXPECT_LT(milliseconds, 100.0) << Files << " files";
  FileEntry elsewhere;
  EXPECT_EQ(-1, controller->componentof(elsewhere));
}

TEST_F(ScriptFixture, ReleasingAfterAFailedLoadClearsTheScriptAndTheEventTypes) {
  draft.events = {Ini("a"), Ini("b")};
  ScriptImage image = WriteScript(draft);
  writeFile(dir.file("install.inf"), TruncatedAfter(image, 6));
  RecordingScriptController controller(dir.path());
  ModalAnswerer answerer;
  answerer.answerAlways("Unable to load", IDOK);
  ASSERT_FALSE(controller.loadscript());
  ASSERT_EQ(2, controller.script().events.count()) << "the events were read before the failure";
  controller.releasescript();
  EXPECT_EQ(0, controller.script().events.count());
  EXPECT_EQ(0, RegisteredEventTypes());
}

TEST_F(ScriptFixture, APartsSizeSumsItsFilesBeforeDividing) {
  draft.build.styles[0].diskLabels = {"One"};
  DraftEvent copy(3);
  for (unsigned i = 0; i < 4; ++i) {
    draft.build.entries.push_back({1, 0, 0, 100, 600, "f", "f"});
    copy.fields.references[0].push_back(i);
  }
  draft.events = {copy};
  auto controller = load();
  EXPECT_EQ(2, controller->partsize(0)) << "4 x 600 bytes";
}
