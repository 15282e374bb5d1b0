#pragma once

#include <appframe/CPropertyPage.h>

// The Alarm page of the options: alarm length, snooze, default lead time, the alarm sound and the
// daily alert's time, which is checked when the page is left and on OK.
class COptionsAlarm : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

public:
  COptionsAlarm();

  int alarmLength = 5;
  int snoozeMinutes = 5;
  int defaultLeadTime = 10;
  CString alarmSoundFile;
  int alarmSoundEnabled = 0;
  int dailyAlert = 0;
  int dailyTime = 0; // minutes after midnight
  bool with24Hour = false;

  bool OnKillActive() override;

protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
  void OnTest();
  void OnBrowse();
};
