#pragma once

#include <appframe/Controls.h>
#include <gridctrl/GridMask.h>

class CGridCtrl;

// The in-place edit editor: a one-line edit control over the cell being edited, child 237 of the body.
//
// The object lives as long as the body; a window is made for each edit and destroys itself when the
// edit ends (focus lost, Escape, or a moving key). It remembers the cell it edits: its hooks name that
// cell and it commits into it, whatever the current cell is by then. An edit whose text is what it
// started with writes nothing. With a mask (which belongs to one edit only), typed characters are
// checked against the mask position at the caret and literals are typed for the user.
class CGridEditor : public CEdit {
public:
  explicit CGridEditor(CGridCtrl* grid) : m_pGrid(grid) {}

  // After the window is made: the cell it edits, its mask (the cell's second text) and its text, which
  // the mask formats.
  void Begin(int col, int row, const char* mask, const char* text);
  // Rebuilds the text along the mask (after the control's text changed).
  void Reformat();
  // Destroys the window; a pending commit happens first.
  void Close();
  int EditCol() const { return m_col; }
  int EditRow() const { return m_row; }

protected:
  void OnSetFocus(HWND old);
  void OnKillFocus(HWND next);
  int OnMouseActivate(HWND top, UINT hitTest, UINT message);
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
  CString m_startText; // the text as the edit began, formatted
  int m_col = -1;
  int m_row = -1;
  bool m_pending = false;
  bool m_hasFocus = false;
  bool m_rewriting = false;
  bool m_closing = false;
};
