#pragma once

#include <string>

namespace formlib {

// An initialisation file of sections and key=value lines, opened anew through the system's profile
// calls for every read and write.
class TIniFile {
public:
  explicit TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}

  const std::string& FileName() const { return fileName_; }
  // At most 1023 characters; `fallback` when the key is missing.
  std::string ReadString(const std::string& section, const std::string& ident,
                         const std::string& fallback) const;
  // Decimal, or hexadecimal after "0x"; `fallback` when missing or not a number.
  int ReadInteger(const std::string& section, const std::string& ident, int fallback) const;
  // Throws EIniFileException "Unable to write to <file>" when the system refuses.
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& ident, int value);

private:
  std::string fileName_;
};

} // namespace formlib
