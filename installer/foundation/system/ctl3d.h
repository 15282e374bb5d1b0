#pragma once

#include <windows.h>

// The optional three-dimensional dialog controls of "ctl3d32.dll", used when the library lies in
// the shared-file folder. Starts and stops nest; only the first start loads it (and makes it the
// 3-D hook for controls made at run time) and the last stop frees it.

// 1 when the controls are active (at once when started already); 0 when the library is absent or
// refuses.
int Ctl3dStart();
void Ctl3dStop();
// Draws the control in three dimensions when the library is active; else nothing.
void Ctl3dSubclassControl(HWND control);
int Ctl3dActive();

// The library's file name, "ctl3d32.dll" unless a test names one that is absent; answers the
// previous name.
const char* SetCtl3dName(const char* name);
