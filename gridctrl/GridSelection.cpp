#include <gridctrl/GridSelection.h>

#include <algorithm>

void CGridSelection::Range::Normalise() {
  minCol = std::min(startCol, curCol);
  maxCol = std::max(startCol, curCol);
  minRow = std::min(startRow, curRow);
  maxRow = std::max(startRow, curRow);
}

void CGridSelection::SetMode(int mode) {
  Empty();
  mode_ = mode;
}

void CGridSelection::Empty() {
  ranges_.clear();
  started_ = false;
}

void CGridSelection::StartRange(int col, int row) {
  if (mode_ == kOff)
    return;
  col = ColumnFor(col);
  anchorCol_ = col;
  anchorRow_ = row;
  started_ = true;
  Range range{col, row, col, row, col, row, col, row, true};
  ranges_.push_back(range);
}

int CGridSelection::Extend(int col, int row) {
  if (mode_ == kOff)
    return 0;
  if (!started_ || ranges_.empty())
    return 1;
  Range& newest = ranges_.back();
  newest.curCol = ColumnFor(col);
  newest.curRow = row;
  newest.Normalise();
  newest.selected = true;
  return 0;
}

void CGridSelection::ToggleCell(int col, int row) {
  if (mode_ == kOff)
    return;
  col = ColumnFor(col);
  auto single = std::find_if(ranges_.begin(), ranges_.end(), [&](const Range& r) {
    return r.minCol == col && r.maxCol == col && r.minRow == row && r.maxRow == row;
  });
  if (single == ranges_.end()) {
    bool wasSelected = IsSelected(col, row);
    StartRange(col, row);
    ranges_.back().selected = !wasSelected;
    return;
  }
  // The flipped cell becomes the newest range, so that no newer range hides the toggle.
  Range flipped = *single;
  flipped.selected = !IsSelected(col, row);
  ranges_.erase(single);
  ranges_.push_back(flipped);
  anchorCol_ = col;
  anchorRow_ = row;
  started_ = true;
}

bool CGridSelection::IsSelected(int col, int row) const {
  if (mode_ == kOff)
    return false;
  col = ColumnFor(col);
  for (auto it = ranges_.rbegin(); it != ranges_.rend(); ++it)
    if (col >= it->minCol && col <= it->maxCol && row >= it->minRow && row <= it->maxRow)
      return it->selected;
  return false;
}

int CGridSelection::GetAnchor(int* col, int* row) const {
  if (!started_)
    return 1;
  *col = anchorCol_;
  *row = anchorRow_;
  return 0;
}

void CGridSelection::MarkForRepaint(CGridRepaintList& list) const {
  for (const Range& r : ranges_) {
    if (dims_ && dims_->rowSelect)
      list.Add(dims_->leftCol, r.minRow, dims_->colCount - 1, r.maxRow);
    else
      list.Add(r.minCol, r.minRow, r.maxCol, r.maxRow);
  }
}
