#pragma once

#include <windows.h>

#include <string>

namespace wincore {

// A window's text, whole.
std::string windowText(HWND hwnd);

} // namespace wincore
