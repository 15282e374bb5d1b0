#include <calendar/frame/CMainFrame.h>

#include <calendar/data/DataFolder.h>
#include <calendar/data/FileBytes.h>
#include <calendar/dialogs/CAlarmDlg.h>
#include <calendar/dialogs/CEventDlg.h>
#include <calendar/dialogs/CEventTypeDlg.h>
#include <calendar/dialogs/CHolidayDlg.h>
#include <calendar/dialogs/CSelectDriveDlg.h>
#include <calendar/dialogs/CTimeWarningDlg.h>
#include <calendar/frame/AlarmRules.h>
#include <calendar/frame/AppletLibrary.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/frame/Drives.h>
#include <calendar/frame/Sound.h>
#include <calendar/frame/TrayIcon.h>
#include <calendar/options/COptionsSheet.h>
#include <calendar/resource.h>
#include <calendar/views/CCalView.h>
#include <calendar/views/CGridView.h>
#include <calendar/views/Hints.h>

#include <appframe/AfxIds.h>
#include <appframe/CCmdUI.h>
#include <appframe/CWaitCursor.h>
#include <appframe/CWinApp.h>
#include <clock/Clock.h>
#include <wincore/MessageLoop.h>

#include <shellapi.h>

#include <cstdio>

namespace {

// Sent to every top-level window when the shell (re)starts: its task tray holds no icons then.
const UINT kTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");

} // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
ON_WM(WM_CREATE, OnCreate)
ON_WM(WM_DESTROY, OnDestroy)
ON_MESSAGE(WM_CLOSE, OnClose)
ON_MESSAGE(WM_SYSCOMMAND, OnSysCommand)
ON_MESSAGE(CMainFrame::kTrayMessage, OnTrayNotify)
ON_REGISTERED_MESSAGE(kTaskbarCreated, OnTaskbarCreated)
ON_MESSAGE(WM_QUERYENDSESSION, OnQueryEndSession)
ON_MESSAGE(WM_ENDSESSION, OnEndSession)
ON_COMMAND(ID_ADD, OnAdd)
ON_COMMAND(IDC_ADD, OnAdd)
ON_COMMAND(ID_HOLIDAYS, OnHolidays)
ON_COMMAND(IDC_HOLIDAYS, OnHolidays)
ON_COMMAND(ID_HIDE, OnHide)
ON_COMMAND(IDC_HIDE, OnHide)
ON_COMMAND(ID_SHOWUPCOMING, OnShowUpcoming)
ON_COMMAND(IDC_SHOWUPCOMING, OnShowUpcoming)
ON_COMMAND(ID_SHOWALL, OnShowAll)
ON_COMMAND(IDC_SHOWALL, OnShowAll)
ON_COMMAND(ID_TOOLBAR, OnToolbar)
ON_COMMAND(ID_EVENTCOUNT, OnEventCount)
ON_COMMAND(ID_TODAY, OnToday)
ON_COMMAND(ID_DATETIME, OnDateTime)
ON_COMMAND(ID_REGIONAL, OnRegional)
ON_COMMAND(ID_CONVERT, OnConvert)
ON_COMMAND(ID_BACKUP, OnBackup)
ON_COMMAND(ID_RESTORE, OnRestore)
ON_COMMAND(ID_OPTIONS, OnOptions)
ON_COMMAND(IDC_OPTIONS, OnOptions)
ON_COMMAND(ID_EVENTTYPE, OnEventType)
ON_COMMAND(ID_WEBSITE, OnWebSite)
ON_COMMAND(ID_APP_EXIT, OnExit)
ON_UPDATE_COMMAND_UI(ID_SORT_3, OnUpdateSort)
ON_UPDATE_COMMAND_UI(ID_SORT_4, OnUpdateSort)
ON_UPDATE_COMMAND_UI(ID_SORT_5, OnUpdateSort)
ON_UPDATE_COMMAND_UI(ID_SORT_6, OnUpdateSort)
ON_UPDATE_COMMAND_UI(ID_TOOLBAR, OnUpdateToolbar)
ON_UPDATE_COMMAND_UI(ID_SHOWALL, OnUpdateShowAll)
ON_UPDATE_COMMAND_UI(ID_SHOWUPCOMING, OnUpdateShowUpcoming)
ON_UPDATE_COMMAND_UI(ID_HIDE, OnUpdateHide)
END_MESSAGE_MAP()

