#pragma once

#include <appframe/GdiObjects.h>

// The look the calendar's grids share: a bold 12-pixel "MS Sans Serif", and rows a tenth taller than
// its text.
namespace calendarlook {

void CreateBoldFont(CFont& font);
// A bold font of the given pixel height in a face that scales, for texts the bold font cannot fit.
void CreateSmallBoldFont(CFont& font, int height);
// The font's height on the screen plus a tenth.
int RowHeight(const CFont& font);

} // namespace calendarlook
