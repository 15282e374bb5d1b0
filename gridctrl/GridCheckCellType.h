#pragma once

#include <appframe/GdiObjects.h>
#include <gridctrl/GridCellType.h>

// Type 1: a check box with the cell's display text as its label. The cell's number says whether it is
// checked (above 0). A press inside the box, a double click there or Space toggles it.
class CGridCheckCellType : public CGridCellType {
public:
  enum Flags { kSunken = 0x100, kRaised = 0x200, kTick = 0x1000 };

  CGridCheckCellType();

  int OnLButton(int col, int row, BOOL down, const CRect& rect, CPoint point) override;
  int OnDblClk(int col, int row, const CRect& rect, CPoint point) override;
  int OnKeyDown(UINT* key) override;
  void Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) override;

  // The box's side for a cell's height (frame included): height - 6, at most 12; nothing is drawn at 5
  // or less.
  static int BoxSize(int cellHeight);
  // The box inside a cell's inner rectangle, centred vertically.
  static CRect BoxRect(const CRect& inner, int cellHeight);

private:
  // Flips the drawn state of (col, row): read merged, written raw, so column defaults stay in force.
  void Toggle(int col, int row);
  bool InBox(int col, int row, const CRect& rect, CPoint point);
  void DrawMark(CDC* dc, const CRect& box, bool tick);
  // The height of the cell whose inner rectangle is `inner`: the frame's insets added back.
  int CellHeight(const CRect& inner, const CGridCell& cell) const;

  CPen m_shadowPen;
  CPen m_lightPen;
  CGridCell m_scratch;
};
