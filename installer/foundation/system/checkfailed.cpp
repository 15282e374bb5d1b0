#include <foundation/system/checkfailed.h>

#include <foundation/strings/formattext.h>

#include <windows.h>

#include <cstdarg>

namespace {

// The room of a check report: longer ones are cut.
constexpr std::size_t ReportRoom = 512;

class MessageBoxSink : public CheckSink {
public:
  void failed(const CheckSite& site) override {
    ReportCheckFailure("Check failed at line %d in file %s", site.line, site.module);
  }
};

MessageBoxSink messageBoxSink;
CheckSink* currentSink = &messageBoxSink;

} // namespace

CheckSink* SetCheckSink(CheckSink* sink) {
  CheckSink* previous = currentSink;
  currentSink = sink ? sink : &messageBoxSink;
  return previous == &messageBoxSink ? nullptr : previous;
}

int CheckFailed(const CheckSite& site, int condition) {
  if (!condition)
    currentSink->failed(site);
  return condition;
}

void ReportCheckFailure(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args, ReportRoom);
  va_end(args);
  MessageBoxA(nullptr, text.c_str(), nullptr, MB_ICONERROR);
}
