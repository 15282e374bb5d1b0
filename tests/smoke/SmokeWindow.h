#pragma once

#include <windows.h>

#include <string>

namespace smoke {

constexpr COLORREF kPanelColour = RGB(200, 0, 0);
constexpr RECT kPanel{10, 10, 110, 60};

// A top-level window that paints a red panel and a line of text: enough to see the toolchain work.
HWND createSmokeWindow(HINSTANCE instance);
// Asks for a name in the resource dialog; answers false when the user cancels.
bool askName(HWND owner, std::string& name);

} // namespace smoke
