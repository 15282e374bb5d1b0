#include <gridctrl/GridRepaintList.h>

#include <algorithm>

void CGridRepaintList::Add(int col1, int row1, int col2, int row2) {
  if (!enabled_)
    return;
  CGridRange range{std::min(col1, col2), std::min(row1, row2), std::max(col1, col2), std::max(row1, row2)};
  for (const CGridRange& kept : ranges_)
    if (kept.firstCol <= range.firstCol && kept.firstRow <= range.firstRow && kept.lastCol >= range.lastCol &&
        kept.lastRow >= range.lastRow)
      return; // already covered
  ranges_.push_back(range);
}

bool CGridRepaintList::Contains(int col, int row) const {
  return std::any_of(ranges_.begin(), ranges_.end(),
                     [&](const CGridRange& r) { return r.Contains(col, row); });
}

CGridRange CGridRepaintList::Bounds() const {
  CGridRange bounds = ranges_.front();
  for (const CGridRange& r : ranges_) {
    bounds.firstCol = std::min(bounds.firstCol, r.firstCol);
    bounds.firstRow = std::min(bounds.firstRow, r.firstRow);
    bounds.lastCol = std::max(bounds.lastCol, r.lastCol);
    bounds.lastRow = std::max(bounds.lastRow, r.lastRow);
  }
  return bounds;
}
