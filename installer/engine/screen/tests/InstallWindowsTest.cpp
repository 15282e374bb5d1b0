#include <engine/builder/ScriptBuilder.h>
#include <engine/controllers/InstallController.h>
#include <engine/controllers/ScriptInstallController.h>
#include <engine/dialogs/ControllerDialog.h>
#include <engine/screen/InstallWindows.h>
#include <foundation/drawing/bmpsrc.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/ctl3d.h>
#include <foundation/windows/msgloop.h>
#include <foundation/windows/wndstack.h>

#include <engine/tests/ScriptSideStub.h>
#include <engine/tests/TestFolders.h>
#include <foundation/tests/checkrecorder.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>
#include <tests/support/WindowText.h>

#include <gtest/gtest.h>

#include <kxlang/kxlangids.h>

#include <cstring>
#include <string>
#include <vector>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::TempDir;
using testsupport::writeFile;

using testsupport::windowText;

namespace {

// A 16 by 16 icon file of two colours.
std::string iconFile() {
  std::string bytes;
  auto put16 = [&](unsigned v) { bytes += std::string{char(v & 0xFF), char(v >> 8)}; };
  auto put32 = [&](unsigned v) {
    put16(v & 0xFFFF);
    put16(v >> 16);
  };
  // The directory: one image of 16 x 16 pixels, 2 colours, 1 plane, 1 bit, its size and offset.
  for (unsigned v : {0, 1, 1})
    put16(v);
  bytes += std::string{16, 16, 2, 0};
  put16(1);
  put16(1);
  put32(40 + 8 + 64 + 64);
  put32(22);
  // The image: its header (the height counts both masks), the palette, the pixels, an opaque mask.
  put32(40);
  put32(16);
  put32(32);
  put16(1);
  put16(1);
  for (int n = 0; n < 6; ++n)
    put32(0);
  put32(0x000000);
  put32(0xFFFFFF);
  bytes += std::string(64, '\x55') + std::string(64, '\0');
  return bytes;
}

// A top-level window with a system menu that records the close requests it gets.
struct ClosableWindow {
  static std::vector<HWND>& closed() {
    static std::vector<HWND> windows;
    return windows;
  }
  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
      closed().push_back(window);
      return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  ClosableWindow() {
    WNDCLASSA description = {};
    description.lpfnWndProc = proc;
    description.lpszClassName = "kxtestclosable";
    RegisterClassA(&description);
    window = CreateWindowExA(0, "kxtestclosable", "closable", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 50,
                             50, nullptr, nullptr, nullptr, nullptr);
    child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, window, nullptr, nullptr, nullptr);
    closed().clear();
  }
  ~ClosableWindow() { DestroyWindow(window); }
  HWND window;
  HWND child;
};

class InstallWindowsTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_EQ(1, language.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll"));
    settings.activity.shown = 0;
    windows.setrun(dir.path().c_str(), "Kx Demo");
  }
  void TearDown() override { windows.close(); }

  void show() {
    ASSERT_EQ(1, windows.realizescreen(settings));
    windows.loadicon(dir.path().c_str());
    ASSERT_EQ(1, windows.createiconwindow());
    testsupport::pumpMessages();
  }

  TempDir dir;
  LanguageLibrary language;
  InstallScreenSettings settings;
  InstallWindows windows;
};

TEST(InstallWindowsRules, EachStepOfTheCopyHasItsBillboard) {
  struct Row {
    int percent, steps, step;
  } rows[] = {{50, 0, -1}, {0, 1, 0},  {100, 1, 0}, {0, 3, 0},  {33, 3, 0},
              {34, 3, 1},  {67, 3, 2}, {100, 3, 2}, {-5, 3, 0}, {99, 100, 99}};
  for (const Row& row : rows)
    EXPECT_EQ(row.step, BillboardStep(row.percent, row.steps)) << row.percent << "% of " << row.steps;
}

TEST_F(InstallWindowsTest, TheScreenDrawsTheCopiesOfItsPicturesBesideTheEngine) {
  settings.metafile.path = "c:\\art\\logo.wmf";
  settings.background.path = "d:\\build\\back.bmp";
  settings.picture.source.mode = 1;
  settings.picture.source.path = "e:\\pict.bmp";
  writeFile(dir.file("pict256.bmp"), "");
  bmpsrc::setscreendepth(8);
  show();
  fpathbuf path;
  ASSERT_TRUE(windows.metafilepath(path));
  EXPECT_EQ(dir.file("logo.wmf"), path.str());
  ASSERT_TRUE(windows.backgroundpath(path));
  EXPECT_EQ(dir.file("back.bmp"), path.str());
  ASSERT_TRUE(windows.picturepath(path));
  EXPECT_EQ(dir.file("pict256.bmp"), path.str());
  bmpsrc::setscreendepth(0);
  EXPECT_EQ("Kx Demo", windowText(windows.screenwindow()));
  EXPECT_EQ(EngineModule(), windows.bitmapmodule());
}

