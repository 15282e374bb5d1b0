#pragma once

#include <appframe/CPropertyPage.h>

// The Warnings page of the options: the exit warning, the night-time window of the alarm warning (two
// hours) and the automatic backup.
class COptionsWarnings : public CPropertyPage {
public:
  COptionsWarnings();

  int warnExit = 0;
  int warnTime = 0;
  int warnTimeBegin = 22; // hours 0..23
  int warnTimeEnd = 5;
  int autoBackup = 0;
  int autoBackupDays = 60;
  bool with24Hour = false;

protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

private:
  // An hour field with its AM/PM radios, to and from an hour 0..23.
  void ExchangeHour(CDataExchange* dx, int editId, int amId, int pmId, int& hour);
};
