#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/resourcelibrary.h>
#include <foundation/windows/tests/highmemory.h>

#include <foundation/registry/osinfo.h>
#include <foundation/windows/dlgbox.h>
#include <foundation/windows/dlgtemplate.h>
#include <foundation/windows/wndstack.h>

#include <wincore/ErrorReporter.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

using testing::ElementsAre;

namespace {

constexpr UINT EndNow = WM_USER + 1;

// Notes what it sees while WM_INITDIALOG runs, then ends itself with 7.
class ProbeDialog : public dlgbox {
public:
  INT_PTR dlgproc(UINT message, WPARAM, LPARAM) override {
    if (message == WM_INITDIALOG) {
      boundAtInit =
          hwnd() != nullptr && GetWindowLongPtrA(hwnd(), DWLP_USER) == reinterpret_cast<LONG_PTR>(this);
      style = static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_STYLE));
      owner = GetWindow(hwnd(), GW_OWNER);
      PostMessageA(hwnd(), EndNow, 0, 0);
      return 1;
    }
    if (message == EndNow && !ismodeless())
      EndDialog(hwnd(), 7);
    return 0;
  }
  int boundAtInit = 0;
  DWORD style = 0;
  HWND owner = nullptr;
};

constexpr UINT Throw = WM_USER + 2;
constexpr UINT Ping = WM_USER + 3;

// Fails in its handler for Throw and notes the messages that matter here, with its window at each.
class FailingDialog : public dlgbox {
public:
  INT_PTR dlgproc(UINT message, WPARAM, LPARAM) override {
    if (message == Throw)
      throw std::runtime_error("dialog handler failed");
    if (message == Ping || message == WM_DESTROY || message == WM_NCDESTROY)
      seen.push_back({message, hwnd()});
    return message == Ping;
  }
  struct Seen {
    UINT message;
    HWND window;
    bool operator==(const Seen& other) const { return message == other.message && window == other.window; }
  };
  std::vector<Seen> seen;
};

// Sets the new-shell flag for one scope.
class NewShell {
public:
  explicit NewShell(int flag) : saved_(SystemInfo().newshell) { SystemInfo().newshell = flag; }
  ~NewShell() { SystemInfo().newshell = saved_; }

private:
  int saved_;
};

DWORD styleInBlock(void* block, int offset) {
  DWORD style;
  std::memcpy(&style, static_cast<char*>(block) + offset, sizeof style);
  return style;
}

} // namespace

TEST(DlgboxTest, ModalDialogFromTheLibraryIsBoundBeforeInitReturns) {
  ResourceLibrary library;
  for (int newshell : {1, 0}) {
    SCOPED_TRACE(newshell);
    NewShell shell(newshell);
    HighObject<ProbeDialog> dialog;
    ASSERT_TRUE(sizeof(void*) == 4 || dialog.aboveFourGiB()); // a 32-bit pointer cannot be truncated
    EXPECT_EQ(7, RunDialog(*dialog, nullptr, "TESTDLG"));
    EXPECT_EQ(1, dialog->boundAtInit);
    EXPECT_EQ(nullptr, dialog->hwnd());
  }
}

TEST(DlgboxTest, TemplatesComeFromTheLibraryThenTheProgram) {
  {
    ResourceLibrary library;
    EXPECT_EQ(library.module(), FindDialogTemplate("TESTDLG"));
    EXPECT_EQ(EngineModule(), FindDialogTemplate("TESTLOOPDLG"));
    EXPECT_EQ(nullptr, FindDialogTemplate("NOSUCHDLG"));
    ProbeDialog dialog;
    EXPECT_EQ(7, RunDialog(dialog, nullptr, "TESTLOOPDLG"));
  }
  EXPECT_EQ(nullptr, FindDialogTemplate("TESTDLG"));
}

TEST(DlgboxTest, ThreeDLookPatchKnowsBothTemplateForms) {
  ResourceLibrary library;
  void* plain = LoadDialogTemplate("TESTDLG");
  void* extended = LoadDialogTemplate("TESTDLGEX");
  ASSERT_NE(nullptr, plain);
  ASSERT_NE(nullptr, extended);
  EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_SETFONT | DS_3DLOOK), styleInBlock(plain, 0));
  EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_SETFONT | DS_3DLOOK), styleInBlock(extended, 12));
  EXPECT_EQ(0xFFFF0001u, styleInBlock(extended, 0)) << "the extended header stays as it was";
  std::free(plain);
  std::free(extended);
  NewShell shell(1);
  ProbeDialog dialog;
  EXPECT_EQ(7, RunDialog(dialog, nullptr, "TESTDLGEX"));
}

