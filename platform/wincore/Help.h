#pragma once

#include <wincore/Seam.h>

#include <windows.h>

#include <functional>
#include <string>

namespace wincore {

// Opens the help program on a help file. Every layer's help goes through this one seam, by default the
// system's WinHelpA, so that tests can record the calls: the help program never returns under a
// display-less session.
using HelpFunction =
    std::function<bool(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data)>;

bool showHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data = 0);
Seam<HelpFunction>& helpSeam();
// The system's help, what the seam holds when nothing replaced it.
bool systemHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data);

// Replaces the help function for one scope and puts the previous one back at its end.
class HelpOverride : public ScopedOverride<HelpFunction> {
public:
  explicit HelpOverride(HelpFunction replacement) : ScopedOverride(helpSeam(), std::move(replacement)) {}
};

} // namespace wincore
