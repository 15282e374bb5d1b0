#pragma once

#include <stdexcept>
#include <string>

namespace formlib {

// The library's error: its message is what the user reads in the application's error box.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A silent abort: the application's handler swallows it without a word.
class EAbort : public Exception {
public:
  explicit EAbort(const std::string& message) : Exception(message) {}
};

class EIniFileException : public Exception {
public:
  explicit EIniFileException(const std::string& message) : Exception(message) {}
};

// A file that could not be written or read.
class EInOutError : public Exception {
public:
  explicit EInOutError(const std::string& message) : Exception(message) {}
};

} // namespace formlib
