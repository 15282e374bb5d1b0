#pragma once

#include <appframe/CDC.h>
#include <gridctrl/GridCell.h>
#include <gridctrl/GridDefs.h>

// The frame every cell shares, from its frame style bits (GridFrameStyle):
//   kFrameLeft..kFrameBottom one line on that edge (inset 1 on that side)
//   the double bits two lines (inset 2), the triple bits three lines (inset 3); with several on one
//   side the most lines win
//   kFramePressed a pressed 3-D edge, inset by the grid's frame inset; kFrameRaised a raised one, inset 1
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
// A push button in a cell: a raised (or, held, pressed) edge round a button-face fill.
void DrawGridButton(CDC* dc, const CRect& rect, bool pressed, const CGridFramePens& pens);
// A small black triangle centred in `rect`, pointing up or down: rows 5, 3 and 1 pixels wide.
void DrawGridTriangle(CDC* dc, const CRect& rect, bool up);