TEST_F(InstallWindowsTest, TheScreenOwnsTheRunsDialogsWhileItIsUp) {
  HWND before = WindowStack().top();
  int dialogs = MessageLoop().dialogcount();
  show();
  HWND screen = windows.screenwindow();
  EXPECT_EQ(screen, WindowStack().top());

  int abort = 0;
  ASSERT_TRUE(windows.showprogress(&abort));
  HWND progress = windows.progress()->hwnd();
  EXPECT_EQ(screen, GetWindow(progress, GW_OWNER));
  EXPECT_EQ(progress, WindowStack().top());
  EXPECT_EQ(dialogs + 1, MessageLoop().dialogcount());
  windows.showpercent(40);
  EXPECT_EQ(40, windows.progress()->bar.percent);
  EXPECT_EQ("40% complete", windowText(windows.iconwindow()));
  PostMessageA(progress, WM_COMMAND, IDCANCEL, 0);
  testsupport::pumpMessages();
  EXPECT_EQ(1, abort);

  windows.close();
  EXPECT_FALSE(IsWindow(progress));
  EXPECT_FALSE(IsWindow(screen));
  EXPECT_EQ(before, WindowStack().top());
  EXPECT_EQ(dialogs, MessageLoop().dialogcount());
}

TEST_F(InstallWindowsTest, TheRunsIconComesFromBesideTheEngineElseFromTheProgram) {
  HICON own = LoadIconA(EngineModule(), "ICONSETUP");
  ASSERT_NE(nullptr, own);
  windows.loadicon(dir.path().c_str());
  EXPECT_EQ(own, windows.runicon());
  writeFile(dir.file("kxmain.ico"), iconFile());
  windows.loadicon(dir.path().c_str());
  EXPECT_NE(nullptr, windows.runicon());
  EXPECT_NE(own, windows.runicon());
  EXPECT_EQ(windows.runicon(), ControllerIcon()) << "the run's dialogs show it";
  windows.close();
  EXPECT_EQ(nullptr, ControllerIcon());
}

TEST_F(InstallWindowsTest, TheIconWindowStandsForTheMinimisedRun) {
  show();
  HWND screen = windows.screenwindow(), icon = windows.iconwindow();
  char name[32] = "";
  GetClassNameA(icon, name, sizeof name);
  EXPECT_STREQ("wndclassic", name);
  EXPECT_EQ("Installing Kx Demo", windowText(icon));
  EXPECT_FALSE(IsWindowVisible(icon));
  EXPECT_TRUE(IsWindowVisible(screen));

  struct Row {
    const char* name;
    WPARAM restore;
  } rows[] = {{"restore", SC_RESTORE}, {"maximise", SC_MAXIMIZE}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    windows.screen()->command(GadgetMinimize, nullptr);
    EXPECT_FALSE(IsWindowVisible(screen));
    EXPECT_TRUE(IsWindowVisible(icon));
    EXPECT_TRUE(IsIconic(icon));
    SendMessageA(icon, WM_SYSCOMMAND, row.restore, 0);
    EXPECT_TRUE(IsWindowVisible(screen));
    EXPECT_FALSE(IsWindowVisible(icon));
  }

  // Closing it brings the screen back and closes the run's window that can be closed.
  ClosableWindow closable;
  windows.minimize();
  SendMessageA(icon, WM_SYSCOMMAND, SC_CLOSE, 0);
  testsupport::pumpMessages();
  EXPECT_TRUE(IsWindowVisible(screen));
  ASSERT_EQ(1u, ClosableWindow::closed().size());
  EXPECT_EQ(closable.window, ClosableWindow::closed()[0]);
}