namespace {

const UINT kIndicators[] = {ID_SEPARATOR, ID_INDICATOR_TIME, ID_INDICATOR_DATE};
const char kCaption[] = "Calvorne";

} // namespace

CMainFrame::CMainFrame() = default;

CMainFrame::~CMainFrame() { FreeApplets(); }

CDorvixDoc* CMainFrame::GetDoc() const { return static_cast<CDorvixDoc*>(GetActiveDocument()); }

bool CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
  CFrameWnd::PreCreateWindow(cs);
  const CAppSettings& settings = AppSettings();
  CWinApp* app = AfxGetApp();
  hidden_ = app && app->m_nCmdShow == SW_HIDE;
  restoreCommand_ = settings.maximized == 1 ? SW_SHOWMAXIMIZED : SW_RESTORE;
  // Created minimised, so that nothing shows before the first show command decides how the window shows.
  cs.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_MINIMIZE;
  cs.cx = settings.winSizeX != -1 ? settings.winSizeX : settings.defaultWindowWidth + 40;
  cs.cy = settings.winSizeY != -1 ? settings.winSizeY : 450;
  if (settings.winPosX == -1 || settings.winCentered == 1) {
    cs.x = (GetSystemMetrics(SM_CXSCREEN) - cs.cx) / 2;
    cs.y = (GetSystemMetrics(SM_CYSCREEN) - cs.cy) / 2;
  } else {
    cs.x = settings.winPosX;
    cs.y = settings.winPosY;
  }
  return true;
}

bool CMainFrame::OnCreateClient(CREATESTRUCTA*, CCreateContext* context) {
  if (!m_wndSplitter.CreateStatic(this, 2, 1))
    return false;
  if (!m_wndSplitter.CreateView(0, 0, context->m_pNewViewClass, SIZE{0, AppSettings().gridSizeY}, context) ||
      !m_wndSplitter.CreateView(
          1, 0, [] { return new CCalView; }, SIZE{0, 130}, context))
    return false;
  m_wndSplitter.SetRowInfo(0, AppSettings().gridSizeY, 40);
  m_wndSplitter.SetRowInfo(1, 130, 80);
  SetActiveView(static_cast<CView*>(m_wndSplitter.GetPane(0, 0)));
  return true;
}

int CMainFrame::OnCreate(CREATESTRUCTA* cs) {
  if (CFrameWnd::OnCreate(cs) != 0)
    return -1;
  CAppSettings& settings = AppSettings();
  if (settings.newShell)
    AddTrayIcon();
  // Without a tray icon a hidden window could never be brought back: start minimised instead.
  CWinApp* app = AfxGetApp();
  if (!trayAdded_ && app && app->m_nCmdShow == SW_HIDE) {
    app->m_nCmdShow = SW_SHOWMINNOACTIVE;
    hidden_ = false;
  }
  StartAccelerators();
  CreateDialogBar();
  m_wndStatusBar.Create(this);
  m_wndStatusBar.SetIndicators(kIndicators, 3);
  UINT id, style;
  int width;
  m_wndStatusBar.GetPaneInfo(0, id, style, width);
  m_wndStatusBar.SetPaneInfo(0, id, SBPS_NOBORDERS | SBPS_STRETCH, width);
  dayKey_ = DayKey(platform::Clock::localTime());
  AskScheduledBackup();
  timer_ = SetTimer(nullptr, 0, 1000, &CMainFrame::TimerProc);
  return 0;
}

void CMainFrame::AddTrayIcon() {
  NOTIFYICONDATAA tray{};
  tray.cbSize = sizeof tray;
  tray.hWnd = m_hWnd;
  tray.uID = kTrayId;
  tray.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
  tray.uCallbackMessage = kTrayMessage;
  tray.hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  lstrcpynA(tray.szTip, kCaption, sizeof tray.szTip);
  trayAdded_ = CallTray(NIM_ADD, tray);
}