TEST(DlgboxTest, MissingTemplateIsReportedByStartKind) {
  struct Row {
    int newshell;
    int modal;
    int line;
  };
  const Row rows[] = {{1, 1, 94}, {1, 0, 142}, {0, 1, 118}, {0, 0, 156}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.newshell << " " << row.modal);
    NewShell shell(row.newshell);
    CheckRecorder checks;
    ProbeDialog dialog;
    if (row.modal)
      EXPECT_EQ(-1, RunDialog(dialog, nullptr, "NOSUCHDLG"));
    else
      EXPECT_EQ(0, CreateModelessDialog(dialog, nullptr, "NOSUCHDLG"));
    EXPECT_THAT(checks.seen, ElementsAre(CheckRecorder::Pair("DLGBOX", row.line)));
  }
}

TEST(DlgboxTest, ModelessTakesTheTopOfTheWindowStackAsOwner) {
  ResourceLibrary library;
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  WindowStack().push(owner);
  HighObject<ProbeDialog> dialog;
  ASSERT_EQ(1, CreateModelessDialog(*dialog, nullptr, "TESTDLG"));
  WindowStack().pop();
  EXPECT_EQ(owner, dialog->owner);
  EXPECT_EQ(1, dialog->boundAtInit);
  HWND window = dialog->hwnd();
  DestroyWindow(window);
  EXPECT_EQ(nullptr, dialog->hwnd());
  DestroyWindow(owner);
}

TEST(DlgboxTest, ModelessDestroyedWhileShownIsReportedAndLetGo) {
  ResourceLibrary library;
  CheckRecorder checks;
  HighObject<ProbeDialog> dialog;
  ASSERT_EQ(1, CreateModelessDialog(*dialog, nullptr, "TESTDLG"));
  HWND window = dialog->hwnd();
  dialog.destroy();
  EXPECT_THAT(checks.seen, ElementsAre(CheckRecorder::Pair("DLGBOX", 33)));
  EXPECT_FALSE(IsWindow(window));
}

TEST(DlgboxTest, AHandlersFailureIsReportedAndTheDialogGoesOn) {
  ResourceLibrary library;
  std::vector<std::string> reported;
  wincore::ScopedErrorReporter reporter(
      [&](std::exception_ptr error) { reported.push_back(wincore::errorText(error)); });
  HighObject<FailingDialog> dialog;
  ASSERT_EQ(1, CreateModelessDialog(*dialog, nullptr, "TESTDLG"));
  HWND window = dialog->hwnd();

  SendMessageA(window, Throw, 0, 0);
  EXPECT_THAT(reported, ElementsAre("dialog handler failed"));
  SendMessageA(window, Ping, 0, 0);
  EXPECT_THAT(dialog->seen, ElementsAre(FailingDialog::Seen{Ping, window})) << "the dialog still answers";
  DestroyWindow(window);
}

TEST(DlgboxTest, TheObjectHearsEveryMessageUntilTheLast) {
  ResourceLibrary library;
  HighObject<FailingDialog> dialog;
  ASSERT_EQ(1, CreateModelessDialog(*dialog, nullptr, "TESTDLG"));
  HWND window = dialog->hwnd();
  DestroyWindow(window);
  EXPECT_THAT(dialog->seen, ElementsAre(FailingDialog::Seen{WM_DESTROY, window},
                                        FailingDialog::Seen{WM_NCDESTROY, window}));
  EXPECT_EQ(nullptr, dialog->hwnd());
}

TEST(DlgboxTest, DialogUnitsFollowTheBaseUnits) {
  LONG units = GetDialogBaseUnits();
  EXPECT_EQ(MulDiv(8, LOWORD(units), 4), DlgUnitsX(8));
  EXPECT_EQ(MulDiv(9, HIWORD(units), 8), DlgUnitsY(9));
}
