#pragma once

#include <string>
#include <vector>

// dorvix32's options, read from and written to "calvorne.ini" (key=value lines) in the data folder.
// Every part of the program reads the fields directly.
class CAppSettings {
public:
  static constexpr int kMaxEventTypes = 99;
  static constexpr size_t kMaxTypeLength = 39;

  CAppSettings();

  // Fills the fields from the file; a missing or unreadable file leaves them as they are.
  void LoadSettings();
  // Writes every setting; false when the file could not be written (the old one is then kept, and the
  // user is told once). A file that was there but could not be read is replaced only when the user
  // agrees.
  bool SaveSettings();
  // The layout group back to its defaults.
  void ResetLayout();
  // 0 = 12 hour, 1 = 24 hour; the stored 2 follows the user locale.
  int EffectiveTimeFormat() const;

  int newShell;
  int timeFormat = 2;
  int calendarStartDay = 0;
  int dailyAlertTime = 540;
  int dailyAlert = 1;
  int autoBackupDate;
  int autoBackupDays = 60;
  int autoBackup = 1;
  int warnExit = 1;
  int warnHiding = 1;
  int warnTime = 1;
  int warnTimeBegin = 22;
  int warnTimeEnd = 5;
  int splashEnabled = 1;
  int sortMode = 3;
  int sortBy = 1;
  std::string soundFile = "sqeak.wav";
  int soundEnabled = 1;
  int startupMode = 1;
  int firstRun = 1;
  std::string alarmSoundFile = "whip.wav";
  int alarmSoundEnabled = 1;
  std::vector<std::string> eventTypes;
  int defaultType = -1;

  // The layout group (ResetLayout).
  int widthDate, widthDay, widthTime, widthName, widthAge, widthDaysLeft, widthType;
  int defaultWindowWidth;
  int winSizeX, winSizeY;
  int winPosX, winPosY;
  int maximized;
  int gridSizeY;
  int winCentered;
  int showState;
  int showToolbar;
  int saveOnExit;

  // Every new event takes its serial number from here.
  int eventSerialCounter = 0;
  int snoozeMinutes = 5;
  int alarmLength = 5;
  int defaultLeadTime = 10;

  static std::vector<std::string> DefaultEventTypes();

private:
  bool m_readFailed = false;
  bool m_toldWriteFailed = false;
};

// The one process-wide settings object.
CAppSettings& AppSettings();