// A restarted shell has an empty tray: without the icon again a window hidden to it could not come back.
LRESULT CMainFrame::OnTaskbarCreated(WPARAM, LPARAM) {
  if (!AppSettings().newShell)
    return 0;
  AddTrayIcon();
  // Still no tray: a hidden window comes back minimised rather than stay out of reach.
  if (!trayAdded_ && hidden_) {
    ShowWindow(SW_SHOWMINNOACTIVE);
    hidden_ = false;
  }
  return 0;
}

LRESULT CMainFrame::OnQueryEndSession(WPARAM, LPARAM) { return TRUE; }

// The session ends without the window being destroyed: the window state is saved as on exit.
LRESULT CMainFrame::OnEndSession(WPARAM ending, LPARAM) {
  if (ending && AppSettings().saveOnExit == 1)
    SaveWindowState();
  return 0;
}

void CMainFrame::CreateDialogBar() {
  CAppSettings& settings = AppSettings();
  m_wndDlgBar.Create(this, IDD_DIALOGBAR, CBRS_TOP, AFX_IDW_DIALOGBAR);
  const UINT ids[] = {IDC_HOLIDAYS, IDC_ADD, IDC_DELETE, IDC_MODIFY, IDC_HIDE, IDC_OPTIONS};
  for (int i = 0; i < 6; ++i) {
    if (ids[i] == IDC_HIDE && !trayAdded_) {
      buttons_[i].SubclassDlgItem(IDC_HIDE, &m_wndDlgBar);
      buttons_[i].LoadBitmaps(IDB_MINIMIZEU, IDB_MINIMIZED);
      buttons_[i].SizeToContent();
      continue;
    }
    buttons_[i].AutoLoad(ids[i], &m_wndDlgBar);
  }
  CheckRadioButton(m_wndDlgBar, IDC_SHOWALL, IDC_SHOWUPCOMING,
                   GetDoc() && GetDoc()->showAll ? IDC_SHOWALL : IDC_SHOWUPCOMING);
  m_wndDlgBar.EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM);
  EnableDocking(CBRS_ALIGN_ANY);
  DockControlBar(&m_wndDlgBar);
  if (settings.showToolbar == 0)
    m_wndDlgBar.ShowWindow(SW_HIDE);
}

int CMainFrame::DayKey(const SYSTEMTIME& time) { return time.wYear * 10000 + time.wMonth * 100 + time.wDay; }

void CALLBACK CMainFrame::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
  // The main window may already be gone while the last messages are pumped.
  auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd());
  if (frame && frame->m_hWnd)
    frame->Tick();
}

void CMainFrame::Tick() {
  CDorvixDoc* doc = GetDoc();
  if (!doc)
    return;
  SYSTEMTIME now = platform::Clock::localTime();
  int key = DayKey(now);
  if (key != dayKey_) {
    dayKey_ = key;
    doc->Recount();
    doc->UpdateAllViews(nullptr, kHintListChanged);
    doc->UpdateAllViews(nullptr, kHintDayChanged);
  }
  CheckAlarms(now);
  CheckDailyAlert(now);
  if (m_hWnd)
    ShowStatusTime(now);
}

void CMainFrame::CheckAlarms(const SYSTEMTIME& now) {
  CDorvixDoc* doc = GetDoc();
  std::vector<int> serials;
  for (CEventItem* event : doc->CheckAlarms(alarmrules::AbsoluteMinute(now)))
    serials.push_back(event->serialNumber);
  for (int serial : serials) {
    auto* alarm = new CAlarmDlg(doc, serial);
    if (!alarm->Create())
      delete alarm;
  }
}

void CMainFrame::CheckDailyAlert(const SYSTEMTIME& now) {
  CAppSettings& settings = AppSettings();
  if (!alarmrules::DailyAlertDue(settings.dailyAlert, settings.dailyAlertTime,
                                 alarmrules::AbsoluteMinute(now), dailyShownDay_))
    return;
  RestoreWindow();
  if (settings.alarmSoundEnabled == 1)
    PlayOrBeep(settings.alarmSoundFile);
  CTimeWarningDlg dialog(this);
  dialog.m_message = "Daily Notaris Time Has Arrived!";
  dialog.m_caption = "Daily Notaris";
  dialog.m_checkText = "Disable daily notaris";
  dialog.m_helpContext = 27;
  dialog.m_questionMode = false;
  dialog.DoModal();
  if (dialog.m_check) {
    settings.dailyAlert = 0;
    settings.SaveSettings();
  }
}

