#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// What a window shows as its text (a caption, a control's contents), whole, as a user reads it.
std::string windowText(HWND hwnd);
// The text of a dialog's control `id`; empty when the dialog has no such control.
std::string itemText(HWND dialog, int id);

} // namespace testsupport
