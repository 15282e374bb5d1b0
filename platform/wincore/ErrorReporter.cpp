#include <wincore/ErrorReporter.h>

#include <windows.h>

namespace wincore {

namespace {

std::string programName() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name = path;
  name = name.substr(name.find_last_of("\\/") + 1);
  return name.substr(0, name.find_last_of('.'));
}

void showInMessageBox(std::exception_ptr error) {
  MessageBoxA(GetActiveWindow(), errorText(error).c_str(), programName().c_str(), MB_OK | MB_ICONSTOP);
}

ErrorReporter& installed() {
  static ErrorReporter reporter;
  return reporter;
}

} // namespace

ErrorReporter setErrorReporter(ErrorReporter reporter) {
  ErrorReporter previous = std::move(installed());
  installed() = std::move(reporter);
  return previous;
}

void reportError(std::exception_ptr error) noexcept {
  try {
    if (installed())
      installed()(error);
    else
      showInMessageBox(error);
  } catch (...) {
    // A reporter that fails has nobody left to tell.
  }
}

void guarded(const std::function<void()>& action) noexcept {
  try {
    action();
  } catch (...) {
    reportError(std::current_exception());
  }
}

std::string errorText(std::exception_ptr error) {
  try {
    if (error)
      std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
  }
  return "Unknown error";
}

} // namespace wincore
