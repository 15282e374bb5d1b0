#include <gridctrl/GridListEditor.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridCtrl.h>
#include <gridctrl/GridListCellType.h>

BEGIN_MESSAGE_MAP(CGridListEditor, CListBox)
ON_WM(WM_SETFOCUS, OnSetFocus)
ON_WM(WM_KILLFOCUS, OnKillFocus)
ON_WM(WM_MOUSEACTIVATE, OnMouseActivate)
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

void CGridListEditor::OnKillFocus(HWND next) {
  Default();
  m_open = false;
  CGridBody* body = m_pGrid->GetBody();
  if (!m_chosen) {
    m_pType->m_nPressedCol = m_pType->m_nPressedRow = -2;
    // Only a press on the body took the focus away: that one press must not open the same list again.
    const bool byPress = body && body->m_hWnd == next && body->TakingFocusForPress();
    m_pType->m_nClosedCol = byPress ? m_col : -1;
    m_pType->m_nClosedRow = byPress ? m_row : -1;
    m_pType->m_nClosedPress = byPress ? body->PressNumber() : -1;
  }
  DestroyWindow();
  if (body && body->m_hWnd)
    body->Invalidate(false);
}

// The body, which takes the focus for a click on itself, never sees a click inside the list: the list
// keeps the focus and stays open until the button comes up on an item.
int CGridListEditor::OnMouseActivate(HWND, UINT, UINT) { return MA_ACTIVATE; }

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
