#pragma once

// Internal checks: a broken assumption is reported and the program runs on; the code after the check
// decides what happens next. Every check names its module and a fixed line number, so that a report
// points at the same place in every build.

struct CheckSite {
  const char* module;
  int line;
};

// Where failed checks go. The program's own sink shows each one in a message box; a test installs a
// sink that records them.
class CheckSink {
public:
  virtual void failed(const CheckSite& site) = 0;

protected:
  ~CheckSink() = default;
};

// Installs a sink (none restores the message box) and answers the one it replaces.
CheckSink* SetCheckSink(CheckSink* sink);

// Nothing when the condition holds; else the sink hears of the site. Answers the condition, so that a
// caller can go on with `if (!CheckFailed(...)) return ...`.
int CheckFailed(const CheckSite& site, int condition);

// Formats (512 characters at most) and shows the text in an error box with no owner and no caption.
void ReportCheckFailure(const char* format, ...);
