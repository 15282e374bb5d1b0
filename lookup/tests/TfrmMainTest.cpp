#include <lookup/TfrmMain.h>

#include <clock/Clock.h>
#include <formlib/TApplication.h>
#include <lookup/PellawinForms.h>
#include <lookup/TfrmAreaCode.h>
#include <lookup/TfrmInternet.h>
#include <lookup/TfrmTimeZones.h>
#include <wincore/MessageLoop.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RealInput.h>
#include <tests/support/SentInput.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

std::vector<HWND>* createdWindows = nullptr;

LRESULT CALLBACK recordCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && createdWindows)
    createdWindows->push_back(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The program as started, in a temporary folder; the forms go as they do when the program ends.
struct MainTest : ::testing::Test {
  MainTest() {
    Application->SetExeName(dir.file("pellawin.exe"));
    Application->Initialize();
    createdWindows = &created;
    HHOOK hook = SetWindowsHookExA(WH_CBT, recordCreation, nullptr, GetCurrentThreadId());
    CreateForms();
    UnhookWindowsHookEx(hook);
    createdWindows = nullptr;
  }
  ~MainTest() override {
    Application->SetExeName(exeName);
    delete frmTimeZones;
    delete frmInternet;
    delete frmAreaCode;
    delete frmMain;
    pumpMessages();
  }
  std::vector<TForm*> forms() const { return {frmMain, frmAreaCode, frmInternet, frmTimeZones}; }
  // Whether `upper` lies above `lower` on the desktop.
  static bool above(const TForm* upper, const TForm* lower) {
    for (HWND hwnd = GetWindow(upper->Handle(), GW_HWNDNEXT); hwnd; hwnd = GetWindow(hwnd, GW_HWNDNEXT))
      if (hwnd == lower->Handle())
        return true;
    return false;
  }
  static bool quitPosted() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }

  std::string exeName = Application->ExeName();
  platform::ClockOverride clock{2026, 7, 15, 12, 0};
  TempDir dir;
  std::vector<HWND> created;
};

// What the running program showed, recorded from inside its message loop.
struct RunningState {
  std::string visible;
  bool timedOut = false;
};
RunningState* running = nullptr;

void CALLBACK lookAndPressEscape(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  for (TForm* form : {static_cast<TForm*>(frmMain), static_cast<TForm*>(frmAreaCode),
                      static_cast<TForm*>(frmInternet), static_cast<TForm*>(frmTimeZones)})
    running->visible += IsWindowVisible(form->Handle()) ? '1' : '0';
  pressKey(frmMain->btArea->Handle(), VK_ESCAPE);
}

void CALLBACK giveUp(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  running->timedOut = true;
  PostQuitMessage(0);
}

TEST_F(MainTest, StartUpCreatesTheFourFormsInOrderShowsOnlyTheMainOneAndEscapeEnds) {
  std::vector<HWND> order;
  for (HWND hwnd : created)
    for (TForm* form : forms())
      if (form->Handle() == hwnd)
        order.push_back(hwnd);
  std::vector<HWND> expected = {frmMain->Handle(), frmAreaCode->Handle(), frmInternet->Handle(),
                                frmTimeZones->Handle()};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(Application->MainForm(), frmMain);
  for (TForm* form : forms())
    EXPECT_FALSE(form->Visible()) << form->Name();

  RunningState state;
  running = &state;
  SetTimer(nullptr, 0, 10, lookAndPressEscape);
  UINT_PTR guard = SetTimer(nullptr, 0, 10000, giveUp);
  Application->Run();
  KillTimer(nullptr, guard);
  running = nullptr;
  EXPECT_FALSE(state.timedOut) << "Escape did not end the program";
  EXPECT_EQ(state.visible, "1000");
  EXPECT_FALSE(frmMain->Visible());
}