void CMainFrame::ShowStatusTime(const SYSTEMTIME& now) {
  char date[64] = "";
  char time[64] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
  GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, time, sizeof time);
  int datePane = m_wndStatusBar.CommandToIndex(ID_INDICATOR_DATE);
  int timePane = m_wndStatusBar.CommandToIndex(ID_INDICATOR_TIME);
  m_wndStatusBar.SetPaneText(datePane, date);
  CCmdUI ui(ID_INDICATOR_TIME, &m_wndStatusBar, static_cast<UINT>(timePane));
  ui.SetText(time);
  ui.Enable();
}

void CMainFrame::RestoreWindow() {
  if (hidden_ || IsIconic(m_hWnd)) {
    ShowWindow(restoreCommand_ == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_RESTORE);
    hidden_ = false;
  }
  SetForegroundWindow(m_hWnd);
}

LRESULT CMainFrame::OnTrayNotify(WPARAM, LPARAM lParam) {
  if (lParam == WM_LBUTTONDOWN)
    RestoreWindow();
  return 0;
}

void CMainFrame::AskScheduledBackup() {
  CAppSettings& settings = AppSettings();
  int today = CDate().DayNumber();
  if (settings.autoBackup != 1 || today - settings.autoBackupDate < settings.autoBackupDays)
    return;
  char text[160];
  std::snprintf(
      text, sizeof text,
      "Scheduled event file backup date has arrived.\n\nBackup Now?\n\nSelect no to postpone %d days",
      settings.autoBackupDays);
  // A backup that was not made (no drive, or cancelled) postpones the question as No does, so that it does
  // not come back at every start.
  if (MessageBoxA(m_hWnd, text, "Data Backup", MB_YESNO | MB_ICONINFORMATION) == IDYES && Backup())
    return;
  settings.autoBackupDate = today;
  AppSettings().SaveSettings();
}

// Shows a warning with its check box; a checked box turns the warning off. False when the answer is No.
bool CMainFrame::WarnAndAsk(const char* text, int& setting, int checked) {
  CTimeWarningDlg dialog(this);
  dialog.m_message = text;
  dialog.m_check = checked;
  INT_PTR answer = dialog.DoModal();
  if (dialog.m_check) {
    setting = 0;
    AppSettings().SaveSettings();
  }
  return answer != IDNO;
}

void CMainFrame::OnHide() {
  if (!trayAdded_) {
    ShowWindow(SW_MINIMIZE);
    return;
  }
  CAppSettings& settings = AppSettings();
  if (settings.warnHiding == 1 &&
      !WarnAndAsk("You are about to hide the Calvorne Main Window.\nClick the small icon in the task tray to "
                  "restore.\n\nContinue Hiding Window?",
                  settings.warnHiding, 1))
    return;
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(m_hWnd, &placement);
  restoreCommand_ = placement.showCmd == SW_SHOWMAXIMIZED ? SW_SHOWMAXIMIZED : SW_RESTORE;
  ShowWindow(SW_HIDE);
  hidden_ = true;
}

LRESULT CMainFrame::OnSysCommand(WPARAM wParam, LPARAM) {
  if ((wParam & 0xFFF0) == SC_MINIMIZE && trayAdded_) {
    OnHide();
    return 0;
  }
  return Default();
}

void CMainFrame::SetShowAll(int flag) {
  if (CDorvixDoc* doc = GetDoc())
    doc->SetShowAll(flag);
  AppSettings().showState = flag;
  CheckRadioButton(m_wndDlgBar, IDC_SHOWALL, IDC_SHOWUPCOMING, flag ? IDC_SHOWALL : IDC_SHOWUPCOMING);
}

void CMainFrame::OnShowUpcoming() { SetShowAll(0); }

void CMainFrame::OnShowAll() { SetShowAll(1); }

// Shown as far as the bar goes, whether or not the frame itself is on screen.
bool CMainFrame::BarShown() const { return (m_wndDlgBar.GetStyle() & WS_VISIBLE) != 0; }

void CMainFrame::OnToolbar() { ShowControlBar(&m_wndDlgBar, !BarShown()); }

