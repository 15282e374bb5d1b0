#pragma once

#include <tests/support/ModalAnswerer.h>

#include <windows.h>

#include <functional>
#include <string>

namespace testsupport {

// A modal window driven the way a user drives it: once the window matching `match` is up, `steps` run
// from its own message loop (not from inside its activation), so that real input reaches it. The steps
// end it, typically with a button pressed; a window they leave open fails the test and is closed.
void actByUser(ModalAnswerer& answerer, const std::string& match, std::function<void(HWND)> steps);

} // namespace testsupport
