#pragma once

#include <windows.h>

#include <string>

// The engine's questions and error reports. They go through the system's message box until the
// engine's own boxes take their place; the answer is the button pressed (IDOK, IDYES, ...).
int EngineMessageBox(const char* text, const char* caption, UINT type);
// An error report with the caption "Error" (text 81), formatted printf-style.
void EngineError(const char* format, ...);
// An error report of a controller: the engine's box once its language library is loaded, which gives
// the caption; before that the system's plain box, since no text of the library can be read yet.
void ReportEngineError(const char* text, int libraryLoaded);
// Text `id` of the language library, formatted printf-style with the arguments.
std::string EngineTextf(UINT id, ...);
