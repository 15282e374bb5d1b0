#include <formsrt/RuntimeError.h>

#include <iterator>

namespace formsrt {

namespace {

struct ErrorEntry {
  int number;
  const char* text;
};

const ErrorEntry kErrors[] = {
    {errInvalidCall, "Invalid procedure call or argument"},
    {errOverflow, "Overflow"},
    {errOutOfMemory, "Out of memory"},
    {errSubscript, "Subscript out of range"},
    {errTypeMismatch, "Type mismatch"},
    {errBadFileNumber, "Bad file name or number"},
    {errFileNotFound, "File not found"},
    {errBadFileMode, "Bad file mode"},
    {errFileAlreadyOpen, "File already open"},
    {errDeviceIO, "Device I/O error"},
    {errFileExists, "File already exists"},
    {errDiskFull, "Disk full"},
    {errPastEnd, "Input past end of file"},
    {errBadRecordNumber, "Bad record number"},
    {errTooManyFiles, "Too many files"},
    {errPermissionDenied, "Permission denied"},
    {errPathFileAccess, "Path/File access error"},
    {errPathNotFound, "Path not found"},
    {errInvalidPropertyValue, "Invalid property value"},
    {errInvalidPropertyIndex, "Invalid property array index"},
    {errPrinter, "Printer error"},
    {errInvalidRow, "Invalid Row value"},
    {errInvalidCol, "Invalid Col value"},
};

} // namespace

std::string errorText(int number) {
  for (const ErrorEntry& entry : kErrors) {
    if (entry.number == number)
      return entry.text;
  }
  return "Application-defined or object-defined error";
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, errorText(number)) {}

RuntimeError::RuntimeError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}

std::string RuntimeError::describe() const { return std::to_string(number_) + " - " + what(); }

void raiseError(int number) { throw RuntimeError(number); }

} // namespace formsrt
