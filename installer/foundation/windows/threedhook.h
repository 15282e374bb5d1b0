#pragma once

#include <windows.h>

// Where a control created or cloned at run time is given three-dimensional drawing. The system
// services install the hook when that drawing is active; until then nothing happens.
using ThreeDHook = void (*)(HWND control);

void SetThreeDHook(ThreeDHook hook);
void ApplyThreeDLook(HWND control);
