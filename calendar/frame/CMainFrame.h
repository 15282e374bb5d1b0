#pragma once

#include <appframe/CBitmapButton.h>
#include <appframe/CDialogBar.h>
#include <appframe/CFrameWnd.h>
#include <appframe/CSplitterWnd.h>
#include <appframe/CStatusBar.h>

#include <calendar/frame/AppletLibrary.h>

#include <string>
#include <vector>

class CDorvixDoc;

// The calendar's main window: the dialog bar of commands, the status bar with time and date, the list
// above the month, and the tray icon where the shell takes one. A one-second timer drives the clock
// panes, the refresh at a day change, the alarm check and the daily alert.
class CMainFrame : public CFrameWnd {
  DECLARE_MESSAGE_MAP()

public:
  static constexpr UINT kTrayMessage = WM_USER + 2;
  static constexpr UINT kTrayId = 100;

  CMainFrame();
  ~CMainFrame() override;

  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  bool OnCreateClient(CREATESTRUCTA* cs, CCreateContext* context) override;
  CDorvixDoc* GetDoc() const;

  // The one-second timer's procedure: the tick of the application's main window, when there is one.
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);
  // One second of the clock (the timer calls it; tests may too).
  void Tick();
  void CheckAlarms(const SYSTEMTIME& now);
  void CheckDailyAlert(const SYSTEMTIME& now);
  // Shows the window again (tray click, daily alert) and brings it to the front.
  void RestoreWindow();

  bool IsHidden() const { return hidden_; }
  bool HasTrayIcon() const { return trayAdded_; }
  UINT_PTR TimerId() const { return timer_; }
  CStatusBar m_wndStatusBar;
  CDialogBar m_wndDlgBar;
  CSplitterWnd m_wndSplitter;

  void OnAdd();
  void OnHide();
  void OnShowUpcoming();
  void OnShowAll();
  void OnToolbar();
  void OnEventCount();
  void OnToday();
  void OnDateTime();
  void OnRegional();
  void OnConvert();
  void OnBackup();
  void OnRestore();
  void OnHolidays();
  void OnOptions();
  void OnEventType();
  void OnWebSite();
  void OnExit();

protected:
  int OnCreate(CREATESTRUCTA* cs);
  void OnDestroy();
  LRESULT OnClose(WPARAM wParam, LPARAM lParam);
  LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
  LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);
  void OnUpdateSort(CCmdUI* ui);
  void OnUpdateToolbar(CCmdUI* ui);
  void OnUpdateShowAll(CCmdUI* ui);
  void OnUpdateShowUpcoming(CCmdUI* ui);
  void OnUpdateHide(CCmdUI* ui);

private:
  struct Applet {
    LoadedApplet applet;
    LPARAM data;
  };
  static int DayKey(const SYSTEMTIME& time);
  void CreateDialogBar();
  void AskScheduledBackup();
  void SetShowAll(int flag);
  void OpenApplet(const char* library);
  void FreeApplets();
  void SaveWindowState();
  bool BarShown() const;
  void ShowStatusTime(const SYSTEMTIME& now);
  bool WarnAndAsk(const char* text, int& setting, int checked);
  void ReportLastError(const char* caption);
  void ReportFullDisk(const std::string& drive, bool hadPrevious);
  void AddTrayIcon();
  // The menu's keyboard shortcuts, taken from the program's loop while the frame lives.
  void StartAccelerators();
  void StopAccelerators();
  bool TranslateShortcut(MSG& msg);
  LRESULT OnTaskbarCreated(WPARAM wParam, LPARAM lParam);
  LRESULT OnQueryEndSession(WPARAM wParam, LPARAM lParam);
  LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
  // Backs the event file up to the drive the user picks; false when no backup was made.
  bool Backup();
  bool CheckBackup(const std::string& backup, std::string& bytes);

  CBitmapButton buttons_[6];
  int dayKey_ = 0;
  UINT_PTR timer_ = 0;
  bool hidden_ = false;
  int restoreCommand_ = SW_RESTORE;
  long long dailyShownDay_ = -1;
  bool trayAdded_ = false;
  std::vector<Applet> applets_;
  HACCEL accelerators_ = nullptr;
  int acceleratorFilter_ = 0;
};
