#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace formsrt {

// Opens the help program on a help file. Every call goes through one replaceable function, by default
// the system's WinHelpA, so that tests can record the calls: the help program never returns under a
// display-less session.
using HelpFunction =
    std::function<bool(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data)>;

bool ShowHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data = 0);

// Replaces the help function for one scope and puts the previous one back at its end.
class HelpOverride {
public:
  explicit HelpOverride(HelpFunction replacement);
  ~HelpOverride();
  HelpOverride(const HelpOverride&) = delete;
  HelpOverride& operator=(const HelpOverride&) = delete;

private:
  HelpFunction previous_;
};

} // namespace formsrt
