#pragma once

#include <gridctrl/GridStore.h>

#include <list>
#include <memory>

class CGridCtrl;

// The grid's own store: a list of rows, each a list of cells, holding only what callers stored.
//
// Row 0 is the first row of the list and column 0 the first cell of a row; a row's header cell
// (column -1) sits beside its cells. Rows and cells up to the one written are created on demand, empty.
// A cursor remembers the row and cell last reached, and every seek walks from the cursor (or from the
// nearer end), so reading neighbouring cells costs one step each.
class CGridListStore : public CGridStore {
public:
  // `grid` provides the comparison for sorting; without one, texts are compared byte by byte.
  explicit CGridListStore(CGridCtrl* grid = nullptr) : grid_(grid) {}

  int DeleteRow(int row) override;
  int ReadCell(int col, int row, CGridCell& cell) override;
  int WriteCell(int col, int row, const CGridCell& cell) override;
  int FindFirst(int col, const char* text, int* row) override;
  int FindNext(int col, const char* text, int* row) override;
  int SortByColumn(int col) override;
  int InsertRow(int row) override;
  int InsertColumn(int col) override;
  int DeleteCell(int col, int row) override;
  int DeleteColumn(int col) override;
  int ClearAll() override;

  int RowNodeCount() const { return static_cast<int>(rows_.size()); }
  // Cell nodes of a row (stored or empty); -1 when the row node does not exist.
  int CellNodeCount(int row);

private:
  using Cells = std::list<std::unique_ptr<CGridCell>>;
  struct Row {
    std::unique_ptr<CGridCell> header;
    Cells cells;
  };
  using Rows = std::list<Row>;

  // Ends the grid's open edit before rows or cells move: it commits into the place it was begun on.
  void EndGridEdit();
  bool SeekRow(int row, bool create);
  // The cell slot at `col` of the cursor's row (col -1: the header slot); null when it does not exist.
  std::unique_ptr<CGridCell>* SeekCell(int col, bool create);
  const CGridCell* CellOf(Row& row, int col) const;
  int Compare(const CGridCell& a, const CGridCell& b) const;
  int Find(int col, const char* text, int fromRow, int* row);

  CGridCtrl* grid_;
  Rows rows_;
  Rows::iterator curRow_;
  int curRowNum_ = -1; // -1: no cursor
  Cells::iterator curCell_;
  int curCol_ = -1; // -1: no cell cursor in the cursor's row
  int lastHit_ = -1;
};