TEST_F(InstallWindowsTest, ExitClosesTheWindowTheUserWasInElseOneThatCanBeClosed) {
  show();
  ClosableWindow first, second;
  windows.exit(second.child);
  testsupport::pumpMessages();
  ASSERT_EQ(1u, ClosableWindow::closed().size());
  EXPECT_EQ(second.window, ClosableWindow::closed()[0]);

  // From the screen, which has no Close, to the first window of the run whose Close is enabled.
  ClosableWindow::closed().clear();
  EnableMenuItem(GetSystemMenu(first.window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_FALSE(CloseEnabled(first.window));
  EXPECT_FALSE(CloseEnabled(windows.screenwindow()));
  windows.exit(windows.screenwindow());
  testsupport::pumpMessages();
  ASSERT_EQ(1u, ClosableWindow::closed().size());
  EXPECT_EQ(second.window, ClosableWindow::closed()[0]);
}

TEST_F(InstallWindowsTest, HelpIsTheRunsLanguageFileBesideTheEngine) {
  show();
  windows.bindhelp(dir.path().c_str(), "enu");
  EXPECT_EQ(dir.file("kxenu.hlp"), EngineHelp().file.str());
  EXPECT_EQ(200, EngineHelp().value);
  EXPECT_EQ(8, EngineHelp().defaultid);
  EXPECT_EQ(windows.iconwindow(), EngineHelp().owner);
  {
    // The file is not there: every way to help shows that there is none, never the help program.
    ModalAnswerer answerer;
    answerer.answer("No help is available", IDOK).answer("No help is available", IDOK);
    answerer.answer("No help is available", IDOK);
    SendMessageA(windows.iconwindow(), WM_COMMAND, 200, 0);
    windows.screen()->command(GadgetHelp, windows.screenwindow());
    MSG f1{windows.screenwindow(), WM_KEYUP, VK_F1, 1, 0, {}};
    SetActiveWindow(windows.screenwindow());
    MessageLoop().dispatch(f1);
    EXPECT_EQ(3u, answerer.seen().size()) << answerer.describeSeen();
  }
  windows.close();
  EXPECT_EQ(nullptr, EngineHelp().owner);
}

// The install controller with a script side that only answers what the run's windows need.
class WindowsController : public ScriptSideStub {
public:
  explicit WindowsController(const std::string& engine) : ScriptSideStub(engine) {}

  int runscript() override {
    seenScreen = windows().screenwindow() && WindowStack().top() == windows().screenwindow();
    seenIcon = windowText(windows().iconwindow());
    seenHelp = EngineHelp().file.str();
    seenCtl3d = Ctl3dActive();
    return 0;
  }
  int ctl3dwish() override { return wish; }
  const InstallScreenSettings* screensettings() override { return screen; }
  int billboardcount() override { return billboards; }
  int showbillboard(int n) override {
    calls.push_back("show " + std::to_string(n));
    return 1;
  }
  void closebillboard() override { calls.push_back("close"); }

  void selectall() { parts_.assign(1, 1); }

  const InstallScreenSettings* screen = nullptr;
  int wish = 0;
  int billboards = 0;
  std::vector<std::string> calls;
  int seenScreen = 0;
  int seenCtl3d = 0;
  std::string seenIcon;
  std::string seenHelp;
};

TEST_F(InstallWindowsTest, TheRunShowsItsWindowsAroundTheScriptAndReleasesThem) {
  CopyFileA((ProgramsFolder() + "\\kxenu.dll").c_str(), dir.file("kxenu.dll").c_str(), FALSE);
  InstallScreenSettings unrealisable;
  unrealisable.sizingMode = 2;
  unrealisable.background.path = dir.file("missing.bmp");
  struct Row {
    const char* name;
    const InstallScreenSettings* screen;
    const char* message;
    int result;
  } rows[] = {
      {"no screen", nullptr, nullptr, 1},
      {"a screen that cannot be made", &unrealisable, "Unable to realize the install screen", 1},
      {"a screen", &settings, nullptr, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ModalAnswerer answerer;
    if (row.message)
      answerer.answer(row.message, IDOK);
    WindowsController controller(dir.path());
    controller.screen = row.screen;
    controller.wish = 1;
    HWND top = WindowStack().top();
    EXPECT_EQ(row.result, controller.run());
    EXPECT_EQ(row.result == 0, controller.seenScreen);
    EXPECT_EQ(top, WindowStack().top());
    EXPECT_EQ(nullptr, controller.windows().screenwindow());
    EXPECT_EQ(nullptr, controller.windows().iconwindow());
    EXPECT_FALSE(Ctl3dActive()) << "the three-dimensional controls end with the run";
    if (row.result == 0) {
      EXPECT_EQ("Installing Kx Demo", controller.seenIcon);
      EXPECT_EQ(dir.file("kxenu.hlp"), controller.seenHelp);
      EXPECT_TRUE(controller.seenCtl3d);
    }
  }
}

TEST_F(InstallWindowsTest, TheCopyShowsProgressAndChangesTheBillboardAtEachStep) {
  ModalAnswerer answerer;
  answerer.leaveOpen("Progress");
  WindowsController controller(dir.path());
  controller.selectall();
  controller.billboards = 3;
  controller.begincopy(0, 1, 0);
  ASSERT_NE(nullptr, controller.windows().progress());
  EXPECT_TRUE(controller.addprogress(20));
  EXPECT_TRUE(controller.addprogress(20));
  EXPECT_EQ(40, controller.windows().progress()->bar.percent);
  EXPECT_TRUE(controller.addprogress(60));
  controller.endcopy();
  EXPECT_EQ(nullptr, controller.windows().progress());
  std::vector<std::string> expected{"show 0", "close", "show 1", "close", "show 2", "close"};
  EXPECT_EQ(expected, controller.calls);

  // Cancel on the dialog stops the copy.
  controller.begincopy(0, 1, 0);
  PostMessageA(controller.windows().progress()->hwnd(), WM_COMMAND, IDCANCEL, 0);
  testsupport::pumpMessages();
  EXPECT_FALSE(controller.addprogress(1));
  controller.endcopy();
}

// The script-driven controller with an engine folder of the test's own.
class ScriptWindowsController : public ScriptInstallController {
public:
  explicit ScriptWindowsController(const std::string& engine) {
    std::snprintf(engineFolder_, sizeof engineFolder_, "%s", engine.c_str());
  }
};

TEST_F(InstallWindowsTest, TheScriptGivesTheScreenTheThreeDimensionalWishAndTheBillboards) {
  ScriptDraft draft = MinimalScript();
  draft.product.values[2] = 1;
  draft.screen.sizingMode = 3;
  for (int inSequence : {1, 0, 1}) {
    UserDialog dialog;
    dialog.inSequence = inSequence;
    draft.dialogs.dialogs.push_back(dialog);
  }
  writeFile(dir.file("install.inf"), WriteScript(draft).bytes);
  ScriptWindowsController controller(dir.path());
  ASSERT_TRUE(controller.loadscript());
  EXPECT_EQ(1, controller.ctl3dwish());
  ASSERT_NE(nullptr, controller.screensettings());
  EXPECT_EQ(3, controller.screensettings()->sizingMode);
  EXPECT_EQ(2, controller.billboardcount());
  // The copy shows the first of them and takes it down at its end.
  controller.begincopy(0, 1, 0);
  EXPECT_TRUE(controller.sequencedialogshown());
  controller.endcopy();
  EXPECT_FALSE(controller.sequencedialogshown());
}

// The script's dialogs belong to the install screen, also while the copy's progress dialog stands
// above it on the window stack.
TEST_F(InstallWindowsTest, TheScriptsDialogsAreOwnedByTheScreenDuringTheCopy) {
  ScriptDraft draft = MinimalScript();
  UserDialog dialog;
  dialog.name = "Ask";
  dialog.caption = "Ask";
  dialog.inSequence = 1;
  dialog.layout[0] = dialog.layout[1] = 500;
  dialog.layout[2] = dialog.layout[3] = 100;
  ControlRecord button;
  button.kind = ControlText2;
  button.text = "Go";
  button.id = 3;
  button.layout[2] = 60;
  button.layout[3] = 20;
  dialog.controls = {button};
  draft.dialogs.dialogs.push_back(dialog);
  dialog.name = dialog.caption = "Board";
  draft.dialogs.dialogs.push_back(dialog);
  draft.dialogs.dialogs[0].inSequence = 0;
  writeFile(dir.file("install.inf"), WriteScript(draft).bytes);
  ScriptWindowsController controller(dir.path());
  ASSERT_TRUE(controller.loadscript());
  controller.windows().setrun(dir.path().c_str(), "Kx Demo");
  ASSERT_EQ(1, controller.windows().realizescreen(settings));
  HWND screen = controller.windows().screenwindow();

  HWND owner = nullptr;
  ModalAnswerer answerer;
  answerer.leaveOpen("Progress").leaveOpen("Board").act("Ask", [&](HWND window) {
    owner = GetWindow(window, GW_OWNER);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(UsrFirstId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, UsrFirstId)));
  });
  controller.begincopy(0, 1, 0);
  ASSERT_NE(nullptr, controller.windows().progress());
  ASSERT_EQ(controller.windows().progress()->hwnd(), WindowStack().top());
  HWND billboard = FindWindowA("#32770", "Board");
  ASSERT_TRUE(billboard);
  EXPECT_EQ(screen, GetWindow(billboard, GW_OWNER));
  EXPECT_EQ(3, controller.rundialog("ask"));
  EXPECT_EQ(screen, owner);
  controller.endcopy();
  controller.windows().close();
}

} // namespace
