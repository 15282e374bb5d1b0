#include <calendar/frame/CMainFrame.h>

#include <calendar/data/FileBytes.h>
#include <calendar/dialogs/CAlarmDlg.h>
#include <calendar/frame/CDorvixApp.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/frame/CSplashWnd.h>
#include <calendar/frame/TrayIcon.h>
#include <calendar/resource.h>
#include <calendar/tests/DialogSteps.h>
#include <calendar/tests/DorvixAppFixture.h>
#include <calendar/tests/RecordingView.h>
#include <calendar/tests/TestSeams.h>
#include <calendar/views/CGridView.h>
#include <tests/support/MessagePump.h>
#include <tests/support/RealInput.h>

#include <appframe/AfxIds.h>
#include <clock/Clock.h>
#include <wincore/MessageLoop.h>

#include <memory>

using platform::Clock;
using testsupport::fileExists;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// An applet library that writes down the messages its entry gets, and what the loader does.
std::vector<std::string> appletLog;

LONG CALLBACK RecordingApplet(HWND, UINT message, LPARAM, LPARAM) {
  static const std::pair<UINT, const char*> kNames[] = {{CPL_INIT, "init"},       {CPL_GETCOUNT, "count"},
                                                        {CPL_INQUIRE, "inquire"}, {CPL_DBLCLK, "open"},
                                                        {CPL_STOP, "stop"},       {CPL_EXIT, "exit"}};
  for (const auto& [id, name] : kNames)
    if (id == message)
      appletLog.push_back(name);
  return 1;
}

class FakeApplets {
public:
  enum Kind { Working, NoEntry, Missing };
  explicit FakeApplets(Kind kind) : kind_(kind) { appletLog.clear(); }

private:
  Kind kind_;
  AppletOverride override_{[this](const std::string& library) {
    appletLog.push_back("load " + library);
    LoadedApplet applet;
    if (kind_ == Missing)
      return applet;
    applet.module = reinterpret_cast<HMODULE>(0x10000);
    applet.entry = kind_ == Working ? &RecordingApplet : nullptr;
    applet.unload = [] { appletLog.push_back("free"); };
    return applet;
  }};
};

class CMainFrameTest : public DorvixAppFixture {
protected:
  CMainFrameTest() { AppSettings().warnTime = CAppSettings().warnTime; }
  ~CMainFrameTest() override { stop(); }

  // The program started with a recording view on its document.
  CMainFrame* start(int show = SW_SHOWNORMAL) {
    DorvixAppFixture::start(show);
    if (doc)
      doc->AddView(&view);
    return frame;
  }
  void stop() {
    if (doc)
      doc->RemoveView(&view);
    DorvixAppFixture::stop();
  }
  void command(UINT id) { SendMessageA(frame->m_hWnd, WM_COMMAND, id, 0); }
  std::string menuText(UINT id) {
    char text[64] = "";
    GetMenuStringA(GetMenu(frame->m_hWnd), id, text, sizeof text, MF_BYCOMMAND);
    return text;
  }
  UINT menuState(UINT id) { return GetMenuState(GetMenu(frame->m_hWnd), id, MF_BYCOMMAND); }
  void openMenu(int position) {
    HMENU sub = GetSubMenu(GetMenu(frame->m_hWnd), position);
    SendMessageA(frame->m_hWnd, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub), position);
  }
  int addEvent(const std::string& name, int time = -1, int lead = 15) {
    auto event = std::make_unique<CEventItem>();
    event->name = name;
    event->eventTime = time;
    event->alarmEnabled = time >= 0;
    event->leadMinutes = lead;
    doc->AddEvent(std::move(event));
    return doc->GetEvent(doc->GetEventCount() - 1)->serialNumber;
  }

  RecordingView view;
};

TEST_F(CMainFrameTest, StartsWithItsBarsPanesAndStartUpSound) {
  ASSERT_TRUE(start());
  EXPECT_EQ(frame->GetTitle(), "Calvorne v2.11");
  EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
  EXPECT_TRUE(frame->m_wndDlgBar.IsWindowVisible());
  EXPECT_EQ(frame->m_wndSplitter.GetRowCount(), 2);
  EXPECT_EQ(IsDlgButtonChecked(frame->m_wndDlgBar, IDC_SHOWUPCOMING), BST_CHECKED);
  EXPECT_NE(frame->TimerId(), 0u);
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  // Headless there is no tray: the window can be minimised but not hidden.
  EXPECT_FALSE(frame->HasTrayIcon());
  EXPECT_EQ(sound.heard, (std::vector<std::string>{"beep"})); // "sqeak.wav" is missing

  stop();
  ASSERT_TRUE(writeFile(file("sqeak.wav"), "RIFF"));
  sound.heard.clear();
  start();
  EXPECT_EQ(sound.heard, (std::vector<std::string>{"play sqeak.wav"}));
}

