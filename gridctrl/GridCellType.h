#pragma once

#include <appframe/CDC.h>
#include <gridctrl/GridCell.h>
#include <gridctrl/GridDefs.h>
#include <gridctrl/GridDims.h>
#include <gridctrl/GridPictureCache.h>

class CGridCtrl;

// How a cell looks and reacts, chosen by the cell's type identifier from the grid's cell-type table.
// This base is type 0, plain text, and the fallback for identifiers nobody registered. The grid draws
// the cell's frame first (GridCellFrame.h) and hands the inner rectangle to Draw.
class CGridCellType {
public:
  explicit CGridCellType(int id = 0, bool editable = true) : m_nId(id), m_bEditable(editable) {}
  virtual ~CGridCellType() = default;
  CGridCellType(const CGridCellType&) = delete;
  CGridCellType& operator=(const CGridCellType&) = delete;

  virtual int GetId() { return m_nId; }
  virtual BOOL AdjustEditRect(CRect& /*rect*/) { return TRUE; }
  virtual BOOL OnGridDestroy() { return TRUE; }
  // -2: the type takes the mouse until the button is released.
  virtual int OnLButton(int /*col*/, int /*row*/, BOOL /*down*/, const CRect& /*rect*/, CPoint /*point*/) {
    return -1;
  }
  virtual int OnRButton(int /*col*/, int /*row*/, BOOL /*down*/, const CRect& /*rect*/, CPoint /*point*/) {
    return -1;
  }
  virtual int OnDblClk(int /*col*/, int /*row*/, const CRect& /*rect*/, CPoint /*point*/) { return -1; }
  virtual int OnKeyDown(UINT* /*key*/) { return -1; }
  virtual int OnChar(UINT* /*ch*/) { return -1; }
  virtual int OnMouseMove(CPoint /*point*/, BOOL /*captured*/) { return -1; }
  virtual void Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current);
  virtual void DrawScaled(CDC* dc, const CRect& rect, const CGridCell& cell, int screenWidth,
                          int screenHeight);
  virtual void OnEnterCell(int col, int row, const CGridCell& cell);
  virtual void OnLeaveCell(int col, int row, const CGridCell& cell);
  virtual void Measure(CDC* dc, int* width, int* height, const CGridCell& cell);
  // Where Draw starts a single-line text that measures `extent` inside `area`, for a cell's alignment
  // flags: a caller that fits texts to cells places them as they will be drawn.
  static CPoint TextOrigin(const CRect& area, CSize extent, int align);
  // Called once when the grid registers the type, after the back pointers are set.
  virtual void SetUp() {}

  BOOL IsEditable() const { return m_bEditable; }
  void Attach(CGridCtrl* grid, CGridDims* dims) {
    m_pGrid = grid;
    m_pDims = dims;
  }

  int m_nId;
  BOOL m_bEditable;
  BOOL m_bDisplayText = FALSE; // draw the display text whatever the type flags say
  int m_nEnteredCol = -1;
  int m_nEnteredRow = -1;
  BOOL m_bEntered = FALSE;
  CGridCtrl* m_pGrid = nullptr;
  CGridDims* m_pDims = nullptr;

protected:
  HFONT FontFor(const CGridCell& cell) const;
  // Draws the bitmap at the left of the cell and answers how far the text moves right.
  int DrawBitmap(CDC* dc, const CRect& rect, const CGridCell& cell, COLORREF background);

private:
  CGridPictureCache m_pictures;
};
