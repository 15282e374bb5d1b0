#include <calendar/views/CEventGrid.h>

#include <calendar/views/CGridView.h>

void CEventGrid::OnRowChanged(int, int newRow) {
  if (!entries.empty() && EntryAt(newRow) && !clicking_)
    view_->Announce(EntryAt(newRow));
  clicking_ = false;
}

void CEventGrid::OnLButtonCell(int, int row, BOOL down, const CRect&, CPoint, int) {
  if (!down) {
    clicking_ = false;
    return;
  }
  EnableSelection(FALSE);
  clicking_ = true;
  if (CListEntry* entry = EntryAt(row))
    view_->Announce(entry);
}

void CEventGrid::OnDblClkCell(int, int row, const CRect&, CPoint, int) {
  CListEntry* entry = EntryAt(row);
  if (!entry)
    return;
  EnableSelection(FALSE);
  view_->EditEntry(entry);
}

void CEventGrid::OnColHeaderClick(int col, BOOL down) {
  if (down && col >= 0 && col < GetColCount())
    view_->SortBy({col}, 0);
}