void CMainFrame::OnEventCount() {
  char text[96];
  std::snprintf(text, sizeof text, "%d User Defined Events\nCurrently Exist", GetDoc()->GetEventCount());
  MessageBoxA(m_hWnd, text, "User Defined Events", MB_OK | MB_ICONINFORMATION);
}

void CMainFrame::OnToday() { GetDoc()->UpdateAllViews(nullptr, kHintShowToday); }

void CMainFrame::OnAdd() {
  auto event = std::make_unique<CEventItem>();
  INT_PTR answer;
  {
    CWaitCursor wait;
    CEventDlg dialog(*event, this);
    answer = dialog.DoModal();
  }
  if (answer == IDOK)
    GetDoc()->AddEvent(std::move(event));
}

void CMainFrame::OpenApplet(const char* library) {
  LoadedApplet applet = LoadApplet(library);
  if (!applet.entry) {
    if (applet.module)
      applet.unload();
    MessageBoxA(m_hWnd, "Could Not Load Date/Time Control Panel Window", "Error", MB_OK | MB_ICONWARNING);
    return;
  }
  APPLET_PROC entry = applet.entry;
  entry(m_hWnd, CPL_INIT, 0, 0);
  entry(m_hWnd, CPL_GETCOUNT, 0, 0);
  CPLINFO info{};
  entry(m_hWnd, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info));
  applets_.push_back({applet, info.lData});
  entry(m_hWnd, CPL_DBLCLK, 0, info.lData);
}

void CMainFrame::FreeApplets() {
  for (const Applet& open : applets_) {
    open.applet.entry(m_hWnd, CPL_STOP, 0, open.data);
    open.applet.entry(m_hWnd, CPL_EXIT, 0, 0);
    open.applet.unload();
  }
  applets_.clear();
}

void CMainFrame::OnDateTime() { OpenApplet("timedate.cpl"); }

void CMainFrame::OnRegional() { OpenApplet("intl.cpl"); }

