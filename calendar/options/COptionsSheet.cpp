#include <calendar/options/COptionsSheet.h>

#include <calendar/data/CAppSettings.h>

COptionsSheet::COptionsSheet(CWnd* parent) : CPropertySheet("Options", parent) {
  AddPage(&startup);
  AddPage(&alarm);
  AddPage(&warnings);
  AddPage(&inter);
}

void COptionsSheet::LoadFrom(const CAppSettings& settings) {
  bool with24Hour = settings.EffectiveTimeFormat() == 1;
  startup.startupMode = settings.startupMode - 1;
  startup.splashEnabled = settings.splashEnabled;
  startup.centered = settings.winCentered;
  startup.saveOnExit = settings.saveOnExit;
  startup.soundFile = CString(settings.soundFile);
  startup.soundEnabled = settings.soundEnabled;
  alarm.alarmLength = settings.alarmLength;
  alarm.snoozeMinutes = settings.snoozeMinutes;
  alarm.defaultLeadTime = settings.defaultLeadTime;
  alarm.alarmSoundFile = CString(settings.alarmSoundFile);
  alarm.alarmSoundEnabled = settings.alarmSoundEnabled;
  alarm.dailyAlert = settings.dailyAlert;
  alarm.dailyTime = settings.dailyAlertTime;
  alarm.with24Hour = with24Hour;
  warnings.warnExit = settings.warnExit;
  warnings.warnTime = settings.warnTime;
  warnings.warnTimeBegin = settings.warnTimeBegin;
  warnings.warnTimeEnd = settings.warnTimeEnd;
  warnings.autoBackup = settings.autoBackup;
  warnings.autoBackupDays = settings.autoBackupDays;
  warnings.with24Hour = with24Hour;
  inter.startDay = settings.calendarStartDay;
  inter.timeFormat = settings.timeFormat;
}

COptionsSheet::Changes COptionsSheet::StoreTo(CAppSettings& settings) const {
  Changes changes;
  changes.dailyTime = settings.dailyAlertTime != alarm.dailyTime;
  changes.startDay = settings.calendarStartDay != inter.startDay;
  changes.timeFormat = settings.timeFormat != inter.timeFormat;
  settings.startupMode = startup.startupMode + 1;
  settings.splashEnabled = startup.splashEnabled;
  settings.winCentered = startup.centered;
  settings.saveOnExit = startup.saveOnExit;
  settings.soundFile = startup.soundFile.str();
  settings.soundEnabled = startup.soundEnabled;
  settings.alarmLength = alarm.alarmLength;
  settings.snoozeMinutes = alarm.snoozeMinutes;
  settings.defaultLeadTime = alarm.defaultLeadTime;
  settings.alarmSoundFile = alarm.alarmSoundFile.str();
  settings.alarmSoundEnabled = alarm.alarmSoundEnabled;
  settings.dailyAlert = alarm.dailyAlert;
  settings.dailyAlertTime = alarm.dailyTime;
  settings.warnExit = warnings.warnExit;
  settings.warnTime = warnings.warnTime;
  settings.warnTimeBegin = warnings.warnTimeBegin;
  settings.warnTimeEnd = warnings.warnTimeEnd;
  settings.autoBackup = warnings.autoBackup;
  settings.autoBackupDays = warnings.autoBackupDays;
  settings.calendarStartDay = inter.startDay;
  settings.timeFormat = inter.timeFormat;
  return changes;
}
