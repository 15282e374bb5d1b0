#pragma once

#include <calendar/frame/AlarmRules.h>

#include <appframe/CDialog.h>

#include <map>

class CDorvixDoc;
class CEventItem;

// The window of one raised alarm: shows the event, rings every 20 seconds for the configured alarm
// length, and lets the user acknowledge, snooze, modify or delete the event. It keeps the event's serial
// number, not the event, and looks the event up for each action: the event may be deleted while the
// window is open. The object deletes itself when its window is gone.
class CAlarmDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

public:
  static constexpr UINT kRingMilliseconds = 20000;

  CAlarmDlg(CDorvixDoc* doc, int serial);
  ~CAlarmDlg() override;

  bool Create();
  // One ring: to the front, flash, sound; or, once the alarm length has passed, the ringing stops.
  void Ring();
  bool IsRinging() const { return running_; }
  UINT_PTR TimerId() const { return timer_; }
  int Serial() const { return serial_; }
  // The window whose ring timer this is, or null.
  static CAlarmDlg* FromTimer(UINT_PTR id);
  // The ring timers' procedure: rings the window the timer belongs to, if it is still there.
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  static size_t OpenCount() { return Timers().size(); }

protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;
  void PostNcDestroy() override;
  void OnSnooze();
  void OnModify();
  void OnDelete();
  LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);

private:
  static std::map<UINT_PTR, CAlarmDlg*>& Timers();
  void Fill(const CEventItem& event);
  void StopRinging();
  // The event, or null after telling the user that it is gone.
  CEventItem* LookUp();
  void SendToViews(long hint);

  CDorvixDoc* doc_;
  int serial_;
  alarmrules::RingTime ringTime_;
  UINT_PTR timer_ = 0;
  bool running_ = false;
};
