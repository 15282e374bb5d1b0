#pragma once

#include <windows.h>

#include <string>

// A message box for the calendar's data files, owned by the thread's active window when there is one.
int ShowUserMessage(const std::string& text, const std::string& caption, UINT type);
