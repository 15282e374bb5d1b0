#include <engine/tests/TestFolders.h>

#include <engine/builder/Distribution.h>
#include <engine/controllers/ScriptInstallController.h>
#include <engine/dialogs/FileSetDialog.h>

#include <foundation/windows/helpfile.h>
#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <kxlang/kxlangids.h>

#include <cstring>
#include <dlgs.h>
#include <functional>

using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::TempDir;

namespace {

// The user types a name into the file dialog and presses its OK button.
ModalAnswerer::Action TypeName(const std::string& name) {
  return [name](HWND dialog) {
    // The name field is an edit in the classic dialog and a combo box in the newer one.
    SetDlgItemTextA(dialog, edt1, name.c_str());
    SetDlgItemTextA(dialog, cmb13, name.c_str());
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  };
}

int Selected(HWND dialog, int index) {
  return SendDlgItemMessageA(dialog, IDC_INSTSF_GROUPS, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void Select(HWND dialog, std::initializer_list<int> indexes) {
  for (int index : indexes)
    SendDlgItemMessageA(dialog, IDC_INSTSF_GROUPS, LB_SETSEL, TRUE, index);
}

TEST(FileSetFolderTest, AWildcardNameLeavesTheFolderAnyOtherNameIsAppended) {
  struct Row {
    const char* chosen;
    const char* folder;
  } rows[] = {
      {"C:\\dest\\*.*", "C:\\dest"},
      {"C:\\dest\\a?c.txt", "C:\\dest"},
      {"C:\\*.*", "C:\\"},
      {"C:\\dest\\new", "C:\\dest\\new"},
      {"C:\\dest\\readme.txt", "C:\\dest\\readme.txt"},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.folder, FileSetFolder(row.chosen)) << row.chosen;
}

struct FileSetFixture : ::testing::Test {
  TempDir dir;
  LanguageLibrary library;

  void SetUp() override {
    ASSERT_EQ(1, library.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll"));
  }
};

TEST_F(FileSetFixture, OkInstallsTheSelectedSetsIntoTheChosenFolderAndDeselectsThem) {
  std::string target = dir.file("Sets");
  std::vector<std::string> installs;
  HWND sets = nullptr;
  std::string filter;
  FileSetRequest request;
  request.groups = {"Docs", "Samples", "Tools", "Extras"};
  request.install = [&](int index, const char* folder) {
    installs.push_back(std::to_string(index) + " " + folder);
    if (index == 0)
      return 1;
    // The set installed before is no longer selected; this one fails and stays selected with the
    // rest, which the loop leaves alone.
    EXPECT_FALSE(Selected(sets, 0));
    PostMessageA(sets, WM_COMMAND, IDCANCEL, 0);
    return 0;
  };
  ModalAnswerer answerer;
  answerer
      .act("Install File Sets",
           [&](HWND dialog) {
             sets = dialog;
             EXPECT_EQ(17, HelpIdOfWindow(dialog));
             EXPECT_EQ(4, SendDlgItemMessageA(dialog, IDC_INSTSF_GROUPS, LB_GETCOUNT, 0, 0));
             Select(dialog, {0, 2, 3});
             PostMessageA(dialog, WM_COMMAND, IDOK, 0);
           })
      .act("Open", [&](HWND dialog) {
        testsupport::runLater([&, dialog] {
          char text[64] = "";
          SendDlgItemMessageA(dialog, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
          filter = text;
          TypeName(target)(dialog);
        });
      });
  EXPECT_EQ(1, RunFileSetDialog(request));
  EXPECT_EQ((std::vector<std::string>{"0 " + target, "2 " + target}), installs);
  EXPECT_EQ("All files", filter);
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

TEST_F(FileSetFixture, NothingIsInstalledWithoutASelectionOrAFolder) {
  int installs = 0;
  FileSetRequest request;
  request.groups = {"Docs"};
  request.install = [&](int, const char*) { return ++installs; };
  ModalAnswerer answerer;
  answerer
      .act("Install File Sets",
           [&](HWND dialog) {
             // OK without a selection asks for no folder; with one, the folder dialog is cancelled.
             SendMessageA(dialog, WM_COMMAND, IDOK, 0);
             Select(dialog, {0});
             PostMessageA(dialog, WM_COMMAND, IDOK, 0);
             PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
           })
      .act("Open", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
  EXPECT_EQ(1, RunFileSetDialog(request));
  EXPECT_EQ(0, installs);
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

// The script-driven controller over a distribution made by the script builder.
class DistributionController : public ScriptInstallController {
public:
  explicit DistributionController(const std::string& folder) {
    std::snprintf(engineFolder_, sizeof engineFolder_, "%s", folder.c_str());
  }
  int prepare() {
    return initialise() && diskmap(map_) &&
           library_.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll");
  }
};

TEST(FileSetControllerTest, RequestOneInstallsAGroupsFileFromTheArchive) {
  RegisterEventTypes();
  TempDir dir;
  std::string out = dir.file("dist");
  CreateDirectoryA(out.c_str(), nullptr);
  testsupport::writeFile(dir.file("one.txt"), "first file");
  testsupport::writeFile(dir.file("two.txt"), "the second file");
  Distribution distribution;
  std::string error;
  ASSERT_EQ(1, distribution.parse("product Tolvane\nstyle tolv\nfile " + dir.file("one.txt") +
                                      " one.txt\nfile " + dir.file("two.txt") + " two.txt\nini p=" + out +
                                      " sz=1\n",
                                  error))
      << error;
  FileGroup group;
  group.entry = 1;
  group.texts = {"Second"};
  distribution.draft.build.styles[0].groups = {group};
  ASSERT_EQ(1, distribution.write(out, nullptr, error)) << error;
  ReleaseEventTypes();

  DistributionController controller(out);
  ASSERT_EQ(1, controller.prepare());
  std::string target = dir.file("Chosen");
  ModalAnswerer answerer;
  answerer
      .act("Install File Sets",
           [](HWND dialog) {
             Select(dialog, {0});
             PostMessageA(dialog, WM_COMMAND, IDOK, 0);
             PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
           })
      .act("Open", TypeName(target))
      .leaveOpen("Progress");
  int result = 1;
  EXPECT_EQ(1, controller.request(RequestFileSets, 0, 0, result));
  EXPECT_EQ(1, result) << "the run's result is left alone";
  EXPECT_EQ("the second file", readFile(target + "\\two.txt"));
  EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
}

} // namespace
