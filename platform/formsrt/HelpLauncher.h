#pragma once

#include <wincore/Help.h>

namespace formsrt {

// The program's help calls and the F1 key go through the window core's one help seam (wincore/Help.h);
// tests replace it with a HelpOverride.
using wincore::HelpFunction;
using wincore::HelpOverride;
using wincore::helpSeam;
using wincore::systemHelp;

inline bool ShowHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data = 0) {
  return wincore::showHelp(owner, helpFile, command, data);
}

} // namespace formsrt
