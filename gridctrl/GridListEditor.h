#pragma once

#include <appframe/Controls.h>

class CGridCtrl;
class CGridListCellType;

// The list that drops down under a drop-down list cell, child 123 of the body. Choosing an item (a
// click, or Enter on the selected item) writes it into the cell; the list destroys itself when it
// loses the focus. A click inside the list (an item, its scroll bar) is the list's own.
class CGridListEditor : public CListBox {
public:
  explicit CGridListEditor(CGridListCellType* type) : m_pType(type) {}

  void Open(CGridCtrl* grid, int col, int row);
  bool IsOpen() const { return m_hWnd != nullptr; }

protected:
  void OnSetFocus(HWND old);
  void OnKillFocus(HWND next);
  int OnMouseActivate(HWND top, UINT hitTest, UINT message);
  void OnLButtonUp(UINT flags, CPoint point);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  UINT OnGetDlgCode(MSG* msg);
  DECLARE_MESSAGE_MAP()

private:
  void Choose();

  CGridListCellType* m_pType;
  CGridCtrl* m_pGrid = nullptr;
  int m_col = -1;
  int m_row = -1;
  bool m_chosen = false;
  bool m_open = false;
};
