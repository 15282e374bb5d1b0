#include <foundation/system/checkfailed.h>

#include <windows.h>

#include <cstdarg>
#include <cstdio>

namespace {

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
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  MessageBoxA(nullptr, text, nullptr, MB_ICONERROR);
}