TEST_F(CMainFrameTest, StartUpModesAndTheSplash) {
  struct Case {
    const char* name;
    int mode;
    bool listed; // a holiday listed at start-up
    bool minimised;
    bool sound;
  } cases[] = {{"mode 1 starts normally with its sound", 1, false, false, true},
               {"mode 2 starts minimised and silent", 2, true, true, false},
               {"mode 3 with nothing listed starts minimised and silent", 3, false, true, false},
               {"mode 3 with a holiday listed starts normally with its sound", 3, true, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    writeHolidays({c.listed ? fixedHoliday("Solstice", 21, 12) : fixedHoliday("Midsummer", 24, 6, 10)});
    DeleteFileA(file("calvorne.ini").c_str()); // the run before saved its own mode
    AppSettings().startupMode = c.mode;
    sound.heard.clear();
    start();
    EXPECT_EQ(IsIconic(frame->m_hWnd) != 0, c.minimised);
    EXPECT_FALSE(frame->IsHidden());
    EXPECT_EQ(sound.heard, c.sound ? std::vector<std::string>{"beep"} : std::vector<std::string>{})
        << "\"sqeak.wav\" is missing: a beep stands for it";
    stop();
  }

  DeleteFileA(file("calvorne.ini").c_str()); // the runs above saved their settings
  AppSettings().startupMode = 1;
  AppSettings().splashEnabled = 1;
  answerer.leaveOpen(""); // the splash has neither caption nor text
  start();
  CSplashWnd* splash = CSplashWnd::Current();
  ASSERT_NE(splash, nullptr);
  HWND splashWindow = splash->m_hWnd;
  EXPECT_TRUE(IsWindowVisible(splashWindow));
  EXPECT_TRUE(testsupport::pumpUntil([&] { return !IsWindow(splashWindow); })) << "the splash stays";
  EXPECT_EQ(CSplashWnd::Current(), nullptr);
  EXPECT_TRUE(IsWindow(frame->m_hWnd));
}

TEST_F(CMainFrameTest, TickShowsTheClockAndRefreshesOnceAtADayChange) {
  Clock::set(2026, 12, 10, 23, 59, 59);
  start();
  frame->Tick();
  int timePane = frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_TIME);
  int datePane = frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_DATE);
  EXPECT_NE(frame->m_wndStatusBar.GetShownText(timePane).find("59"), std::string::npos);
  EXPECT_NE(frame->m_wndStatusBar.GetShownText(datePane).find("2026"), std::string::npos);
  EXPECT_TRUE(view.updates.empty());

  Clock::advanceSeconds(1);
  frame->Tick();
  frame->Tick();
  EXPECT_EQ(view.updates, (std::vector<std::string>{"3", "8"}));
  EXPECT_NE(frame->m_wndStatusBar.GetShownText(datePane).find("11"), std::string::npos);
}

TEST_F(CMainFrameTest, TickRaisesAlarmsOnceAndAgainAfterASnooze) {
  Clock::set(2026, 12, 10, 9, 44);
  start();
  addEvent("Dentist", 600, 15);
  frame->Tick();
  EXPECT_EQ(CAlarmDlg::OpenCount(), 0u);
  Clock::set(2026, 12, 10, 9, 45);
  frame->Tick();
  frame->Tick();
  ASSERT_EQ(CAlarmDlg::OpenCount(), 1u);

  Clock::set(2026, 12, 10, 10, 2);
  ASSERT_TRUE(snoozeAlarm(5));
  EXPECT_EQ(CAlarmDlg::OpenCount(), 0u);
  Clock::set(2026, 12, 10, 10, 6);
  frame->Tick();
  EXPECT_EQ(CAlarmDlg::OpenCount(), 0u);
  Clock::set(2026, 12, 10, 10, 7);
  frame->Tick();
  EXPECT_EQ(CAlarmDlg::OpenCount(), 1u);
}

