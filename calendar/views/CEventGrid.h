#pragma once

#include <calendar/views/CListEntry.h>

#include <gridctrl/GridCtrl.h>

#include <vector>

class CGridView;

// The event list's grid: one row per entry of the list view, in the view's order. It holds the entries
// by pointer without owning them, and tells the view which entry became current and what the user
// clicked.
class CEventGrid : public CGridCtrl {
public:
  explicit CEventGrid(CGridView* view) : view_(view) {}

  // The entry of a row, or null.
  CListEntry* EntryAt(int row) const {
    return row >= 0 && row < static_cast<int>(entries.size()) ? entries[static_cast<size_t>(row)] : nullptr;
  }

  std::vector<CListEntry*> entries;

  void OnRowChanged(int oldRow, int newRow) override;
  void OnLButtonCell(int col, int row, BOOL down, const CRect& rect, CPoint point, int typeAnswer) override;
  void OnDblClkCell(int col, int row, const CRect& rect, CPoint point, int typeAnswer) override;
  void OnColHeaderClick(int col, BOOL down) override;
  int CompareCells(const CGridCell&, const CGridCell&) override { return 0; }

private:
  CGridView* view_;
  bool clicking_ = false;
};
