#pragma once

#include <windows.h>

namespace formsrt {

// The 16-colour palette by its numbers 0 (black) to 15 (bright white); any other number raises Invalid
// procedure call.
COLORREF QBColor(int index);

} // namespace formsrt
