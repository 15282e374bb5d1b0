#pragma once

#include <appframe/GdiObjects.h>
#include <gridctrl/GridCellType.h>
#include <gridctrl/GridListEditor.h>

#include <string>
#include <vector>

// Type 2: a drop-down list. A button at the right edge opens a list of the cell's display text, one
// item a line; the chosen item becomes the cell's text. With type flag 0x10 the button is drawn only
// on the current cell.
class CGridListCellType : public CGridCellType {
public:
  enum Flags { kButtonOnCurrentOnly = 0x10 };

  CGridListCellType();

  BOOL AdjustEditRect(CRect& rect) override;
  BOOL OnGridDestroy() override;
  int OnLButton(int col, int row, BOOL down, const CRect& rect, CPoint point) override;
  int OnKeyDown(UINT* key) override;
  int OnMouseMove(CPoint point, BOOL captured) override;
  void Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) override;

  // Opens the list under (col, row).
  void OpenList(int col, int row);
  CGridListEditor* GetListEditor() { return &m_list; }
  // The lines of a display text: each item ends with a line feed; what follows the last one is none.
  static std::vector<std::string> Items(const char* text);

  int m_nButtonWidth;
  // The cell whose button is held or whose list is open; (-1, -1) none, (-2, -2) a list closed by
  // losing the focus with nothing chosen. A press on the body that took the focus from the open list
  // of m_nClosedCol, m_nClosedRow (press m_nClosedPress of the body) only closes it: that one press on
  // the same cell's button does not open the list again.
  int m_nPressedCol = -1;
  int m_nPressedRow = -1;
  int m_nClosedCol = -1;
  int m_nClosedRow = -1;
  int m_nClosedPress = -1;

private:
  CRect ButtonRect(const CRect& inner) const;
  void Repaint(int col, int row);

  CGridListEditor m_list;
  CGridCell m_scratch;
  bool m_held = false;  // the left button went down on the button and is still down
  bool m_shown = false; // the held button is drawn pressed
  CRect m_heldButton;   // where the held button is, in body coordinates
};
