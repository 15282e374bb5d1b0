#pragma once

#include <vector>

// Cell ranges still to be painted by the body, inclusive at both ends.
struct CGridRange {
  int firstCol, firstRow, lastCol, lastRow;
  bool Contains(int col, int row) const {
    return col >= firstCol && col <= lastCol && row >= firstRow && row <= lastRow;
  }
};

class CGridRepaintList {
public:
  // Adds a range with its corners in any order. While painting is off nothing is kept, since turning it
  // on again repaints everything.
  void Add(int col1, int row1, int col2, int row2);
  void Clear() { ranges_.clear(); }
  bool IsEmpty() const { return ranges_.empty(); }
  bool Contains(int col, int row) const;
  CGridRange Bounds() const;
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  const std::vector<CGridRange>& Ranges() const { return ranges_; }

private:
  std::vector<CGridRange> ranges_;
  bool enabled_ = true;
};
