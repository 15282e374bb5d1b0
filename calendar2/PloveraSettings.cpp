#include <calendar2/PloveraSettings.h>

#include <calendar2/EventTypes.h>

#include <formsrt/RuntimeError.h>
#include <formsrt/Settings.h>
#include <formsrt/Text.h>

namespace plovera {

const char kSettingsApplication[] = "Harnfield";
const char kSettingsSection[] = "Plovera";

namespace {

const char* const kColourKeys[kTypeCount][2] = {{"CB01", "CF01"}, {"CB02", "CF02"}, {"CB03", "CF03"},
                                                {"CB04", "CF04"}, {"CB05", "CF05"}, {"CB99", "CF99"}};

std::string get(const char* key, const std::string& fallback) {
  return formsrt::GetSetting(kSettingsApplication, kSettingsSection, key, fallback);
}

void put(const char* key, const std::string& value) {
  formsrt::SaveSetting(kSettingsApplication, kSettingsSection, key, value);
}

char readChar(const char* key, char fallback) {
  std::string value = get(key, std::string(1, fallback));
  return value.empty() ? ' ' : value[0];
}

// The stored whole number, or the default when it is unusable; `bad` collects the keys that fell back.
int readInt(const char* key, int fallback, std::vector<std::string>& bad) {
  try {
    return formsrt::CInt(get(key, std::to_string(fallback)));
  } catch (const formsrt::RuntimeError&) {
    bad.push_back(key);
    return fallback;
  }
}

int readColour(const char* key, std::vector<std::string>& bad) {
  int index = readInt(key, 16, bad);
  if (index == checkedColourIndex(index))
    return index;
  bad.push_back(key);
  return 16;
}

} // namespace

std::vector<std::string> LoadRegistrySettings(PloveraSettings& s) {
  const PloveraSettings defaults;
  std::vector<std::string> bad;
  s.Confirm = readChar("Confirm", defaults.Confirm);
  s.Grid = readChar("Grid", defaults.Grid);
  s.FontBold = readChar("FontBold", defaults.FontBold);
  s.FontItalic = readChar("FontItalic", defaults.FontItalic);
  s.FontName = get("FontName", defaults.FontName);
  s.FontSize = readInt("FontSize", defaults.FontSize, bad);
  for (int type = 0; type < kTypeCount; ++type) {
    s.CB[type] = readColour(kColourKeys[type][0], bad);
    s.CF[type] = readColour(kColourKeys[type][1], bad);
  }
  s.WDate = readInt("WDate", defaults.WDate, bad);
  s.WEvent = readInt("WEvent", defaults.WEvent, bad);
  s.WYear = readInt("WYear", defaults.WYear, bad);
  s.WType = readInt("WType", defaults.WType, bad);
  s.WSeq = readInt("WSeq", defaults.WSeq, bad);
  return bad;
}

void WriteRegistrySettings(const PloveraSettings& s) {
  put("Confirm", std::string(1, s.Confirm));
  put("FontBold", std::string(1, s.FontBold));
  put("FontItalic", std::string(1, s.FontItalic));
  put("FontName", s.FontName);
  put("FontSize", std::to_string(s.FontSize));
  put("Grid", std::string(1, s.Grid));
  for (int type = 0; type < kTypeCount; ++type) {
    put(kColourKeys[type][0], std::to_string(s.CB[type]));
    put(kColourKeys[type][1], std::to_string(s.CF[type]));
  }
  put("WDate", std::to_string(s.WDate));
  put("WEvent", std::to_string(s.WEvent));
  put("WYear", std::to_string(s.WYear));
  put("WType", std::to_string(s.WType));
}

} // namespace plovera
