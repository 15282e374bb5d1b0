#include "GridListEditor.h"

#include "GridBody.h"
#include "GridCtrl.h"
#include "GridListCellType.h"

BEGIN_MESSAGE_MAP(CGridListEditor, CListBox)
ON_WM(WM_SETFOCUS, OnSetFocus)
ON_WM(WM_KILLFOCUS, OnKillFocus)
ON_WM(WM_LBUTTONUP, OnLButtonUp)
ON_WM(WM_KEYDOWN, OnKeyDown)
ON_WM(WM_GETDLGCODE, OnGetDlgCode)
END_MESSAGE_MAP()

void CGridListEditor::Open(CGridCtrl* grid, int col, int row) {
  m_pGrid = grid;
  m_col = col;
  m_row = row;
  m_chosen = false;
}

void CGridListEditor::OnSetFocus(HWND) {
  Default();
  m_open = true;
  m_chosen = false;
}

void CGridListEditor::OnKillFocus(HWND) {
  Default();
  m_open = false;
  if (!m_chosen) {
    // The press that took the focus away must not open the same list again.
    m_pType->m_nPressedCol = m_pType->m_nPressedRow = -2;
    m_pType->m_nClosedCol = m_col;
    m_pType->m_nClosedRow = m_row;
  }
  CGridBody* body = m_pGrid->GetBody();
  DestroyWindow();
  if (body && body->m_hWnd)
    body->Invalidate(false);
}

void CGridListEditor::OnLButtonUp(UINT, CPoint) {
  HWND self = m_hWnd;
  Default();
  if (IsWindow(self) && GetCurSel() >= 0)
    Choose();
}

void CGridListEditor::OnKeyDown(UINT key, UINT, UINT) {
  if (key == VK_ESCAPE) {
    DestroyWindow();
    return;
  }
  if (key != VK_RETURN) {
    Default();
    return;
  }
  if (GetCurSel() >= 0)
    Choose();
  else
    DestroyWindow();
}

UINT CGridListEditor::OnGetDlgCode(MSG*) { return DLGC_WANTARROWS; }

void CGridListEditor::Choose() {
  HWND self = m_hWnd;
  CString text = GetText(GetCurSel());
  m_chosen = true;
  m_pGrid->OnCellNotify(2, m_col, m_row, 101, &text);
  if (!IsWindow(self))
    return;
  CGridCell cell;
  m_pGrid->GetCell(m_col, m_row, &cell);
  cell.SetText(text);
  m_pGrid->SetCell(m_col, m_row, &cell);
  m_pGrid->RedrawCell(m_col, m_row);
  m_pType->m_nPressedCol = m_pType->m_nPressedRow = -1;
  DestroyWindow();
}
