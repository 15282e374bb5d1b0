#include <engine/operations/profile.h>

#include <foundation/strings/formattext.h>

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {

// The room of a formatted value: longer ones are cut.
constexpr std::size_t ValueRoom = 512;

// A number as the key of the numbered forms.
class numberkey {
public:
  explicit numberkey(int number) { std::snprintf(text_, sizeof text_, "%d", number); }
  operator const char*() const { return text_; }

private:
  char text_[16];
};

} // namespace

int ProfileWrite(const cpath& file, const char* section, const char* key, const char* text) {
  return WritePrivateProfileStringA(section, key, text, file.str()) != 0;
}

int ProfileWriteInt(const cpath& file, const char* section, const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return ProfileWrite(file, section, key, text);
}

int ProfileWriteLong(const cpath& file, const char* section, const char* key, long value) {
  char text[24];
  std::snprintf(text, sizeof text, "%ld", value);
  return ProfileWrite(file, section, key, text);
}

int ProfileWriteF(const cpath& file, const char* section, const char* key, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args, ValueRoom);
  va_end(args);
  return ProfileWrite(file, section, key, text.c_str());
}

int ProfileReadInt(const cpath& file, const char* section, const char* key, int fallback) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, fallback, file.str()));
}

long ProfileReadLong(const cpath& file, const char* section, const char* key, long fallback) {
  char text[ProfileTextSize];
  ProfileReadString(file, section, key, text, "");
  long value;
  return std::sscanf(text, "%ld", &value) == 1 ? value : fallback;
}

int ProfileReadString(const cpath& file, const char* section, const char* key,
                      char (&buffer)[ProfileTextSize], const char* fallback) {
  return static_cast<int>(
      GetPrivateProfileStringA(section, key, fallback, buffer, ProfileTextSize, file.str()));
}

const char* ProfileReadStatic(const cpath& file, const char* section, const char* key) {
  static char text[ProfileTextSize];
  ProfileReadString(file, section, key, text, "");
  return text;
}

int ProfileWriteNumbered(const cpath& file, const char* section, int number, const char* text) {
  return ProfileWrite(file, section, numberkey(number), text);
}

int ProfileWriteIntNumbered(const cpath& file, const char* section, int number, int value) {
  return ProfileWriteInt(file, section, numberkey(number), value);
}

int ProfileWriteLongNumbered(const cpath& file, const char* section, int number, long value) {
  return ProfileWriteLong(file, section, numberkey(number), value);
}

int ProfileReadIntNumbered(const cpath& file, const char* section, int number, int fallback) {
  return ProfileReadInt(file, section, numberkey(number), fallback);
}

long ProfileReadLongNumbered(const cpath& file, const char* section, int number, long fallback) {
  return ProfileReadLong(file, section, numberkey(number), fallback);
}

int ProfileReadStringNumbered(const cpath& file, const char* section, int number,
                              char (&buffer)[ProfileTextSize], const char* fallback) {
  return ProfileReadString(file, section, numberkey(number), buffer, fallback);
}

const char* ProfileReadStaticNumbered(const cpath& file, const char* section, int number) {
  return ProfileReadStatic(file, section, numberkey(number));
}
