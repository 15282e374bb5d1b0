#include <gridctrl/GridCtrl.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridHeaders.h>

#include <algorithm>
#include <cstring>

// ---- Editing ----

int CGridCtrl::EditCurCell() { return m_body ? m_body->EditCell(0) : 1; }

void CGridCtrl::EndEdit() {
  if (m_body)
    m_body->DestroyEditor();
}

int CGridCtrl::EditMoveOn(int colStep, int rowStep) {
  auto wrap = [this](int* col, int* row) {
    if (*col >= m_dims.colCount) {
      *col = 0;
      ++*row;
    } else if (*col < 0) {
      *col = m_dims.colCount - 1;
      --*row;
    }
    *row = std::max(0, std::min(*row, m_dims.rowCount - 1));
  };
  int col = m_dims.editCol + colStep;
  int row = m_dims.editRow + rowStep;
  wrap(&col, &row);
  if (!OnEditMoveOn(m_dims.curCol, m_dims.curRow, &col, &row)) {
    EndEdit();
    return kGridNoSuch;
  }
  wrap(&col, &row);
  SetCurCell(col, row);
  return EditCurCell();
}

// ---- Cell types, find, menu ----

int CGridCtrl::RegisterCellType(CGridCellType* type) {
  if (!type)
    return kGridNoSuch;
  type->Attach(this, &m_dims);
  m_cellTypes.emplace_back(type);
  type->SetUp();
  return kGridOk;
}

CGridCellType* CGridCtrl::GetCellType(int id) const {
  for (const auto& type : m_cellTypes)
    if (type->GetId() == id)
      return type.get();
  return m_cellTypes.front().get();
}

int CGridCtrl::CompareCells(const CGridCell& first, const CGridCell& second) {
  return std::strcmp(first.m_strText, second.m_strText);
}

int CGridCtrl::FindFirst(int col, const char* text, int* row) { return m_pStore->FindFirst(col, text, row); }

int CGridCtrl::FindNext(int col, const char* text, int* row) { return m_pStore->FindNext(col, text, row); }

int CGridCtrl::ShowFindDialog() {
  if (m_pFindDialog || m_findOpening)
    return kGridNoSuch;
  m_newSearch = true;
  m_findOpening = true;
  auto* dialog = new CFindReplaceDialog;
  bool created = dialog->Create(true, "", nullptr, FR_DOWN, this);
  m_findOpening = false;
  if (!created) {
    delete dialog;
    return kGridNoSuch;
  }
  m_pFindDialog = dialog;
  RedrawCell(m_dims.curCol, m_dims.curRow);
  return kGridOk;
}

LRESULT CGridCtrl::OnFindReplace(WPARAM, LPARAM lParam) {
  CFindReplaceDialog* dialog = CFindReplaceDialog::GetNotifier(lParam);
  if (!dialog)
    return 0;
  if (dialog->IsTerminating()) {
    m_pFindDialog = nullptr;
    RedrawCell(m_dims.curCol, m_dims.curRow);
    return 0;
  }
  CString text = dialog->GetFindString();
  int row = -1;
  int found = m_newSearch ? FindFirst(m_dims.curCol, text, &row) : FindNext(m_dims.curCol, text, &row);
  m_newSearch = false;
  // The store may still hold rows past the row count; they are not part of the grid.
  while (found == kGridOk && row >= m_dims.rowCount)
    found = FindNext(m_dims.curCol, text, &row);
  if (found != kGridOk) {
    MessageBoxA(m_hWnd, "Item not found", "Not Found", MB_OK);
    return 0;
  }
  SetCurRow(row);
  SetCurCell(m_dims.curCol, row);
  return 0;
}

void CGridCtrl::ShowPopupMenu(int col, int row, int area, CPoint screenPoint) {
  if (!m_dims.popupMenu || OnShowMenu(col, row, area) != 1)
    return;
  m_menuCol = col;
  m_menuRow = row;
  HWND owner = area == kAreaBody        ? m_body->m_hWnd
               : area == kAreaColHeader ? m_colHeader->m_hWnd
               : area == kAreaRowHeader ? m_rowHeader->m_hWnd
                                        : m_corner->m_hWnd;
  m_popupMenu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, owner);
}
