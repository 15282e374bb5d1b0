#pragma once

#include <windows.h>

// Mnemonics: the underlined letter of an "&" caption. Alt and the letter anywhere in a window, or the plain
// letter while a button has the focus, works the control: a button is pressed, a label hands the focus
// to the control after it in the tab order.
namespace wincore {

// The caption's mnemonic letter in lower case, or 0 ("&&" is a plain ampersand).
char mnemonicOf(const char* caption);
// Whether a typed character is a mnemonic for `root`'s controls: always with Alt (WM_SYSCHAR), and as a
// plain WM_CHAR only when it goes to a button (the focused control), which has no use for characters.
bool isMnemonicKey(const MSG& message);
// Works the visible, enabled control of `root` whose mnemonic is `key`; false when there is none.
bool pressMnemonic(HWND root, char key);

} // namespace wincore
