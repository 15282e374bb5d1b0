#pragma once

#include "GridMask.h"
#include <appframe/Controls.h>

class CGridCtrl;

// The in-place edit editor: a one-line edit control over the cell being edited, child 237 of the body.
//
// The object lives as long as the body; a window is made for each edit and destroys itself when the
// edit ends (focus lost, Escape, or a moving key). It remembers the cell it edits and commits into that
// cell, whatever the current cell is by then. With a mask, typed characters are checked against the
// mask position at the caret and literals are typed for the user.
class CGridEditor : public CEdit {
public:
  explicit CGridEditor(CGridCtrl* grid) : m_pGrid(grid) {}

  // After the window is made: the cell it edits and its mask (the cell's second text).
  void Begin(int col, int row, const char* mask);
  // Rebuilds the text along the mask (after the control's text changed).
  void Reformat();
  // Destroys the window; a pending commit happens first.
  void Close();
  int EditCol() const { return m_col; }
  int EditRow() const { return m_row; }

protected:
  void OnSetFocus(HWND old);
  void OnKillFocus(HWND next);
  void OnKeyDown(UINT key, UINT repeat, UINT flags);
  void OnChar(UINT ch, UINT repeat, UINT flags);
  UINT OnGetDlgCode(MSG* msg);
  void OnSize(UINT type, int cx, int cy);
  DECLARE_MESSAGE_MAP()

private:
  // Stores the text into the edited cell when the grid's hook agrees; only once per edit.
  void Commit();
  // Whether the mask lets the typed character through, typing the literals at the caret first.
  bool MaskAllows(UINT ch);

  CGridCtrl* m_pGrid;
  CGridMask m_mask;
  int m_col = -1;
  int m_row = -1;
  bool m_pending = false;
  bool m_hasFocus = false;
  bool m_rewriting = false;
  bool m_closing = false;
};
