#include <calendar/dialogs/CAlarmDlg.h>

#include <calendar/frame/AlarmRules.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/frame/LocaleText.h>
#include <calendar/frame/Sound.h>
#include <calendar/resource.h>
#include <calendar/views/CListEntry.h>
#include <calendar/views/Hints.h>

#include <appframe/CSpinButtonCtrl.h>
#include <appframe/CWinApp.h>
#include <clock/Clock.h>

BEGIN_MESSAGE_MAP(CAlarmDlg, CDialog)
ON_COMMAND(IDC_SNOOZEBUTTON, OnSnooze)
ON_COMMAND(IDC_MODIFYEVENT, OnModify)
ON_COMMAND(IDC_DELETEEVENT, OnDelete)
ON_MESSAGE(WM_HELP, OnHelpKey)
END_MESSAGE_MAP()

std::map<UINT_PTR, CAlarmDlg*>& CAlarmDlg::Timers() {
  static std::map<UINT_PTR, CAlarmDlg*> timers;
  return timers;
}

CAlarmDlg* CAlarmDlg::FromTimer(UINT_PTR id) {
  auto found = Timers().find(id);
  return found == Timers().end() ? nullptr : found->second;
}

void CALLBACK CAlarmDlg::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (CAlarmDlg* dialog = FromTimer(id))
    dialog->Ring();
}

// Owned by no window: an alarm must show while the main window is minimised or hidden.
CAlarmDlg::CAlarmDlg(CDorvixDoc* doc, int serial) : CDialog(IDD_ALARM, nullptr), doc_(doc), serial_(serial) {}

CAlarmDlg::~CAlarmDlg() { StopRinging(); }

bool CAlarmDlg::Create() { return CDialog::Create(); }

void CAlarmDlg::Fill(const CEventItem& event) {
  SetDlgItemText(IDC_ALARM_NAME, event.name.c_str());
  SetDlgItemText(IDC_ALARM_TYPE, event.type.c_str());
  SetDlgItemText(IDC_ALARM_NOTES, event.notes.c_str());
  SetDlgItemText(IDC_ALARM_DATE, localetext::Date(event.nextDate).c_str());
  // On the clock the user chose in the options, as the event list shows it.
  std::string time = event.eventTime >= 0 ? localetext::Time(event.eventTime, AppSettings().timeFormat) : "";
  SetDlgItemText(IDC_ALARM_TIME, time.c_str());
}

bool CAlarmDlg::OnInitDialog() {
  if (CEventItem* event = doc_->FindEvent(serial_))
    Fill(*event);
  CenterWindow();
  ::SendMessageA(GetDlgItem(IDC_SNOOZE), EM_LIMITTEXT, 3, 0);
  CSpinButtonCtrl spin;
  spin.SubclassDlgItem(IDC_SNOOZESPIN, this);
  spin.SetRange(1, 60);
  spin.SetBuddy(GetDlgItem(IDC_SNOOZE));
  spin.UnsubclassWindow();
  SetDlgItemText(IDC_SNOOZE, std::to_string(AppSettings().snoozeMinutes).c_str());
  ringTime_ = alarmrules::RingTime(alarmrules::AbsoluteSecond(platform::Clock::localTime()),
                                   static_cast<int>(kRingMilliseconds / 1000));
  Ring();
  timer_ = SetTimer(nullptr, 0, kRingMilliseconds, &CAlarmDlg::TimerProc);
  if (timer_) {
    Timers()[timer_] = this;
    running_ = true;
  }
  return true;
}

void CAlarmDlg::Ring() {
  long long now = alarmrules::AbsoluteSecond(platform::Clock::localTime());
  if (!ringTime_.Due(now, AppSettings().alarmLength)) {
    StopRinging();
    return;
  }
  SetForegroundWindow(m_hWnd);
  SetActiveWindow(m_hWnd);
  FlashWindow(m_hWnd, TRUE);
  if (AppSettings().alarmSoundEnabled == 1)
    PlayOrBeep(AppSettings().alarmSoundFile);
  FlashWindow(m_hWnd, FALSE);
}

void CAlarmDlg::StopRinging() {
  if (timer_) {
    KillTimer(nullptr, timer_);
    Timers().erase(timer_);
  }
  timer_ = 0;
  running_ = false;
}

// Enter takes the default button, Acknowledge; in the snooze box it means the minutes just typed.
void CAlarmDlg::OnOK() {
  if (::GetFocus() == GetDlgItem(IDC_SNOOZE)) {
    OnSnooze();
    return;
  }
  DestroyWindow();
}

void CAlarmDlg::OnCancel() { DestroyWindow(); }

void CAlarmDlg::PostNcDestroy() {
  CDialog::PostNcDestroy();
  delete this;
}

namespace {

// 1..60 written in digits, else 0.
int SnoozeValue(const std::string& text) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
    return 0;
  int value = std::stoi(text);
  return value <= 60 ? value : 0;
}

} // namespace

void CAlarmDlg::OnSnooze() {
  int minutes = SnoozeValue(GetDlgItemText(IDC_SNOOZE).str());
  if (minutes == 0) {
    MessageBoxA(m_hWnd, "Please enter an integer between 1 and 60", "Snooze Value", MB_OK | MB_ICONWARNING);
    return;
  }
  doc_->SnoozeAlarm(serial_, alarmrules::AbsoluteMinute(platform::Clock::localTime()), minutes);
  DestroyWindow();
}

CEventItem* CAlarmDlg::LookUp() {
  CEventItem* event = doc_->FindEvent(serial_);
  if (!event)
    MessageBoxA(m_hWnd, "Event Already Deleted", "Calvorne", MB_OK | MB_ICONINFORMATION);
  return event;
}

void CAlarmDlg::SendToViews(long hint) {
  StopRinging();
  ShowWindow(SW_HIDE);
  if (CEventItem* event = LookUp()) {
    if (hint == kHintEditEvent)
      doc_->ClearSnooze(serial_);
    CListEntry entry(event);
    doc_->UpdateAllViews(nullptr, hint, &entry);
  }
  DestroyWindow();
}

void CAlarmDlg::OnModify() { SendToViews(kHintEditEvent); }

void CAlarmDlg::OnDelete() { SendToViews(kHintDeleteEvent); }

LRESULT CAlarmDlg::OnHelpKey(WPARAM, LPARAM) {
  if (AfxGetApp())
    AfxGetApp()->WinHelp(20);
  return TRUE;
}
