#include <calendar/data/CAppSettings.h>

#include <calendar/data/CDate.h>
#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/DialogSteps.h>
#include <clock/Clock.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

class CAppSettingsTest : public CalendarFixture {
protected:
  // The file holds `text` but another program holds it open while it is loaded: the defaults stay.
  void loadWhileHeld(const std::string& text, CAppSettings& settings) {
    ASSERT_TRUE(writeFile(file("calvorne.ini"), text));
    HANDLE lock =
        CreateFileA(file("calvorne.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    settings.LoadSettings();
    CloseHandle(lock);
  }
};

TEST_F(CAppSettingsTest, WithoutAFileTheDefaultsHold) {
  platform::ClockOverride clock(2026, 12, 9);
  CAppSettings settings;
  settings.LoadSettings();
  EXPECT_EQ(settings.eventTypes,
            (std::vector<std::string>{"Alarm", "Anniversary", "Birthday", "Holiday", "Meeting", "Work"}));
  EXPECT_EQ(settings.soundFile, "sqeak.wav");
  EXPECT_EQ(settings.alarmSoundFile, "whip.wav");
  EXPECT_EQ(settings.autoBackupDate, CDate(9, 12, 2026).DayNumber());
  EXPECT_EQ(settings.saveOnExit, 1);
  EXPECT_EQ(settings.widthName, 150);
  EXPECT_EQ(settings.winSizeX, -1);
  EXPECT_EQ(settings.newShell, 1);
}

// Every key in its place: the file a fresh settings object writes, with a few values changed and a
// negative one among them.
TEST_F(CAppSettingsTest, WritesEveryKeyInItsOrder) {
  CAppSettings settings;
  settings.autoBackupDate = 2461384;
  settings.soundFile = "C:\\Sounds\\start.wav";
  settings.winPosX = 12;
  settings.defaultType = 2;
  settings.eventTypes = {"Golf", "Work"};
  ASSERT_TRUE(settings.SaveSettings());
  const char* expected = "sortby=1\r\n"
                         "soundfile=C:\\Sounds\\start.wav\r\n"
                         "soundenabled=1\r\n"
                         "alarmsoundfile=whip.wav\r\n"
                         "alarmsoundenabled=1\r\n"
                         "winstartupmode=1\r\n"
                         "snoozeminutes=5\r\n"
                         "alarmlength=5\r\n"
                         "defaultleadtime=10\r\n"
                         "firstrun=1\r\n"
                         "splashenabled=1\r\n"
                         "ShowState=0\r\n"
                         "ShowToolbar=1\r\n"
                         "SaveOnExit=1\r\n"
                         "width_age=35\r\n"
                         "width_date=75\r\n"
                         "width_day=35\r\n"
                         "width_days_left=60\r\n"
                         "width_name=150\r\n"
                         "width_time=65\r\n"
                         "width_type=100\r\n"
                         "WinPosX=12\r\n"
                         "WinPosY=-1\r\n"
                         "WinSizeX=-1\r\n"
                         "WinSizeY=-1\r\n"
                         "Maximized=0\r\n"
                         "WinCentered=1\r\n"
                         "GridSizeY=140\r\n"
                         "WarnTime=1\r\n"
                         "WarnTimeBegin=22\r\n"
                         "WarnTimeEnd=5\r\n"
                         "WarnHiding=1\r\n"
                         "WarnExit=1\r\n"
                         "AutoBackup=1\r\n"
                         "AutoBackupDays=60\r\n"
                         "AutoBackupDate=2461384\r\n"
                         "DailyNotaris=1\r\n"
                         "DailyNotarisTime=540\r\n"
                         "CalendarStartDay=0\r\n"
                         "TimeFormat=2\r\n"
                         "DefaultType=2\r\n"
                         "eventtype01=Golf\r\n"
                         "eventtype02=Work\r\n";
  EXPECT_EQ(readFile(file("calvorne.ini")), expected);
}

TEST_F(CAppSettingsTest, SavingAndReloadingKeepsEveryValue) {
  CAppSettings changed;
  int value = 100;
  for (int* field : {&changed.timeFormat,    &changed.calendarStartDay,  &changed.dailyAlertTime,
                     &changed.dailyAlert,    &changed.autoBackupDate,    &changed.autoBackupDays,
                     &changed.autoBackup,    &changed.warnExit,          &changed.warnHiding,
                     &changed.warnTime,      &changed.warnTimeBegin,     &changed.warnTimeEnd,
                     &changed.splashEnabled, &changed.soundEnabled,      &changed.startupMode,
                     &changed.firstRun,      &changed.alarmSoundEnabled, &changed.defaultType,
                     &changed.widthDate,     &changed.widthDay,          &changed.widthTime,
                     &changed.widthName,     &changed.widthAge,          &changed.widthDaysLeft,
                     &changed.widthType,     &changed.winSizeX,          &changed.winSizeY,
                     &changed.winPosX,       &changed.winPosY,           &changed.maximized,
                     &changed.gridSizeY,     &changed.winCentered,       &changed.showState,
                     &changed.showToolbar,   &changed.saveOnExit,        &changed.snoozeMinutes,
                     &changed.alarmLength,   &changed.defaultLeadTime})
    *field = value++;
  changed.winPosY = -40;
  changed.sortBy = 2;
  changed.soundFile = std::string(150, 's') + ".wav"; // far beyond one 79-character line
  changed.alarmSoundFile = "alarm=loud.wav";
  changed.eventTypes = {"Zeta", "Alpha", "Mid Type"};
  ASSERT_TRUE(changed.SaveSettings());
  std::string written = readFile(file("calvorne.ini"));

  CAppSettings loaded;
  loaded.LoadSettings();
  EXPECT_EQ(loaded.soundFile, changed.soundFile);
  EXPECT_EQ(loaded.alarmSoundFile, "alarm=loud.wav");
  EXPECT_EQ(loaded.eventTypes, changed.eventTypes);
  EXPECT_EQ(loaded.winPosY, -40);
  ASSERT_TRUE(loaded.SaveSettings());
  EXPECT_EQ(readFile(file("calvorne.ini")), written);
}

TEST_F(CAppSettingsTest, ReadsLinesAsTheFileGivesThem) {
  struct Case {
    const char* name;
    std::string text;
    std::function<void(const CAppSettings&)> check;
  } cases[] = {
      {"type lines append in file order, numbers unused", "eventtype01=Golf\neventtype07=Work\n",
       [](const CAppSettings& s) {
         EXPECT_EQ(s.eventTypes, (std::vector<std::string>{"Golf", "Work"}));
       }},
      {"a type key numbered 00 is not a type", "eventtype00=Nothing\neventtype03=Tennis\n",
       [](const CAppSettings& s) { EXPECT_EQ(s.eventTypes, std::vector<std::string>{"Tennis"}); }},
      {"sortby out of range reads as 1", "sortby=3\n", [](const CAppSettings& s) { EXPECT_EQ(s.sortBy, 1); }},
      {"sortby 2 stays", "sortby=2\n", [](const CAppSettings& s) { EXPECT_EQ(s.sortBy, 2); }},
      {"numbers: leading blanks, signs and trailing text",
       "WinPosX=  -12px\r\nWinPosY=abc\r\nGridSizeY=+90\r\n",
       [](const CAppSettings& s) {
         EXPECT_EQ(s.winPosX, -12);
         EXPECT_EQ(s.winPosY, 0);
         EXPECT_EQ(s.gridSizeY, 90);
       }},
      {"keys are case-sensitive and unknown keys ignored", "SORTBY=2\nwinposx=5\nfoo=1\nno equals sign\n",
       [](const CAppSettings& s) {
         EXPECT_EQ(s.sortBy, 1);
         EXPECT_EQ(s.winPosX, -1);
       }},
      {"a last line without a line feed counts", "snoozeminutes=15",
       [](const CAppSettings& s) { EXPECT_EQ(s.snoozeMinutes, 15); }},
      {"an empty file keeps the default types", "",
       [](const CAppSettings& s) { EXPECT_EQ(s.eventTypes.size(), 6u); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(writeFile(file("calvorne.ini"), c.text));
    CAppSettings settings;
    settings.LoadSettings();
    c.check(settings);
  }
}

TEST_F(CAppSettingsTest, TypeListAndNamesAreCutToTheirLimits) {
  std::string text;
  char line[64];
  for (int i = 1; i <= 120; ++i) {
    std::snprintf(line, sizeof line, "eventtype%02d=Type %d\n", (i - 1) % 99 + 1, i);
    text += line;
  }
  text = "eventtype01=" + std::string(60, 'x') + "\n" + text;
  ASSERT_TRUE(writeFile(file("calvorne.ini"), text));
  CAppSettings settings;
  settings.LoadSettings();
  ASSERT_EQ(settings.eventTypes.size(), 99u);
  EXPECT_EQ(settings.eventTypes[0], std::string(39, 'x'));
  EXPECT_EQ(settings.eventTypes[98], "Type 98");
}

TEST_F(CAppSettingsTest, AFailedSaveKeepsTheOldFileAndIsToldOnce) {
  ASSERT_TRUE(writeFile(file("calvorne.ini"), "sortby=2\n"));
  ASSERT_TRUE(CreateDirectoryA(file("calvorne.ini.new").c_str(), nullptr)); // the new file cannot be made
  CAppSettings settings;
  answerer.answer("The settings could not be saved to '" + file("calvorne.ini") + "'", IDOK);
  EXPECT_FALSE(settings.SaveSettings());
  EXPECT_FALSE(settings.SaveSettings()) << "told once, not at every save";
  EXPECT_EQ(readFile(file("calvorne.ini")), "sortby=2\n");
  EXPECT_EQ(answerer.seen().size(), 1u) << answerer.describeSeen();

  // Once a save succeeds, a later failure is told again.
  RemoveDirectoryA(file("calvorne.ini.new").c_str());
  EXPECT_TRUE(settings.SaveSettings());
  ASSERT_TRUE(CreateDirectoryA(file("calvorne.ini.new").c_str(), nullptr));
  answerer.answer("The settings could not be saved to", IDOK);
  EXPECT_FALSE(settings.SaveSettings());
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// A file that was there but could not be read (held open by another program) is not replaced by the
// defaults without the user's consent.
TEST_F(CAppSettingsTest, AnUnreadableFileIsReplacedOnlyWhenTheUserAgrees) {
  const std::string theirs = "soundfile=mine.wav\neventtype01=Golf\n";
  CAppSettings settings;
  loadWhileHeld(theirs, settings);
  EXPECT_EQ(settings.soundFile, "sqeak.wav");

  answerer.answer("could not be read when the program started", IDNO);
  EXPECT_FALSE(settings.SaveSettings());
  EXPECT_EQ(readFile(file("calvorne.ini")), theirs);

  answerer.answer("could not be read when the program started", IDYES);
  EXPECT_TRUE(settings.SaveSettings());
  EXPECT_NE(readFile(file("calvorne.ini")).find("soundfile=sqeak.wav"), std::string::npos);
  EXPECT_TRUE(settings.SaveSettings()) << "asked once: the file is now the one in use";
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CAppSettingsTest, ResetLayoutRestoresTheLayoutGroupOnly) {
  CAppSettings settings;
  settings.widthName = 10;
  settings.winSizeX = 800;
  settings.maximized = 1;
  settings.showState = 1;
  settings.snoozeMinutes = 30;
  settings.ResetLayout();
  EXPECT_EQ(settings.widthName, 150);
  EXPECT_EQ(settings.winSizeX, -1);
  EXPECT_EQ(settings.maximized, 0);
  EXPECT_EQ(settings.showState, 0);
  EXPECT_EQ(settings.saveOnExit, 0);
  EXPECT_EQ(settings.snoozeMinutes, 30);
}

// A user who takes a question's default with Enter.
class CAppSettingsByUser : public CAppSettingsTest {};

TEST_F(CAppSettingsByUser, EnterOnTheReplaceQuestionKeepsTheFile) {
  const std::string theirs = "soundfile=mine.wav\neventtype01=Golf\n";
  CAppSettings settings;
  loadWhileHeld(theirs, settings);
  answerer.enterOn("Replace it with the settings in use?");
  EXPECT_FALSE(settings.SaveSettings());
  EXPECT_EQ(readFile(file("calvorne.ini")), theirs);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
