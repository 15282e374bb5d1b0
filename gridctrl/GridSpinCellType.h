#pragma once

#include <appframe/GdiObjects.h>
#include <gridctrl/GridCellType.h>

// Type 6: up and down buttons at the right edge. A press on the current cell's upper half tells the
// grid's OnCellNotify (6, column, row, 16), the lower half (..., 17); the application changes the
// value there, the type never does.
class CGridSpinCellType : public CGridCellType {
public:
  enum Button { kNone = 0, kUp = 1, kDown = 2 };
  enum Notify { kNotifyCode = 6, kUpValue = 16, kDownValue = 17 };

  CGridSpinCellType();

  BOOL AdjustEditRect(CRect& rect) override;
  int OnLButton(int col, int row, BOOL down, const CRect& rect, CPoint point) override;
  int OnMouseMove(CPoint point, BOOL captured) override;
  void Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) override;

  int m_nButtonWidth;
  int m_nPressed = kNone; // the button drawn pressed
  int m_nPressedCol = -1;
  int m_nPressedRow = -1;

private:
  CRect Buttons(const CRect& inner) const;
  CRect Inner(int col, int row, const CRect& rect);

  CGridCell m_scratch;
  int m_held = kNone; // the button the left button went down on
  CRect m_heldRect;
};
