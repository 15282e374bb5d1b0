#pragma once

#include <stdexcept>
#include <string>

namespace formsrt {

// The runtime's error numbers. A program traps them where it arms an error trap; anything left untrapped
// is reported by the event dispatch and the program goes on.
enum ErrorNumber : int {
  errInvalidCall = 5,
  errOverflow = 6,
  errOutOfMemory = 7,
  errSubscript = 9,
  errTypeMismatch = 13,
  errBadFileNumber = 52,
  errFileNotFound = 53,
  errBadFileMode = 54,
  errFileAlreadyOpen = 55,
  errDeviceIO = 57,
  errFileExists = 58,
  errDiskFull = 61,
  errPastEnd = 62,
  errBadRecordNumber = 63,
  errTooManyFiles = 67,
  errPermissionDenied = 70,
  errPathFileAccess = 75,
  errPathNotFound = 76,
  errInvalidPropertyValue = 380,
  errInvalidPropertyIndex = 381,
  errPrinter = 482,
  errInvalidRow = 30009,
  errInvalidCol = 30010,
};

// The runtime's own text of an error number.
std::string errorText(int number);

class RuntimeError : public std::runtime_error {
public:
  explicit RuntimeError(int number);
  RuntimeError(int number, const std::string& text);
  int number() const { return number_; }
  // "53 - File not found": how the programs report a trapped error.
  std::string describe() const;

private:
  int number_;
};

[[noreturn]] void raiseError(int number);

} // namespace formsrt
