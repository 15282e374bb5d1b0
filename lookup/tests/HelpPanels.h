#pragma once

#include <windows.h>

#include <string>

namespace pellawintest {

// Clicks a form's help button, closes the help window it opens with that window's own button, and
// returns which of the help's three panels were shown, one digit each ("100": only the first).
std::string HelpPanelsShownBy(HWND helpButton);

} // namespace pellawintest
