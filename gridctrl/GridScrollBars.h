#pragma once

#include <appframe/Controls.h>
#include <gridctrl/GridDims.h>

class CGridCtrl;

// The grid's two scroll bars. They map the bar's positions onto the top row and the left column; the
// vertical bar scales a grid of more than 1000 possible top rows onto 1000 positions. The range is set
// again only when what it depends on changed.
class CGridVScrollBar : public CScrollBar {
public:
  explicit CGridVScrollBar(CGridCtrl* grid);
  void Update();
  // A scroll request from the bar (forwarded by the grid, which receives the bar's messages).
  void OnScroll(UINT code, UINT pos);
  // The top row that a bar position stands for.
  int RowFor(int pos) const;

private:
  CGridCtrl* m_pGrid;
  CGridDims* m_pDims;
  int m_lastTop = -1, m_lastMode = -1, m_lastPage = -1;
  bool m_scaled = false;
  double m_unitsPerRow = 1; // bar units per row when scaled
  double m_rowsPerUnit = 1;
};

class CGridHScrollBar : public CScrollBar {
public:
  explicit CGridHScrollBar(CGridCtrl* grid);
  void Update();
  void OnScroll(UINT code, UINT pos);

private:
  CGridCtrl* m_pGrid;
  CGridDims* m_pDims;
  int m_lastLeft = -1, m_lastMode = -1, m_lastPage = -1;
};
