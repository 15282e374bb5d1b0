#include <engine/dialogs/ComponentDialog.h>
#include <engine/script/LanguageSet.h>
#include <engine/tests/TestFolders.h>

#include <foundation/dialogs/gauge.h>
#include <foundation/windows/dlgbox.h>
#include <foundation/windows/helpfile.h>
#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <kxlang/kxlangids.h>

#include <cstring>
#include <functional>

using testsupport::ModalAnswerer;

namespace {

ComponentShape Leaf(const char* name, long checked, std::vector<int> events, long boxKind = 1) {
  ComponentShape shape;
  shape.holdsEvents = 1;
  shape.name = name;
  shape.description = std::string("About ") + name;
  shape.checked = checked;
  shape.boxKind = boxKind;
  shape.events = std::move(events);
  return shape;
}

ComponentShape Group(const char* name, std::vector<int> subs) {
  ComponentShape shape;
  shape.name = name;
  shape.subcomponents = std::move(subs);
  return shape;
}

std::string Text(HWND dialog, int id) {
  char text[512] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

int GaugePercent(HWND dialog) {
  auto* bar = dynamic_cast<gauge*>(GetSubclassObject(GetDlgItem(dialog, IDC_SELCOMPS_GAUGE)));
  return bar ? bar->percent : -1;
}

// A user's click on a row of the tree: on its check box, or on its text.
enum Spot { Box, Name };
void Click(HWND dialog, int row, int depth, Spot spot) {
  HWND tree = GetDlgItem(dialog, IDC_SELCOMPS_TREEFRAME);
  int height = DlgUnitsY(9);
  int x = depth * 25 + (spot == Box ? 9 : 35);
  LPARAM point = MAKELPARAM(x, row * height + height / 2);
  SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(tree, WM_LBUTTONUP, 0, point);
}

struct ComponentDialogFixture : ::testing::Test {
  LanguageLibrary library;
  ComponentChoice choice;

  void SetUp() override {
    ASSERT_EQ(1, library.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll"));
  }

  // Rows in display order:
  //   0 Programs        3 Extras
  //   1   Editor        4   Shared (the same component again)
  //   2   Shared        5 Core (grey box, checked)
  // Events 0, 1 and 3 belong to Editor, Shared and Core; event 2 to no component.
  void UseSharedComponentTree() {
    choice.components = {Leaf("Editor", 1, {0}), Leaf("Shared", 0, {1}), Group("Programs", {0, 1}),
                         Group("Extras", {1}), Leaf("Core", 1, {3}, 0)};
    choice.componentBound = {1, 1, 0, 1};
    choice.eventSizes = {100, 50, 30, 20};
    choice.enabled = {1, 1, 1, 1};
  }
};

TEST_F(ComponentDialogFixture, ChecksFollowTheSharedComponentAndOkGivesTheirEnableArray) {
  UseSharedComponentTree();
  choice.driveLines = {"c:  8192Mb +    2Kb", "n: 9765625Mb +    0Kb"};
  struct Step {
    const char* name;
    int row, depth;
    const char* enabled;
    int percent;
  } steps[] = {
      {"check Shared", 2, 1, "200 K", 100},
      {"uncheck Editor", 1, 1, "100 K", 50},
      {"uncheck Shared where it appears again", 4, 1, "50 K", 25},
      {"the grey box of Core does not change", 5, 0, "50 K", 25},
      {"check Shared once more", 2, 1, "100 K", 50},
  };
  ModalAnswerer answerer;
  answerer.act("Select Components", [&](HWND dialog) {
    testsupport::runLater([&, dialog] {
      EXPECT_EQ(GetDlgItem(dialog, IDOK), GetFocus());
      EXPECT_EQ("200 K", Text(dialog, IDC_SELCOMPS_TOTAL));
      EXPECT_EQ("150 K", Text(dialog, IDC_SELCOMPS_ENABLED));
      EXPECT_EQ(75, GaugePercent(dialog));
      EXPECT_NE("", Text(dialog, IDC_SELCOMPS_TEXT));
      EXPECT_EQ("c:  8192Mb +    2Kb\r\nn: 9765625Mb +    0Kb", Text(dialog, IDC_SELCOMPS_DRIVES));
      LOGFONTA face{};
      auto font = reinterpret_cast<HFONT>(SendDlgItemMessageA(dialog, IDC_SELCOMPS_DRIVES, WM_GETFONT, 0, 0));
      GetObjectA(font, sizeof face, &face);
      EXPECT_STREQ("Courier New", face.lfFaceName);
      EXPECT_EQ(12, HelpIdOfWindow(dialog));
      for (const Step& step : steps) {
        Click(dialog, step.row, step.depth, Box);
        EXPECT_EQ(step.enabled, Text(dialog, IDC_SELCOMPS_ENABLED)) << step.name;
        EXPECT_EQ(step.percent, GaugePercent(dialog)) << step.name;
      }
      Click(dialog, 4, 1, Name);
      EXPECT_EQ("About Shared", Text(dialog, IDC_SELCOMPS_TEXT));
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
  });
  int asked = 0;
  EXPECT_EQ(1, RunSelectComponentsDialog(choice, [&] { return ++asked; }));
  EXPECT_EQ((std::vector<int>{0, 1, 1, 1}), choice.enabled);
  EXPECT_EQ(0, asked);
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

TEST_F(ComponentDialogFixture, CancelShowsTheDialogAgainAsLeftUntilTheUserGivesUp) {
  UseSharedComponentTree();
  choice.enabled = {1, 0, 1, 1};
  std::string shownAgain;
  ModalAnswerer answerer;
  answerer
      .act("Select Components",
           [&](HWND dialog) {
             Click(dialog, 1, 1, Box);
             PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
           })
      .act("Select Components", [&](HWND dialog) {
        shownAgain = Text(dialog, IDC_SELCOMPS_ENABLED);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      });
  int asked = 0;
  EXPECT_EQ(0, RunSelectComponentsDialog(choice, [&] { return ++asked == 2; }));
  EXPECT_EQ(2, asked);
  EXPECT_EQ("50 K", shownAgain) << "Editor stays unchecked";
  EXPECT_EQ((std::vector<int>{1, 0, 1, 1}), choice.enabled) << "giving up changes nothing";
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

TEST_F(ComponentDialogFixture, SizesAndGaugeAtTheEnds) {
  struct Row {
    const char* name;
    std::vector<long> sizes;
    long checked;
    const char* total;
    const char* enabled;
    int percent;
  } rows[] = {
      {"nothing checked", {40, 60}, 0, "100 K", "0 K", 0},
      {"everything checked", {40, 60}, 1, "100 K", "100 K", 100},
      {"a total of 0", {0, 0}, 0, "0 K", "0 K", 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    choice.components = {Leaf("One", row.checked, {0}), Leaf("Two", row.checked, {1})};
    choice.componentBound = {1, 1};
    choice.eventSizes = row.sizes;
    choice.enabled = {1, 1};
    std::string total, enabled;
    int percent = -1;
    ModalAnswerer answerer;
    answerer.act("Select Components", [&](HWND dialog) {
      total = Text(dialog, IDC_SELCOMPS_TOTAL);
      enabled = Text(dialog, IDC_SELCOMPS_ENABLED);
      percent = GaugePercent(dialog);
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(1, RunSelectComponentsDialog(choice, [] { return 1; }));
    EXPECT_EQ(row.total, total);
    EXPECT_EQ(row.enabled, enabled);
    EXPECT_EQ(row.percent, percent);
  }
}

TEST(SelectionDriveLinesTest, FixedRemoteAndCdRomDrivesWithLargeFreeSpace) {
  DrivePlatform drives;
  drives.type = [](const char* root) -> UINT {
    switch (root[0]) {
    case 'a':
      return DRIVE_REMOVABLE;
    case 'c':
      return DRIVE_FIXED;
    case 'd':
      return DRIVE_CDROM;
    case 'n':
      return DRIVE_REMOTE;
    default:
      return DRIVE_NO_ROOT_DIR;
    }
  };
  drives.freebytes = [](const char* root) -> long long {
    switch (root[0]) {
    case 'c':
      return 10240;
    case 'n':
      return 10240000000000LL; // far above 4 GB
    default:
      return -1;
    }
  };
  EXPECT_EQ((std::vector<std::string>{"c:     0Mb +   10Kb", "d:     0Mb +    0Kb", "n: 9765625Mb +    0Kb"}),
            SelectionDriveLines(drives));
}

} // namespace