TEST_F(CMainFrameTest, AlarmsStayAnswerableWhileADialogIsOpen) {
  Clock::set(2026, 12, 10, 9, 50);
  start();
  addEvent("Dentist", 600, 15);
  frame->Tick();
  HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !");
  ASSERT_NE(alarm, nullptr);
  bool alarmEnabled = false, frameEnabled = true;
  answerer.act("1 User Defined Events", [&](HWND box) {
    alarmEnabled = IsWindowEnabled(alarm) != 0;
    frameEnabled = IsWindowEnabled(frame->m_hWnd) != 0;
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  command(ID_EVENTCOUNT);
  EXPECT_TRUE(alarmEnabled);
  EXPECT_FALSE(frameEnabled);
}

TEST_F(CMainFrameTest, DailyAlertShowsOnceAndCanTurnItselfOff) {
  AppSettings().dailyAlert = 1;
  AppSettings().dailyAlertTime = 9 * 60 + 30;
  start();
  answerer.act("Daily Notaris Time Has Arrived!", [](HWND dialog) {
    CheckDlgButton(dialog, IDC_WARNCHECK, BST_CHECKED);
    PostMessageA(dialog, WM_COMMAND, IDYES, 0);
  });
  frame->Tick();
  frame->Tick(); // the same minute: nothing more
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
  EXPECT_EQ(answerer.seen().back().caption, "Daily Notaris");
  EXPECT_EQ(AppSettings().dailyAlert, 0);
  EXPECT_NE(readFile(file("calvorne.ini")).find("DailyNotaris=0"), std::string::npos);
}

TEST_F(CMainFrameTest, MenuStateAndViewCommands) {
  start();
  openMenu(2);
  EXPECT_EQ(menuText(ID_HIDE), "&Minimize Window");
  EXPECT_TRUE(menuState(ID_TOOLBAR) & MF_CHECKED);
  EXPECT_TRUE(menuState(ID_SHOWUPCOMING) & MF_CHECKED);
  EXPECT_FALSE(menuState(ID_SHOWALL) & MF_CHECKED);
  EXPECT_TRUE(menuState(ID_SORT_3) & MF_CHECKED);

  SendMessageA(GetDlgItem(frame->m_wndDlgBar, IDC_SHOWALL), BM_CLICK, 0, 0);
  EXPECT_EQ(doc->showAll, 1);
  EXPECT_EQ(AppSettings().showState, 1);
  command(ID_SHOWUPCOMING);
  EXPECT_EQ(IsDlgButtonChecked(frame->m_wndDlgBar, IDC_SHOWUPCOMING), BST_CHECKED);
  EXPECT_EQ(view.updates, (std::vector<std::string>{"3", "3"}));

  command(ID_TOOLBAR);
  EXPECT_FALSE(frame->m_wndDlgBar.IsWindowVisible());
  openMenu(2);
  EXPECT_FALSE(menuState(ID_TOOLBAR) & MF_CHECKED);
  command(ID_TOOLBAR);
  EXPECT_TRUE(frame->m_wndDlgBar.IsWindowVisible());

  view.updates.clear();
  command(ID_TODAY);
  EXPECT_EQ(view.updates, (std::vector<std::string>{"7"}));

  command(IDC_HIDE);
  EXPECT_TRUE(IsIconic(frame->m_hWnd));
  frame->RestoreWindow();
  EXPECT_FALSE(IsIconic(frame->m_hWnd));
}

TEST_F(CMainFrameTest, AddCountAndStandInCommands) {
  start();
  AppSettings().timeFormat = 1;
  answerer.act("Event Edit", [](HWND dialog) {
    SetDlgItemTextA(dialog, IDC_EV_NAME, "Lunch");
    SetDlgItemTextA(dialog, IDC_EV_HOUR, "12");
    SetDlgItemTextA(dialog, IDC_EV_MINUTE, "30");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  SendMessageA(GetDlgItem(frame->m_wndDlgBar, IDC_ADD), BM_CLICK, 0, 0);
  ASSERT_EQ(doc->GetEventCount(), 1);
  EXPECT_EQ(doc->GetEvent(0)->name, "Lunch");
  EXPECT_EQ(doc->GetEvent(0)->eventTime, 12 * 60 + 30);
  EXPECT_EQ(readFile(file("events20.dat")).size(), 24u + 458u);

  answerer.act("Event Edit", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
  command(ID_ADD);
  EXPECT_EQ(doc->GetEventCount(), 1);

  answerer.answer("1 User Defined Events\nCurrently Exist", IDOK);
  command(ID_EVENTCOUNT);
  answerer.act("Options", [](HWND sheet) { PostMessageA(sheet, WM_COMMAND, IDCANCEL, 0); });
  SendMessageA(GetDlgItem(frame->m_wndDlgBar, IDC_OPTIONS), BM_CLICK, 0, 0);
  answerer.answer("Version 1.2 event file does not exist.", IDOK);
  command(ID_CONVERT);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CMainFrameTest, ExitAsksWhenWarnedAndTheCheckBoxTurnsTheWarningOff) {
  start();
  AppSettings().warnExit = 1;
  answerer.act("Continue Exiting Calvorne?", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDNO, 0); });
  command(ID_APP_EXIT);
  ASSERT_TRUE(IsWindow(frame->m_hWnd));
  EXPECT_EQ(AppSettings().warnExit, 1);

  HWND hwnd = frame->m_hWnd;
  answerer.act("Continue Exiting Calvorne?", [](HWND dialog) {
    CheckDlgButton(dialog, IDC_WARNCHECK, BST_CHECKED);
    PostMessageA(dialog, WM_COMMAND, IDYES, 0);
  });
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(app->m_pMainWnd, nullptr);
  EXPECT_EQ(AppSettings().warnExit, 0);
  EXPECT_NE(readFile(file("calvorne.ini")).find("WarnExit=0"), std::string::npos);
}

TEST_F(CMainFrameTest, TheTimerRunsWhileTheWindowIsThereAndGoesWithIt) {
  Clock::set(2026, 12, 10, 9, 44);
  start();
  UINT_PTR timer = frame->TimerId();
  ASSERT_NE(timer, 0u);
  // Only a tick writes the clock pane, so a time that start-up never saw shows that the timer ran.
  Clock::set(2026, 12, 10, 17, 23);
  int timePane = frame->m_wndStatusBar.CommandToIndex(ID_INDICATOR_TIME);
  EXPECT_TRUE(testsupport::pumpUntil([&] {
    return frame->m_wndStatusBar.GetShownText(timePane).find("23") != std::string::npos;
  })) << "the pane shows \""
      << frame->m_wndStatusBar.GetShownText(timePane) << "\"";
  stop();
  EXPECT_FALSE(KillTimer(nullptr, timer)) << "the timer went with the window";
}

TEST_F(CMainFrameTest, DeleteFromTheBarLooksTheEventUpAgainAfterItsQuestion) {
  AppSettings().showState = 1;
  start();
  addEvent("First");
  addEvent("Second");
  auto* list = static_cast<CGridView*>(frame->GetActiveView());
  ASSERT_EQ(list->Grid().GetRowCount(), 2);
  list->Grid().SetCurRow(0);
  answerer.answer("Delete Current Event?", IDYES);
  SendMessageA(GetDlgItem(frame->m_wndDlgBar, IDC_DELETE), BM_CLICK, 0, 0);
  ASSERT_EQ(doc->GetEventCount(), 1);
  EXPECT_EQ(list->Grid().GetRowCount(), 1);

  // The event goes elsewhere while the question is open: the answer deletes nothing further.
  list->Grid().SetCurRow(0);
  answerer.act("Delete Current Event?", [this](HWND box) {
    doc->DeleteEvent(0);
    PostMessageA(box, WM_COMMAND, IDYES, 0);
  });
  command(IDC_DELETE);
  EXPECT_EQ(doc->GetEventCount(), 0);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CMainFrameTest, WindowStateIsWrittenOnCloseAndRestoredOnStart) {
  AppSettings().winCentered = 0;
  start();
  frame->MoveWindow(50, 60, 500, 400);
  stop();
  const CAppSettings& settings = AppSettings();
  EXPECT_EQ(settings.winPosX, 50);
  EXPECT_EQ(settings.winPosY, 60);
  EXPECT_EQ(settings.winSizeX, 500);
  EXPECT_EQ(settings.winSizeY, 400);
  EXPECT_EQ(settings.showToolbar, 1);
  EXPECT_GT(settings.gridSizeY, 0);

  AppSettings() = CAppSettings();
  AppSettings().firstRun = 0;
  AppSettings().splashEnabled = 0;
  start();
  RECT rect;
  GetWindowRect(frame->m_hWnd, &rect);
  EXPECT_EQ(rect.left, 50);
  EXPECT_EQ(rect.top, 60);
  EXPECT_EQ(rect.right - rect.left, 500);
  EXPECT_EQ(rect.bottom - rect.top, 400);
}

TEST_F(CMainFrameTest, ControlPanelAppletsAreOpenedAndClosedInOrder) {
  start();
  {
    FakeApplets applets(FakeApplets::Working);
    command(ID_DATETIME);
    EXPECT_EQ(appletLog, (std::vector<std::string>{"load timedate.cpl", "init", "count", "inquire", "open"}));
    appletLog.clear();
    stop();
    EXPECT_EQ(appletLog, (std::vector<std::string>{"stop", "exit", "free"}));
  }
  start();
  for (auto kind : {FakeApplets::NoEntry, FakeApplets::Missing}) {
    FakeApplets applets(kind);
    answerer.answer("Could Not Load Date/Time Control Panel Window", IDOK);
    command(ID_REGIONAL);
    EXPECT_EQ(appletLog.back(), kind == FakeApplets::NoEntry ? "free" : "load intl.cpl");
  }
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// A shell with a task tray that takes the icon.
class TrayTest : public CMainFrameTest {
protected:
  TrayTest() { AppSettings().newShell = 1; }
  std::vector<std::string> tray;
  TrayOverride shell{[this](DWORD message, const NOTIFYICONDATAA& data) {
    tray.push_back(std::string(message == NIM_ADD ? "add " : "delete ") + std::to_string(data.uID) + " " +
                   std::to_string(data.uCallbackMessage) + " " + data.szTip);
    return true;
  }};
};

TEST_F(TrayTest, AHiddenStartComesBackWithALeftClickOnTheIcon) {
  AppSettings().startupMode = 2;
  start();
  EXPECT_EQ(tray, (std::vector<std::string>{"add 100 1026 Calvorne"}));
  EXPECT_TRUE(frame->IsHidden());
  EXPECT_FALSE(IsWindowVisible(frame->m_hWnd));
  SendMessageA(frame->m_hWnd, CMainFrame::kTrayMessage, CMainFrame::kTrayId, WM_RBUTTONDOWN);
  EXPECT_FALSE(IsWindowVisible(frame->m_hWnd));
  SendMessageA(frame->m_hWnd, CMainFrame::kTrayMessage, CMainFrame::kTrayId, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
  EXPECT_FALSE(frame->IsHidden());
  stop();
  EXPECT_EQ(tray.back(), "delete 100 0 ");
}

TEST_F(TrayTest, HideAsksWithItsBoxCheckedAndNoCancels) {
  start();
  openMenu(2);
  EXPECT_EQ(menuText(ID_HIDE), "&Hide Window");
  int checked = -1;
  answerer.act("Continue Hiding Window?", [&checked](HWND dialog) {
    checked = IsDlgButtonChecked(dialog, IDC_WARNCHECK);
    CheckDlgButton(dialog, IDC_WARNCHECK, BST_UNCHECKED);
    PostMessageA(dialog, WM_COMMAND, IDNO, 0);
  });
  command(ID_HIDE);
  EXPECT_EQ(checked, BST_CHECKED);
  EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
  EXPECT_EQ(AppSettings().warnHiding, 1);

  ShowWindow(frame->m_hWnd, SW_MAXIMIZE);
  answerer.answer("Continue Hiding Window?", IDYES); // the box stays checked: no more warnings
  SendMessageA(frame->m_hWnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(frame->m_hWnd));
  EXPECT_TRUE(frame->IsHidden());
  EXPECT_EQ(AppSettings().warnHiding, 0);
  frame->RestoreWindow();
  EXPECT_TRUE(IsZoomed(frame->m_hWnd));

  command(IDC_HIDE); // no question now
  EXPECT_TRUE(frame->IsHidden());
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(TrayTest, ARestartedShellGetsTheIconAgain) {
  AppSettings().startupMode = 2;
  start();
  ASSERT_TRUE(frame->IsHidden());
  SendMessageA(frame->m_hWnd, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
  EXPECT_EQ(tray, (std::vector<std::string>{"add 100 1026 Calvorne", "add 100 1026 Calvorne"}));
  SendMessageA(frame->m_hWnd, CMainFrame::kTrayMessage, CMainFrame::kTrayId, WM_LBUTTONDOWN);
  EXPECT_TRUE(IsWindowVisible(frame->m_hWnd));
}

TEST_F(CMainFrameTest, TheEndOfTheWindowsSessionSavesTheWindowState) {
  AppSettings().saveOnExit = 1;
  AppSettings().winCentered = 0;
  start();
  MoveWindow(frame->m_hWnd, 40, 30, 620, 410, TRUE);
  EXPECT_EQ(SendMessageA(frame->m_hWnd, WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageA(frame->m_hWnd, WM_ENDSESSION, TRUE, 0);
  CAppSettings saved;
  saved.LoadSettings();
  EXPECT_EQ((std::vector<int>{saved.winPosX, saved.winPosY, saved.winSizeX, saved.winSizeY}),
            (std::vector<int>{40, 30, 620, 410}));
}

class BackupTest : public CMainFrameTest {
protected:
  BackupTest() : drives(0x1) {
    drives.roots["A:"] = floppy.path();
    answerer.answerAlways("Select Drive", IDOK);
  }
  std::string backupFile() const { return floppy.file("events20.wdb"); }
  testsupport::TempDir floppy;
  FolderDrives drives;
};

TEST_F(BackupTest, BackupThenRestoreBringsTheEventsBack) {
  start();
  addEvent("Saved");
  std::string saved = readFile(file("events20.dat"));
  AppSettings().autoBackupDate = 0;
  answerer.answer("Backup Complete.", IDOK);
  command(ID_BACKUP);
  EXPECT_EQ(readFile(backupFile()), saved);
  EXPECT_EQ(AppSettings().autoBackupDate, CDate().DayNumber());

  addEvent("Later");
  std::string later = readFile(file("events20.dat"));
  answerer.answer("Backup File Found.", IDYES);
  answerer.answer("Data Restored!", IDOK);
  command(ID_RESTORE);
  EXPECT_EQ(readFile(file("events20.dat")), saved);
  EXPECT_EQ(readFile(file("events20.old")), later);
  ASSERT_EQ(doc->GetEventCount(), 1);
  EXPECT_EQ(doc->GetEvent(0)->name, "Saved");
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(BackupTest, RestoreRefusesWhatIsNotABackupAndGoesOnWithoutACurrentFile) {
  start();
  addEvent("Mine");
  std::string mine = readFile(file("events20.dat"));

  answerer.answer("Backup Error", IDOK);
  command(ID_RESTORE); // nothing on the floppy

  ASSERT_TRUE(writeFile(backupFile(), std::string(600, 'x')));
  answerer.answer("not a Calvorne event file", IDOK);
  command(ID_RESTORE);
  EXPECT_EQ(readFile(file("events20.dat")), mine);
  EXPECT_FALSE(fileExists(file("events20.old")));

  ASSERT_TRUE(writeFile(backupFile(), mine));
  DeleteFileA(file("events20.dat").c_str());
  answerer.answer("Backup File Found.", IDYES);
  answerer.answer("Data Restored!", IDOK);
  command(ID_RESTORE);
  EXPECT_EQ(readFile(file("events20.dat")), mine);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(BackupTest, TheScheduledBackupQuestion) {
  int today = CDate().DayNumber();
  AppSettings().autoBackupDays = 60;
  AppSettings().autoBackupDate = today - 61;
  answerer.answer("Select no to postpone 60 days", IDNO);
  start();
  EXPECT_EQ(AppSettings().autoBackupDate, today);
  EXPECT_FALSE(fileExists(backupFile()));
  stop();

  ASSERT_TRUE(writeFile(file("events20.dat"), std::string(CEventFile::kHeader, 24)));
  DeleteFileA(file("calvorne.ini").c_str());
  AppSettings().autoBackupDate = today - 60;
  answerer.answer("Select no to postpone 60 days", IDYES);
  answerer.answer("Backup Complete.", IDOK);
  start();
  EXPECT_TRUE(fileExists(backupFile()));
  EXPECT_EQ(AppSettings().autoBackupDate, today);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(BackupTest, ABackupThatCannotBeWrittenKeepsThePreviousOne) {
  start();
  addEvent("First");
  answerer.answer("Backup Complete.", IDOK);
  command(ID_BACKUP);
  const std::string previous = readFile(backupFile());
  ASSERT_FALSE(previous.empty());

  addEvent("Second");
  // The drive cannot take the new backup (as when it is full).
  ASSERT_TRUE(CreateDirectoryA(floppy.file("events20.wdb.new").c_str(), nullptr));
  AppSettings().autoBackupDate = 7;
  answerer.answer("Backup Error", IDOK);
  command(ID_BACKUP);
  EXPECT_EQ(readFile(backupFile()), previous);
  EXPECT_EQ(AppSettings().autoBackupDate, 7);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// Some file systems answer a write onto a full disk with success, fewer bytes and no error.
TEST_F(BackupTest, ABackupOntoAFullDiskSaysSoAndKeepsThePreviousOne) {
  start();
  addEvent("First");
  const filebytes::WriteCall fullDisk = [](HANDLE file, const char* data, DWORD size, DWORD* written) {
    SetLastError(0);
    return WriteFile(file, data, size / 2, written, nullptr);
  };
  struct {
    const char* name;
    bool previous;
    const char* told;
  } const cases[] = {
      {"no backup yet", false, "The disk in drive A: has no room for the backup."},
      {"a previous backup", true,
       "The disk in drive A: has no room for the new backup beside the previous one.\nThe previous backup is "
       "kept as it was."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DeleteFileA(backupFile().c_str());
    if (c.previous) {
      answerer.answer("Backup Complete.", IDOK);
      command(ID_BACKUP);
    }
    const std::string before = readFile(backupFile());
    answerer.answer("Backup Error", IDOK);
    {
      filebytes::WriteOverride full(fullDisk);
      command(ID_BACKUP);
    }
    ASSERT_FALSE(answerer.seen().empty());
    EXPECT_EQ(answerer.seen().back().caption, "Backup Error");
    EXPECT_EQ(answerer.seen().back().text, c.told);
    EXPECT_EQ(readFile(backupFile()), before);
    EXPECT_FALSE(fileExists(floppy.file("events20.wdb.new")));
  }
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(BackupTest, ABackupBeforeAnyEventSaysThereIsNothingToBackUp) {
  start();
  ASSERT_FALSE(fileExists(file("events20.dat")));
  answerer.answer("There is nothing to back up yet", IDOK);
  command(ID_BACKUP);
  EXPECT_FALSE(fileExists(backupFile()));
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(BackupTest, ACutOffBackupIsRefusedAndTheKeptCopySurvives) {
  start();
  addEvent("Original");
  const std::string original = readFile(file("events20.dat"));
  ASSERT_EQ(original.size(), CEventFile::kHeaderSize + CEventFile::kRecordSize);
  // A good backup of two events, restored: the original becomes the kept copy.
  addEvent("Backed up");
  const std::string two = readFile(file("events20.dat"));
  ASSERT_TRUE(writeFile(backupFile(), two));
  ASSERT_TRUE(writeFile(file("events20.dat"), original));
  answerer.answer("Backup File Found.", IDYES);
  answerer.answer("Data Restored!", IDOK);
  command(ID_RESTORE);
  ASSERT_EQ(readFile(file("events20.old")), original);
  ASSERT_EQ(doc->GetEventCount(), 2);

  // A backup cut off by a full disk: a good header and a record and a half.
  const struct {
    const char* name;
    size_t size;
  } cuts[] = {{"a record and a half", CEventFile::kHeaderSize + CEventFile::kRecordSize * 3 / 2},
              {"the header cut", CEventFile::kHeaderSize - 4}};
  for (const auto& cut : cuts) {
    ASSERT_TRUE(writeFile(backupFile(), (two + two).substr(0, cut.size)));
    answerer.answer("Restore Error", IDOK);
    command(ID_RESTORE);
    EXPECT_EQ(readFile(file("events20.dat")), two) << cut.name;
    EXPECT_EQ(readFile(file("events20.old")), original) << cut.name;
    EXPECT_EQ(doc->GetEventCount(), 2) << cut.name;
  }
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

BOOL CALLBACK collectAlarmWindow(HWND hwnd, LPARAM list) {
  char title[64] = "";
  GetWindowTextA(hwnd, title, sizeof title);
  if (std::string(title) == "Calvorne Alarm !")
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
  return TRUE;
}

// The alarm windows open on this thread.
std::vector<HWND> alarmWindows() {
  std::vector<HWND> found;
  EnumThreadWindows(GetCurrentThreadId(), collectAlarmWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(BackupTest, ARestoreOfTheSameEventsKeepsTheirAlarmWindows) {
  Clock::set(2026, 12, 10, 9, 50);
  start();
  addEvent("Dentist", 600, 15);
  addEvent("Lunch", 720, 15);
  frame->Tick();
  ASSERT_EQ(alarmWindows().size(), 1u);
  auto* alarm = dynamic_cast<CAlarmDlg*>(CWnd::FromHandlePermanent(alarmWindows().front()));
  ASSERT_NE(alarm, nullptr);
  const int serial = alarm->Serial();

  answerer.answer("Backup Complete.", IDOK);
  command(ID_BACKUP);
  answerer.answer("Backup File Found.", IDYES);
  answerer.answer("Data Restored!", IDOK);
  command(ID_RESTORE);
  ASSERT_NE(doc->FindEvent(serial), nullptr) << "the window's event is the restored one";
  EXPECT_EQ(doc->FindEvent(serial)->name, "Dentist");
  frame->Tick();
  EXPECT_EQ(alarmWindows().size(), 1u) << "no second window for the same alarm";
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CMainFrameTest, AScheduledBackupWithNoDriveToTakeItIsPostponed) {
  FolderDrives none(0x4); // a fixed C: only
  int today = CDate().DayNumber();
  AppSettings().autoBackupDays = 60;
  AppSettings().autoBackupDate = today - 61;
  answerer.answer("Select no to postpone 60 days", IDYES);
  answerer.act("Select Drive", [](HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); });
  start();
  EXPECT_EQ(AppSettings().autoBackupDate, today);
  stop();
  start(); // no question this time: any box would fail the test
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// A settings file held by another program at start-up: saving the window state at exit (the list's
// column widths with it) asks once whether to replace it.
TEST_F(CMainFrameTest, AnUnreadableSettingsFileIsAskedAboutOnceAtExit) {
  const std::string theirs = "soundfile=mine.wav\r\n";
  ASSERT_TRUE(writeFile(file("calvorne.ini"), theirs));
  HANDLE lock =
      CreateFileA(file("calvorne.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  AppSettings().saveOnExit = 1;
  answerer.answerAlways("could not be read when the program started", IDNO);
  start();
  CloseHandle(lock);
  size_t before = answerer.seen().size();
  stop();
  EXPECT_EQ(answerer.seen().size() - before, 1u) << answerer.describeSeen();
  EXPECT_EQ(readFile(file("calvorne.ini")), theirs);
}

// A user who takes a question's default with Enter.
class BackupByUser : public BackupTest {};

TEST_F(BackupByUser, EnterOnTheRestoreQuestionKeepsTheCurrentEvents) {
  start();
  addEvent("Saved");
  answerer.answer("Backup Complete.", IDOK);
  command(ID_BACKUP);
  addEvent("Later");
  const std::string later = readFile(file("events20.dat"));
  answerer.enterOn("Restoring this backup will ERASE your current events!");
  command(ID_RESTORE);
  EXPECT_EQ(readFile(file("events20.dat")), later);
  EXPECT_FALSE(fileExists(file("events20.old")));
  EXPECT_EQ(doc->GetEventCount(), 2);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

class CMainFrameByUser : public CMainFrameTest {};

TEST_F(CMainFrameByUser, EnterOnTheConversionQuestionKeepsTheCurrentEvents) {
  start();
  addEvent("Current");
  const std::string current = readFile(file("events20.dat"));
  // One previous-version record: converted, it would take the place of every current event.
  ASSERT_TRUE(writeFile(file("events.dat"), std::string(112, '\0')));
  answerer.enterOn("Conversion of version 1.2 event file will delete");
  command(ID_CONVERT);
  EXPECT_EQ(readFile(file("events20.dat")), current);
  ASSERT_EQ(doc->GetEventCount(), 1);
  EXPECT_EQ(doc->GetEvent(0)->name, "Current");
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// The File menu's shortcut keys, typed by the user into the event list while the program's own loop
// runs: the loop's filters, not the menu, turn them into commands.
TEST_F(CMainFrameByUser, TheMenusShortcutKeysOpenTheirCommandsFromTheMainWindow) {
  start();
  bool opened = false;
  answerer.act("Open", [&](HWND box) {
    opened = true;
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
  });
  using testsupport::realinput::keyStroke;
  const std::vector<INPUT> ctrlO = {keyStroke(VK_CONTROL, false), keyStroke('O', false), keyStroke('O', true),
                                    keyStroke(VK_CONTROL, true)};
  testsupport::realinput::bringToFront(frame->m_hWnd);
  ASSERT_TRUE(IsChild(frame->m_hWnd, GetFocus()));
  EXPECT_TRUE(testsupport::realinput::sendThroughLoop(ctrlO, wincore::runModalLoop, [&] { return opened; }))
      << "Ctrl+O opened nothing; seen: " << answerer.describeSeen();
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
