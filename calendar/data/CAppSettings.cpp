#include <calendar/data/CAppSettings.h>

#include <calendar/data/CDate.h>
#include <calendar/data/DataFolder.h>
#include <calendar/data/FileBytes.h>
#include <calendar/data/UserMessage.h>

#include <windows.h>

#include <climits>
#include <cstdio>

namespace {

const char kFileName[] = "calvorne.ini";

// Every key of the file, in the order it is written. Each names either a number or a text field.
struct Key {
  const char* name;
  int CAppSettings::*number;
  std::string CAppSettings::*text;
};

const Key kKeys[] = {
    {"sortby", &CAppSettings::sortBy, nullptr},
    {"soundfile", nullptr, &CAppSettings::soundFile},
    {"soundenabled", &CAppSettings::soundEnabled, nullptr},
    {"alarmsoundfile", nullptr, &CAppSettings::alarmSoundFile},
    {"alarmsoundenabled", &CAppSettings::alarmSoundEnabled, nullptr},
    {"winstartupmode", &CAppSettings::startupMode, nullptr},
    {"snoozeminutes", &CAppSettings::snoozeMinutes, nullptr},
    {"alarmlength", &CAppSettings::alarmLength, nullptr},
    {"defaultleadtime", &CAppSettings::defaultLeadTime, nullptr},
    {"firstrun", &CAppSettings::firstRun, nullptr},
    {"splashenabled", &CAppSettings::splashEnabled, nullptr},
    {"ShowState", &CAppSettings::showState, nullptr},
    {"ShowToolbar", &CAppSettings::showToolbar, nullptr},
    {"SaveOnExit", &CAppSettings::saveOnExit, nullptr},
    {"width_age", &CAppSettings::widthAge, nullptr},
    {"width_date", &CAppSettings::widthDate, nullptr},
    {"width_day", &CAppSettings::widthDay, nullptr},
    {"width_days_left", &CAppSettings::widthDaysLeft, nullptr},
    {"width_name", &CAppSettings::widthName, nullptr},
    {"width_time", &CAppSettings::widthTime, nullptr},
    {"width_type", &CAppSettings::widthType, nullptr},
    {"WinPosX", &CAppSettings::winPosX, nullptr},
    {"WinPosY", &CAppSettings::winPosY, nullptr},
    {"WinSizeX", &CAppSettings::winSizeX, nullptr},
    {"WinSizeY", &CAppSettings::winSizeY, nullptr},
    {"Maximized", &CAppSettings::maximized, nullptr},
    {"WinCentered", &CAppSettings::winCentered, nullptr},
    {"GridSizeY", &CAppSettings::gridSizeY, nullptr},
    {"WarnTime", &CAppSettings::warnTime, nullptr},
    {"WarnTimeBegin", &CAppSettings::warnTimeBegin, nullptr},
    {"WarnTimeEnd", &CAppSettings::warnTimeEnd, nullptr},
    {"WarnHiding", &CAppSettings::warnHiding, nullptr},
    {"WarnExit", &CAppSettings::warnExit, nullptr},
    {"AutoBackup", &CAppSettings::autoBackup, nullptr},
    {"AutoBackupDays", &CAppSettings::autoBackupDays, nullptr},
    {"AutoBackupDate", &CAppSettings::autoBackupDate, nullptr},
    {"DailyNotaris", &CAppSettings::dailyAlert, nullptr},
    {"DailyNotarisTime", &CAppSettings::dailyAlertTime, nullptr},
    {"CalendarStartDay", &CAppSettings::calendarStartDay, nullptr},
    {"TimeFormat", &CAppSettings::timeFormat, nullptr},
    {"DefaultType", &CAppSettings::defaultType, nullptr},
};

const char kTypePrefix[] = "eventtype";
constexpr size_t kTypePrefixLength = sizeof kTypePrefix - 1;

// Leading blanks, an optional sign and the digits that follow; no digits give 0, and a number too
// large for an int stops at its limit.
int toInteger(const std::string& text) {
  size_t i = text.find_first_not_of(" \t");
  if (i == std::string::npos)
    return 0;
  bool negative = text[i] == '-';
  if (text[i] == '-' || text[i] == '+')
    ++i;
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1)
      value = static_cast<long long>(INT_MAX) + 1;
  }
  value = negative ? -value : value;
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