void CMainFrame::OnConvert() {
  const char caption[] = "Version 1.2 File Conversion";
  if (!filebytes::Exists(DataFolder::Path("events.dat"))) {
    MessageBoxA(m_hWnd, "Version 1.2 event file does not exist.\nNo file processed.", caption,
                MB_OK | MB_ICONINFORMATION);
    return;
  }
  if (MessageBoxA(
          m_hWnd,
          "Conversion of version 1.2 event file will delete\nany events entered using version 2.0.\n\n"
          "Continue?",
          caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
    GetDoc()->ConvertFile();
}

void CMainFrame::ReportLastError(const char* caption) {
  DWORD error = GetLastError();
  char text[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                 sizeof text, nullptr);
  MessageBoxA(m_hWnd, text, caption, MB_OK | MB_ICONWARNING);
}

// The new backup is written beside the previous one before it takes its place, so a disk with room for
// one copy only fails every backup: the user is told that, and that the previous backup is still good.
void CMainFrame::ReportFullDisk(const std::string& drive, bool hadPrevious) {
  std::string text = hadPrevious ? "The disk in drive " + drive +
                                       " has no room for the new backup beside the previous one.\n"
                                       "The previous backup is kept as it was."
                                 : "The disk in drive " + drive + " has no room for the backup.";
  MessageBoxA(m_hWnd, text.c_str(), "Backup Error", MB_OK | MB_ICONWARNING);
}

void CMainFrame::OnBackup() { Backup(); }

bool CMainFrame::Backup() {
  CSelectDriveDlg dialog(this);
  if (dialog.DoModal() != IDOK)
    return false;
  CWaitCursor wait;
  std::string events;
  filebytes::ReadResult read = filebytes::ReadAll(DataFolder::Path("events20.dat"), events);
  if (read == filebytes::ReadResult::Missing) {
    MessageBoxA(m_hWnd, "There is nothing to back up yet: no event has been saved.", "Backup Error",
                MB_OK | MB_ICONINFORMATION);
    return false;
  }
  // The backup is written under a name of its own and takes the place of the previous one only when
  // complete, so that a full disk never costs the last good backup.
  std::string target = FindDrive(dialog.m_drive[0]).root + "\\events20.wdb";
  bool hadPrevious = filebytes::Exists(target);
  if (read != filebytes::ReadResult::Ok || !filebytes::Replace(target, events)) {
    DWORD error = GetLastError();
    if (error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL)
      ReportFullDisk(dialog.m_drive, hadPrevious);
    else
      ReportLastError("Backup Error");
    return false;
  }
  MessageBoxA(m_hWnd, "Backup Complete.", kCaption, MB_OK | MB_ICONINFORMATION);
  AppSettings().autoBackupDate = CDate().DayNumber();
  AppSettings().SaveSettings();
  return true;
}

// A backup is restored only when it is an event file of whole records: one cut off by a full disk
// would replace the events with part of them.
bool CMainFrame::CheckBackup(const std::string& backup, std::string& bytes) {
  if (filebytes::ReadAll(backup, bytes) != filebytes::ReadResult::Ok) {
    ReportLastError("Restore Error");
    return false;
  }
  if (!CEventFile::HasHeader(bytes.substr(0, CEventFile::kHeaderSize))) {
    MessageBoxA(m_hWnd, "The backup file is not a Calvorne event file.\nNothing was restored.",
                "Restore Error", MB_OK | MB_ICONWARNING);
    return false;
  }
  if ((bytes.size() - CEventFile::kHeaderSize) % CEventFile::kRecordSize != 0) {
    MessageBoxA(m_hWnd, "The backup file is incomplete: its last event is cut off.\nNothing was restored.",
                "Restore Error", MB_OK | MB_ICONWARNING);
    return false;
  }
  return true;
}

void CMainFrame::OnRestore() {
  CSelectDriveDlg dialog(this);
  if (dialog.DoModal() != IDOK)
    return;
  CWaitCursor wait;
  std::string backup = FindDrive(dialog.m_drive[0]).root + "\\events20.wdb";
  WIN32_FILE_ATTRIBUTE_DATA info{};
  if (!GetFileAttributesExA(backup.c_str(), GetFileExInfoStandard, &info)) {
    ReportLastError("Backup Error");
    return;
  }
  std::string bytes;
  if (!CheckBackup(backup, bytes))
    return;
  FILETIME local;
  SYSTEMTIME written;
  FileTimeToLocalFileTime(&info.ftLastWriteTime, &local);
  FileTimeToSystemTime(&local, &written);
  char date[64] = "";
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &written, nullptr, date, sizeof date);
  std::string question = std::string("Backup File Found.  Backup Date : ") + date +
                         "\n\nRestoring this backup will ERASE your current events!\n\nContinue?\n";
  if (MessageBoxA(m_hWnd, question.c_str(), "Warning!", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  // The backup was read whole above; only now does the current file become "events20.old", whose
  // previous contents stay until the pair is in place.
  if (!filebytes::ReplaceKeeping(DataFolder::Path("events20.dat"), bytes, DataFolder::Path("events20.old"))) {
    ReportLastError("Restore Error");
    return;
  }
  if (!GetDoc()->ReloadEvents())
    return; // the event file has told the user what is wrong with it
  MessageBoxA(m_hWnd, "Data Restored!\n\nOriginal data file renamed to events20.old", "Backup Complete",
              MB_OK | MB_ICONINFORMATION);
}

void CMainFrame::OnHolidays() {
  CHolidayDlg dialog(GetDoc(), 0, this);
  if (dialog.DoModal() == IDOK)
    GetDoc()->UpdateAllViews(nullptr, kHintListChanged);
}

void CMainFrame::OnOptions() {
  CAppSettings& settings = AppSettings();
  COptionsSheet sheet(this);
  sheet.LoadFrom(settings);
  sheet.startup.saveWindowState = [this] { SaveWindowState(); };
  if (sheet.DoModal() != IDOK)
    return;
  COptionsSheet::Changes changes = sheet.StoreTo(settings);
  if (changes.dailyTime)
    dailyShownDay_ = -1;
  if (changes.startDay)
    GetDoc()->UpdateAllViews(nullptr, kHintWeekStart);
  if (changes.timeFormat)
    GetDoc()->UpdateAllViews(nullptr, kHintListChanged);
  settings.SaveSettings();
}

void CMainFrame::OnEventType() {
  CEventTypeDlg dialog(this);
  dialog.DoModal();
}

void CMainFrame::OnWebSite() {
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(
      m_hWnd, "open", DataFolder::Path("fenwold.url").c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32)
    MessageBoxA(m_hWnd, "Error Opening Web Browser", "Error", MB_OK | MB_ICONWARNING);
}

void CMainFrame::OnExit() { SendMessage(WM_CLOSE); }

LRESULT CMainFrame::OnClose(WPARAM, LPARAM) {
  CAppSettings& settings = AppSettings();
  if (settings.warnExit == 1 &&
      !WarnAndAsk("You are about to exit Calvorne. Alarms will not sound if you exit. Use 'Hide Window' to "
                  "leave active.\n\nContinue Exiting Calvorne?",
                  settings.warnExit, 0))
    return 0;
  DestroyWindow();
  return 0;
}

void CMainFrame::SaveWindowState() {
  CAppSettings& settings = AppSettings();
  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(m_hWnd, &placement);
  const RECT& normal = placement.rcNormalPosition;
  settings.maximized = placement.showCmd == SW_SHOWMAXIMIZED;
  settings.winPosX = normal.left;
  settings.winPosY = normal.top;
  settings.winSizeX = normal.right - normal.left;
  settings.winSizeY = normal.bottom - normal.top;
  int current, minimum;
  m_wndSplitter.GetRowInfo(0, current, minimum);
  settings.gridSizeY = current;
  settings.showToolbar = BarShown();
  if (CDorvixDoc* doc = GetDoc())
    doc->UpdateAllViews(nullptr, kHintStoreColumns);
  settings.SaveSettings();
}

void CMainFrame::StartAccelerators() {
  accelerators_ = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
  if (accelerators_)
    acceleratorFilter_ = wincore::addMessageFilter([this](MSG& msg) { return TranslateShortcut(msg); });
}

void CMainFrame::StopAccelerators() {
  if (acceleratorFilter_)
    wincore::removeMessageFilter(acceleratorFilter_);
  acceleratorFilter_ = 0;
  accelerators_ = nullptr; // a table loaded from resources is freed with the module
}

// Keys typed in the frame or any of its children (the list, the calendar, the dialog bar); keys meant
// for another window (a dialog of the program) stay that window's.
bool CMainFrame::TranslateShortcut(MSG& msg) {
  if (!m_hWnd || !(msg.hwnd == m_hWnd || ::IsChild(m_hWnd, msg.hwnd)))
    return false;
  return TranslateAcceleratorA(m_hWnd, accelerators_, &msg) != 0;
}

void CMainFrame::OnDestroy() {
  StopAccelerators();
  // The timer goes with the window: a tick must never reach a frame that is being taken down.
  if (timer_)
    KillTimer(nullptr, timer_);
  timer_ = 0;
  if (trayAdded_) {
    NOTIFYICONDATAA tray{};
    tray.cbSize = sizeof tray;
    tray.hWnd = m_hWnd;
    tray.uID = kTrayId;
    CallTray(NIM_DELETE, tray);
  }
  if (AppSettings().saveOnExit == 1)
    SaveWindowState();
  Default();
}

void CMainFrame::OnUpdateSort(CCmdUI* ui) {
  static const struct {
    UINT id;
    int mode;
  } kSorts[] = {{ID_SORT_3, 3}, {ID_SORT_4, 4}, {ID_SORT_5, 5}, {ID_SORT_6, 6}};
  for (const auto& sort : kSorts)
    if (sort.id == ui->m_nID)
      ui->SetCheck(AppSettings().sortMode == sort.mode);
}

void CMainFrame::OnUpdateToolbar(CCmdUI* ui) { ui->SetCheck(BarShown()); }

void CMainFrame::OnUpdateShowAll(CCmdUI* ui) { ui->SetCheck(GetDoc() && GetDoc()->showAll == 1); }

void CMainFrame::OnUpdateShowUpcoming(CCmdUI* ui) { ui->SetCheck(GetDoc() && GetDoc()->showAll == 0); }

void CMainFrame::OnUpdateHide(CCmdUI* ui) {
  if (!trayAdded_)
    ui->SetText("&Minimize Window");
}
