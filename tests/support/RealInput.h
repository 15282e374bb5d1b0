#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace testsupport::realinput {

// Input made the way a user makes it: the pointer is moved with SetCursorPos and the buttons and keys
// go through SendInput, so the system routes them through the Wine server to the window under the
// pointer or with the focus, adding WM_MOUSEACTIVATE, activation, focus changes, capture and
// WM_SYSKEYDOWN exactly as for a user. Each call first brings the window's top-level window to the
// front, and returns once the input has been delivered and handled (a bounded pump of this thread's
// messages until its input queue is empty).
//
// There is one pointer and one focus per Wine server: tests that use these helpers must never run beside
// another test. Their suites are named "...ByUser", which the build registers to run alone.

// Points are client coordinates of `hwnd`. `held` keys (VK_SHIFT, VK_CONTROL, VK_MENU) are pressed before
// and released after.
void click(HWND hwnd, POINT at, std::initializer_list<int> held = {});
void doubleClick(HWND hwnd, POINT at, std::initializer_list<int> held = {});
void rightClick(HWND hwnd, POINT at, std::initializer_list<int> held = {});
// Left button down at `from`, the pointer moved in `steps` to `to`, button up there.
void drag(HWND hwnd, POINT from, POINT to, int steps = 4);
// A key pressed and released while `held` keys are down, to whichever window has the focus;
// pressKey('F', {VK_MENU}) is Alt+F.
void pressKey(int virtualKey, std::initializer_list<int> held = {});
// One key going down or up, for a sequence sent with sendAtOnce.
INPUT keyStroke(int virtualKey, bool up);
// Sends the inputs in one go and returns without pumping: for keys that a modal loop started by the
// first of them (a menu's, a message box's) must read itself.
void sendAtOnce(std::vector<INPUT> inputs);
// Each character typed as its key, with Shift where the keyboard layout needs it.
void typeText(const std::string& text);
// The centre of a child window (a control, a button) in its parent's client coordinates.
POINT centreOf(HWND child);
// A click on the middle of a control, as a user presses a button or clicks into a field.
void clickControl(HWND control);
// A field typed over as a user does it: a click into it, its whole text selected, then `text` typed (an
// empty `text` deletes what was there).
void typeOver(HWND field, const std::string& text);
// Brings `hwnd`'s top-level window to the front and gives it the activation.
void bringToFront(HWND hwnd);
// Dispatches this thread's messages until no input is waiting for it, at most `milliseconds` long. A
// message for a dialog box goes through IsDialogMessage (and so the dialog's message filters) as a
// dialog's modal loop does; a program's own loop (its accelerators, its modeless windows) is not
// imitated: a test of those runs that loop.
void settle(unsigned milliseconds = 2000);

// A program's own message loop, run while `keepGoing` answers true (wincore::runModalLoop is one).
using ProgramLoop = std::function<bool(const std::function<bool()>& keepGoing)>;
// Input that the program's message filters must see (its accelerators, a modeless dialog's keys, a
// form's keys): `inputs` are sent, then the program's own `loop` handles them until `done` answers true.
// The guard only ends a loop that would otherwise hang, far above the normal time. Answers `done`.
bool sendThroughLoop(std::vector<INPUT> inputs, const ProgramLoop& loop, const std::function<bool()>& done,
                     unsigned guardMilliseconds = 60000);
// Each character of `text` as its key (with Shift where the layout needs it), for sendThroughLoop.
std::vector<INPUT> keysOf(const std::string& text);

} // namespace testsupport::realinput