bool isTypeKey(const std::string& key) {
  return key.compare(0, kTypePrefixLength, kTypePrefix) == 0 &&
         toInteger(key.substr(kTypePrefixLength, 2)) != 0;
}

const Key* findKey(const std::string& name) {
  for (const Key& key : kKeys) {
    if (name == key.name)
      return &key;
  }
  return nullptr;
}

} // namespace

CAppSettings::CAppSettings()
    : newShell(LOBYTE(LOWORD(GetVersion())) > 3 ? 1 : 0), autoBackupDate(CDate().DayNumber()),
      eventTypes(DefaultEventTypes()) {
  ResetLayout();
  saveOnExit = 1;
}

std::vector<std::string> CAppSettings::DefaultEventTypes() {
  return {"Alarm", "Anniversary", "Birthday", "Holiday", "Meeting", "Work"};
}

void CAppSettings::ResetLayout() {
  widthDate = 75;
  widthDay = 35;
  widthTime = 65;
  widthName = 150;
  widthAge = 35;
  widthDaysLeft = 60;
  widthType = 100;
  defaultWindowWidth = 520;
  winSizeX = winSizeY = -1;
  winPosX = winPosY = -1;
  maximized = 0;
  gridSizeY = 140;
  winCentered = 1;
  showState = 0;
  showToolbar = 1;
  saveOnExit = 0;
}

void CAppSettings::LoadSettings() {
  std::string bytes;
  filebytes::ReadResult result = filebytes::ReadAll(DataFolder::Path(kFileName), bytes);
  m_readFailed = result == filebytes::ReadResult::Failed;
  if (result != filebytes::ReadResult::Ok)
    return;
  std::vector<std::string> types;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    std::string line = bytes.substr(start, end == std::string::npos ? std::string::npos : end - start);
    start = end == std::string::npos ? bytes.size() : end + 1;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    size_t equals = line.find('=');
    if (equals == std::string::npos)
      continue;
    std::string key = line.substr(0, equals);
    std::string value = line.substr(equals + 1);
    if (isTypeKey(key)) {
      if (types.size() < kMaxEventTypes)
        types.push_back(value.substr(0, kMaxTypeLength));
      continue;
    }
    const Key* known = findKey(key);
    if (!known)
      continue;
    if (known->number)
      this->*known->number = toInteger(value);
    else
      this->*known->text = value;
  }
  eventTypes = types.empty() ? DefaultEventTypes() : types;
  if (sortBy != 1 && sortBy != 2)
    sortBy = 1;
}

bool CAppSettings::SaveSettings() {
  std::string path = DataFolder::Path(kFileName);
  // The user's types, sounds and layout may still be in the file that could not be read.
  if (m_readFailed &&
      ShowUserMessage("Error Writing Settings File\n'" + path +
                          "' could not be read when the program started, so the settings in use are not "
                          "the ones it holds.\n\nReplace it with the settings in use?",
                      "Error", MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
    return false;
  std::string text;
  char number[16];
  for (const Key& key : kKeys) {
    text += key.name;
    text += '=';
    if (key.number) {
      std::snprintf(number, sizeof number, "%d", this->*key.number);
      text += number;
    } else {
      text += this->*key.text;
    }
    text += "\r\n";
  }
  for (size_t i = 0; i < eventTypes.size(); ++i) {
    std::snprintf(number, sizeof number, "%02d", static_cast<int>(i + 1));
    text += kTypePrefix;
    text += number;
    text += '=';
    text += eventTypes[i];
    text += "\r\n";
  }
  if (!filebytes::Replace(path, text)) {
    // Said once, not at every save that follows, until a save succeeds again.
    if (!m_toldWriteFailed)
      ShowUserMessage("Error Writing Settings File\nThe settings could not be saved to '" + path +
                          "'.\nChanges to the window, the options and the warnings will be lost when "
                          "Calvorne ends.",
                      "Error", MB_OK | MB_ICONWARNING);
    m_toldWriteFailed = true;
    return false;
  }
  m_readFailed = false;
  m_toldWriteFailed = false;
  return true;
}

int CAppSettings::EffectiveTimeFormat() const {
  if (timeFormat != 2)
    return timeFormat;
  char digit[4] = {};
  if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ITIME, digit, sizeof digit) == 0)
    return 0;
  return digit[0] == '1' ? 1 : 0;
}

CAppSettings& AppSettings() {
  static CAppSettings settings;
  return settings;
}