TEST_F(MainTest, WindowIsTheDesignedButtonMenu) {
  RECT client;
  GetClientRect(frmMain->Handle(), &client);
  EXPECT_EQ(client.right, 348);
  EXPECT_EQ(client.bottom, 271);
  LONG style = GetWindowLongA(frmMain->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_EQ(frmMain->Caption(), "Pellawin Info");
  // The first button has the focus; Tab goes down the buttons in their order and comes round.
  frmMain->Show();
  std::vector<TButton*> tabOrder = {frmMain->btArea,  frmMain->btIntl,  frmMain->btInternet,
                                    frmMain->btAbout, frmMain->btClose, frmMain->btArea};
  for (size_t i = 0; i + 1 < tabOrder.size(); ++i) {
    ASSERT_TRUE(tabOrder[i]->Focused()) << tabOrder[i]->Caption();
    pressKey(tabOrder[i]->Handle(), VK_TAB);
  }
  EXPECT_TRUE(frmMain->btArea->Focused());
}

TEST_F(MainTest, AskingForALookUpWindowAgainKeepsOneBroughtForward) {
  frmMain->Show();
  struct Case {
    TButton* button;
    TForm* form;
  } cases[] = {
      {frmMain->btArea, frmAreaCode}, {frmMain->btInternet, frmInternet}, {frmMain->btIntl, frmTimeZones}};
  for (const Case& c : cases) {
    int shows = 0;
    TNotifyEvent show = c.form->OnShow;
    c.form->OnShow = [&](TObject* sender) {
      ++shows;
      show(sender);
    };
    click(c.button->Handle(), 5, 5);
    frmMain->Show();
    EXPECT_TRUE(above(frmMain, c.form)) << c.form->Caption();
    click(c.button->Handle(), 5, 5);
    EXPECT_TRUE(c.form->Visible()) << c.form->Caption();
    EXPECT_TRUE(above(c.form, frmMain)) << c.form->Caption();
    EXPECT_EQ(shows, 1) << c.form->Caption();
    // A minimised window comes back on screen.
    ShowWindow(c.form->Handle(), SW_MINIMIZE);
    click(c.button->Handle(), 5, 5);
    EXPECT_FALSE(IsIconic(c.form->Handle())) << c.form->Caption();
    c.form->OnShow = show;
  }
  // All three stay open beside the main window.
  for (TForm* form : forms())
    EXPECT_TRUE(form->Visible()) << form->Name();
}

TEST_F(MainTest, ClosingTheMainWindowEndsWithoutSavingTheOpenLookUpWindows) {
  frmMain->Show();
  click(frmMain->btIntl->Handle(), 5, 5);
  click(frmMain->btArea->Handle(), 5, 5);
  ASSERT_TRUE(frmTimeZones->Visible());
  ASSERT_TRUE(frmAreaCode->Visible());
  pressKey(frmMain->btArea->Handle(), VK_ESCAPE);
  EXPECT_TRUE(quitPosted());
  EXPECT_FALSE(frmMain->Visible());
  delete frmTimeZones;
  delete frmAreaCode;
  frmTimeZones = nullptr;
  frmAreaCode = nullptr;
  EXPECT_FALSE(fileExists(dir.file("pellawin.ini"))) << readFile(dir.file("pellawin.ini"));
}

TEST_F(MainTest, AboutOpensModallyOverTheMainWindowAndGoesWhenClosed) {
  frmMain->Show();
  bool mainDisabled = false;
  HWND owner = nullptr;
  ModalAnswerer answerer;
  answerer.act("How to contact us", [&](HWND hwnd) {
    owner = GetWindow(hwnd, GW_OWNER);
    mainDisabled = !IsWindowEnabled(frmMain->Handle());
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  });
  click(frmMain->btAbout->Handle(), 5, 5);
  EXPECT_EQ(owner, frmMain->Handle());
  EXPECT_TRUE(mainDisabled);
  EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
  EXPECT_EQ(FindWindowA(nullptr, "How to contact us"), nullptr);
}

// Alt and the underlined letter, or the letter alone on a button, works the buttons of the main window.
TEST_F(MainTest, UnderlinedLettersOpenTheirWindows) {
  frmMain->Show();
  struct Case {
    const char* name;
    UINT message;
    char key;
    TForm* opens;
  } cases[] = {{"Alt+A", WM_SYSCHAR, 'a', frmAreaCode},
               {"I on a button", WM_CHAR, 'i', frmTimeZones},
               {"Alt+W", WM_SYSCHAR, 'w', frmInternet}};
  for (const Case& c : cases) {
    SendMessageA(frmMain->btClose->Handle(), c.message, static_cast<WPARAM>(c.key), 1);
    EXPECT_TRUE(c.opens->Visible()) << c.name;
  }
  bool aboutShown = false;
  ModalAnswerer answerer;
  answerer.act("How to contact us", [&](HWND hwnd) {
    aboutShown = true;
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  });
  SendMessageA(frmMain->btClose->Handle(), WM_SYSCHAR, 'b', 1);
  EXPECT_TRUE(aboutShown);
}

// Help opened from a look-up window holds the whole program, the main window included, until it closes.
TEST_F(MainTest, HelpDisablesEveryOtherWindowWhileItIsOpen) {
  frmMain->Show();
  click(frmMain->btArea->Handle(), 5, 5);
  bool mainEnabled = true, areaEnabled = true;
  ModalAnswerer answerer;
  answerer.act("Pellawin Info Help", [&](HWND hwnd) {
    mainEnabled = IsWindowEnabled(frmMain->Handle());
    areaEnabled = IsWindowEnabled(frmAreaCode->Handle());
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  });
  SendMessageA(frmAreaCode->btHelp->Handle(), WM_SYSCHAR, 'h', 1);
  EXPECT_FALSE(mainEnabled);
  EXPECT_FALSE(areaEnabled);
  EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
  EXPECT_TRUE(IsWindowEnabled(frmAreaCode->Handle()));
}

// A user at the main window who presses Alt and a button's underlined letter: the keys go through the
// system and the program's own message loop.
using MainByUser = MainTest;

TEST_F(MainByUser, AltAndAnUnderlinedLetterOpenTheButtonsWindow) {
  frmMain->Show();
  struct Case {
    char letter;
    TForm* opens;
  } cases[] = {{'A', frmAreaCode}, {'W', frmInternet}, {'I', frmTimeZones}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("Alt+") + c.letter);
    realinput::bringToFront(frmMain->Handle());
    using realinput::keyStroke;
    EXPECT_TRUE(realinput::sendThroughLoop({keyStroke(VK_MENU, false), keyStroke(c.letter, false),
                                            keyStroke(c.letter, true), keyStroke(VK_MENU, true)},
                                           wincore::runModalLoop, [&] { return c.opens->Visible(); }));
  }
}

