#pragma once

#include "GridCell.h"
#include <appframe/CDC.h>

// The frame every cell shares, from its frame style bits:
//   0x01..0x08 one line on the left, top, right, bottom edge (inset 1 on that side)
//   0x10..0x80 two lines (inset 2), 0x100..0x800 three lines (inset 3)
//   0x1000 pressed 3-D edge, inset by the grid's frame inset; 0x2000 raised 3-D edge, inset 1
// A style of 0 (or unset) draws nothing.
struct CGridFramePens {
  HPEN light;  // white
  HPEN shadow; // button shadow
};

// How far the inner rectangle lies inside the cell on each side.
CRect GridFrameInsets(int style, int frameInset);
// Draws the frame and answers the inner rectangle left for the cell's contents.
CRect DrawGridFrame(CDC* dc, const CRect& rect, const CGridCell& cell, const CGridFramePens& pens,
                    int frameInset);
