#pragma once

// The grid library's numbers with a meaning: the answers of the grid's operations, the identifiers of
// its child windows, the areas hooks are told about, the movement kinds and the style bits of a cell.
// Callers and stored settings rely on the values, so they are fixed here once.

// What CGridCtrl's operations answer (as int: callers compare with these values).
enum GridAnswer {
  kGridOk = 0,          // done
  kGridNoSuch = 1,      // an argument out of range, nothing there, or no move to make
  kGridRefused = 2,     // a hook refused the change
  kGridUnknownKind = 3, // MoveRow or MoveCol with a kind it does not know
};

// Child window identifiers and the areas that hooks are told about.
enum GridChildId {
  kGridBodyId = 1,
  kGridColHeaderId,
  kGridRowHeaderId,
  kGridCornerId,
  kGridVScrollId,
  kGridHScrollId,
  kGridTipId
};
enum GridArea { kAreaBody = 1, kAreaColHeader = 2, kAreaRowHeader = 3, kAreaCorner = 4 };

// Movement kinds of MoveRow, MoveCol, ScrollRows and ScrollCols.
enum GridMove {
  kMoveBack = 0,
  kMoveOn = 1,
  kMovePageBack = 2,
  kMovePageOn = 3,
  kMoveFirst = 4,
  kMoveLast = 5
};

// Frame style bits of a cell. Lines per side: single 0x1 << side, double 0x10 << side, triple
// 0x100 << side, sides in the order left, top, right, bottom.
enum GridFrameStyle {
  kFrameNone = 0,
  kFrameLeft = 0x01,
  kFrameTop = 0x02,
  kFrameRight = 0x04,
  kFrameBottom = 0x08,
  kFrameDoubleLeft = 0x10,
  kFrameTripleLeft = 0x100,
  kFramePressed = 0x1000,                       // a pressed 3-D edge, inset by the grid's frame inset
  kFrameRaised = 0x2000,                        // a raised 3-D edge (a button face), inset 1
  kFrameGridLines = kFrameRight | kFrameBottom, // the grid default
  kFrameBox = kFrameLeft | kFrameTop | kFrameRight | kFrameBottom, // a single line all round
};

// Alignment bits of a cell. Neither horizontal bit: left; neither vertical bit: top.
enum GridAlign {
  kAlignLeftTop = 0x01, // the grid default: no other bit set
  kAlignRight = 0x02,
  kAlignCentre = 0x04,
  kAlignBottom = 0x10,
  kAlignMiddle = 0x20,
};