// Without Alt, a letter works the button it underlines while a button of the window has the focus; Alt+B
// opens the About box, which holds its own loop until the user closes it.
TEST_F(MainByUser, TheLetterAloneAtAButtonAndAltBForTheAboutBox) {
  frmMain->Show();
  realinput::bringToFront(frmMain->Handle());
  ASSERT_EQ(GetParent(GetFocus()), frmMain->Handle()) << "a button of the main window has the focus";
  EXPECT_TRUE(realinput::sendThroughLoop(realinput::keysOf("i"), wincore::runModalLoop,
                                         [&] { return frmTimeZones->Visible(); }));

  bool aboutShown = false;
  ModalAnswerer answerer;
  answerer.act("How to contact us", [&](HWND hwnd) {
    aboutShown = true;
    PostMessageA(hwnd, WM_CLOSE, 0, 0);
  });
  realinput::bringToFront(frmMain->Handle());
  using realinput::keyStroke;
  EXPECT_TRUE(realinput::sendThroughLoop(
      {keyStroke(VK_MENU, false), keyStroke('B', false), keyStroke('B', true), keyStroke(VK_MENU, true)},
      wincore::runModalLoop, [&] { return aboutShown && !FindWindowA(nullptr, "How to contact us"); }));
  EXPECT_TRUE(IsWindowEnabled(frmMain->Handle()));
}

} // namespace
