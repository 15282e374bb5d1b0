#pragma once

#include <gridctrl/GridDims.h>
#include <gridctrl/GridRepaintList.h>

#include <vector>

// Which cells or rows the user has selected: ranges in the order they were made. The newest range that
// holds a cell decides whether it is selected, so a toggled cell inside an older range can be
// deselected. In row mode every range's column is 1, so only rows matter.
class CGridSelection {
public:
  enum Mode { kOff = 0, kCells = 1, kRows = 2 };

  explicit CGridSelection(const CGridDims* dims) : dims_(dims) {}

  int GetMode() const { return mode_; }
  void SetMode(int mode);
  void Empty();
  void StartRange(int col, int row);
  int Extend(int col, int row);
  void ToggleCell(int col, int row);
  bool IsSelected(int col, int row) const;
  int GetAnchor(int* col, int* row) const;
  bool HasRange() const { return started_; }
  void MarkForRepaint(CGridRepaintList& list) const;

private:
  struct Range {
    int startCol, startRow, curCol, curRow;
    int minCol, minRow, maxCol, maxRow;
    bool selected;
    void Normalise();
  };

  int ColumnFor(int col) const { return mode_ == kRows ? 1 : col; }

  const CGridDims* dims_;
  int mode_ = kOff;
  std::vector<Range> ranges_;
  int anchorCol_ = 0;
  int anchorRow_ = 0;
  bool started_ = false;
};
