#pragma once

#include <windows.h>

// The thread's message loop (wincore/MessageLoop.h). Modeless dialogs register here so that their keys
// (Tab, Enter, Escape, mnemonics) reach them through IsDialogMessage before the ordinary translation and
// dispatch. A dialog of this layer disables its owner only, as the system does, so that the program's
// other windows (the calendar's alarms) stay answerable.
namespace appframe {

void AddModeless(HWND dialog);
void RemoveModeless(HWND dialog);
// Gives the message to a modeless dialog that wants it; true when one took it.
bool PreTranslateMessage(MSG& msg);
// Gets, filters and dispatches one message; false on WM_QUIT (which it leaves for the outer loop).
bool PumpMessage();
// Runs until WM_QUIT and answers its exit code.
int RunMessageLoop();

} // namespace appframe
