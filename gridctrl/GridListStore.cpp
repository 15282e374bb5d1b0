#include <gridctrl/GridListStore.h>

#include <gridctrl/GridCtrl.h>

#include <cstring>
#include <iterator>

bool CGridListStore::SeekRow(int row, bool create) {
  if (row < 0)
    return false;
  const int count = static_cast<int>(rows_.size());
  if (row >= count) {
    if (!create)
      return false;
    rows_.resize(static_cast<size_t>(row) + 1);
    curRow_ = std::prev(rows_.end());
    curRowNum_ = row;
    curCol_ = -1;
    return true;
  }
  if (curRowNum_ == row)
    return true;
  // Walk from whichever of the cursor, the first row and the last row is nearest.
  int fromCursor = curRowNum_ < 0 ? count : (row > curRowNum_ ? row - curRowNum_ : curRowNum_ - row);
  int fromEnd = count - 1 - row;
  if (row <= fromCursor && row <= fromEnd) {
    curRow_ = rows_.begin();
    curRowNum_ = 0;
  } else if (fromEnd < fromCursor) {
    curRow_ = std::prev(rows_.end());
    curRowNum_ = count - 1;
  }
  for (; curRowNum_ < row; ++curRowNum_)
    ++curRow_;
  for (; curRowNum_ > row; --curRowNum_)
    --curRow_;
  curCol_ = -1;
  return true;
}

std::unique_ptr<CGridCell>* CGridListStore::SeekCell(int col, bool create) {
  Row& row = *curRow_;
  if (col == -1)
    return &row.header;
  if (col < 0)
    return nullptr;
  const int count = static_cast<int>(row.cells.size());
  if (col >= count) {
    if (!create)
      return nullptr;
    row.cells.resize(static_cast<size_t>(col) + 1);
    curCell_ = std::prev(row.cells.end());
    curCol_ = col;
    return &*curCell_;
  }
  if (curCol_ < 0 || col < curCol_ - col) {
    curCell_ = row.cells.begin();
    curCol_ = 0;
  }
  for (; curCol_ < col; ++curCol_)
    ++curCell_;
  for (; curCol_ > col; --curCol_)
    --curCell_;
  return &*curCell_;
}

int CGridListStore::ReadCell(int col, int row, CGridCell& cell) {
  if (!SeekRow(row, false))
    return 1;
  std::unique_ptr<CGridCell>* slot = SeekCell(col, false);
  if (!slot || !*slot)
    return 1;
  cell.OverlayFrom(**slot);
  return 0;
}

int CGridListStore::WriteCell(int col, int row, const CGridCell& cell) {
  if (col < -1 || !SeekRow(row, true))
    return 1;
  std::unique_ptr<CGridCell>* slot = SeekCell(col, true);
  if (!*slot)
    *slot = std::make_unique<CGridCell>();
  (*slot)->CopyFrom(cell);
  return 0;
}

void CGridListStore::EndGridEdit() {
  if (grid_)
    grid_->EndEdit();
}

int CGridListStore::InsertRow(int row) {
  EndGridEdit();
  if (!SeekRow(row, false))
    return 0;
  curRow_ = rows_.insert(curRow_, Row{});
  curCol_ = -1;
  if (row <= lastHit_)
    ++lastHit_; // the search goes on after the same row
  return 0;
}

int CGridListStore::DeleteRow(int row) {
  EndGridEdit();
  if (!SeekRow(row, false))
    return 0;
  curRow_ = rows_.erase(curRow_);
  curCol_ = -1;
  // The search goes on after the same row; once that row is gone there is nothing to go on from.
  if (row < lastHit_)
    --lastHit_;
  else if (row == lastHit_)
    lastHit_ = -1;
  if (curRow_ == rows_.end()) {
    if (rows_.empty()) {
      curRowNum_ = -1;
      return 0;
    }
    --curRow_;
    --curRowNum_;
  }
  return 0;
}

int CGridListStore::InsertColumn(int col) {
  EndGridEdit();
  if (rows_.empty())
    return 1;
  for (Row& row : rows_) {
    if (col < 0 || col >= static_cast<int>(row.cells.size()))
      continue;
    row.cells.insert(std::next(row.cells.begin(), col), nullptr);
  }
  curCol_ = -1;
  return 0;
}

int CGridListStore::DeleteColumn(int col) {
  EndGridEdit();
  if (rows_.empty())
    return 1;
  for (Row& row : rows_) {
    const int count = static_cast<int>(row.cells.size());
    if (col < 0 || col >= count)
      continue;
    auto node = std::next(row.cells.begin(), col);
    if (col == count - 1)
      node->reset(); // the last node stays, empty
    else
      row.cells.erase(node);
  }
  curCol_ = -1;
  return 0;
}

int CGridListStore::DeleteCell(int col, int row) {
  EndGridEdit();
  if (!SeekRow(row, false) || col < 0 || col >= static_cast<int>(curRow_->cells.size()))
    return 1;
  curRow_->cells.erase(std::next(curRow_->cells.begin(), col));
  curCol_ = -1;
  return 0;
}

int CGridListStore::ClearAll() {
  EndGridEdit();
  rows_.clear();
  curRowNum_ = -1;
  curCol_ = -1;
  lastHit_ = -1;
  return -1;
}

int CGridListStore::CellNodeCount(int row) {
  if (!SeekRow(row, false))
    return -1;
  return static_cast<int>(curRow_->cells.size());
}

const CGridCell* CGridListStore::CellOf(Row& row, int col) const {
  if (col == -1)
    return row.header.get();
  if (col < 0 || col >= static_cast<int>(row.cells.size()))
    return nullptr;
  return std::next(row.cells.begin(), col)->get();
}

int CGridListStore::Find(int col, const char* text, int fromRow, int* row) {
  if (fromRow < 0 || fromRow >= static_cast<int>(rows_.size()))
    return 1;
  int number = fromRow;
  for (auto it = std::next(rows_.begin(), fromRow); it != rows_.end(); ++it, ++number) {
    const CGridCell* cell = CellOf(*it, col);
    if (cell && lstrcmpiA(cell->m_strText, text) == 0) {
      lastHit_ = number;
      *row = number;
      return 0;
    }
  }
  return 1;
}

int CGridListStore::FindFirst(int col, const char* text, int* row) { return Find(col, text, 0, row); }

int CGridListStore::FindNext(int col, const char* text, int* row) {
  if (lastHit_ < 0)
    return 1;
  return Find(col, text, lastHit_ + 1, row);
}

int CGridListStore::Compare(const CGridCell& a, const CGridCell& b) const {
  if (grid_)
    return grid_->CompareCells(a, b);
  return std::strcmp(a.m_strText, b.m_strText);
}

int CGridListStore::SortByColumn(int col) {
  EndGridEdit();
  // Insertion into a new list: each row goes before the first sorted row with a key that it compares
  // below, so equal keys keep their order; rows without a key keep theirs at the end.
  Rows sorted;
  Rows keyless;
  while (!rows_.empty()) {
    auto placing = rows_.begin();
    const CGridCell* key = CellOf(*placing, col);
    if (!key) {
      keyless.splice(keyless.end(), rows_, placing);
      continue;
    }
    auto before = sorted.begin();
    for (; before != sorted.end(); ++before)
      if (Compare(*key, *CellOf(*before, col)) < 0)
        break;
    sorted.splice(before, rows_, placing);
  }
  sorted.splice(sorted.end(), keyless);
  rows_.swap(sorted);
  curRowNum_ = rows_.empty() ? -1 : 0;
  curRow_ = rows_.begin();
  curCol_ = -1;
  return 0;
}
