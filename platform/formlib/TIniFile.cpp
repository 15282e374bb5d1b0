#include <formlib/TIniFile.h>

#include <formlib/Exceptions.h>
#include <formlib/SysUtils.h>

#include <windows.h>

namespace formlib {

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& fallback) const {
  char buffer[1024] = "";
  GetPrivateProfileStringA(section.c_str(), ident.c_str(), fallback.c_str(), buffer, sizeof buffer,
                           fileName_.c_str());
  return buffer;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& ident, int fallback) const {
  std::string text = ReadString(section, ident, "");
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
    text = "$" + text.substr(2);
  return StrToIntDef(text, fallback);
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), fileName_.c_str()))
    throw EIniFileException("Unable to write to " + fileName_);
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, int value) {
  WriteString(section, ident, IntToStr(value));
}

} // namespace formlib
