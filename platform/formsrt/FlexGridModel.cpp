#include <formsrt/FlexGridModel.h>

#include <formsrt/RuntimeError.h>

#include <algorithm>

namespace formsrt {

namespace {

const int kDefaultRowHeight = 240;

bool validAlignment(int alignment) { return alignment >= 0 && alignment <= 9; }

} // namespace

FlexGridModel::FlexGridModel(int rows, int cols, int fixedRows, int fixedCols)
    : rows_(rows), cols_(cols), fixedRows_(fixedRows), fixedCols_(fixedCols), row_(fixedRows),
      col_(fixedCols), rowSel_(fixedRows), colSel_(fixedCols), topRow_(fixedRows), leftCol_(fixedCols) {
  cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
  rowHeights_.assign(static_cast<std::size_t>(rows), kDefaultRowHeight);
  columns_.assign(static_cast<std::size_t>(cols), Column{});
  clampPositions();
}

void FlexGridModel::notifyNow() {
  if (changed)
    changed();
}

void FlexGridModel::setRedraw(bool redraw) {
  redraw_ = redraw;
  if (redraw_ && changedUnseen_) {
    changedUnseen_ = false;
    notifyNow();
  }
}

void FlexGridModel::clampPositions() {
  int lastRow = std::max(Rows() - 1, 0);
  int lastCol = std::max(cols_ - 1, 0);
  row_ = std::clamp(row_, 0, lastRow);
  rowSel_ = std::clamp(rowSel_, 0, lastRow);
  col_ = std::clamp(col_, 0, lastCol);
  colSel_ = std::clamp(colSel_, 0, lastCol);
  int scrolling = Rows() - fixedRows_;
  int maxTop = std::max(fixedRows_, visibleRows_ > 0 ? Rows() - std::min(visibleRows_, scrolling) : lastRow);
  topRow_ = std::clamp(topRow_, fixedRows_, maxTop);
  leftCol_ = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, lastCol));
}

void FlexGridModel::setRows(int rows) {
  if (rows < fixedRows_ || rows < 0)
    raiseError(errInvalidPropertyValue);
  for (std::size_t i = static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols_); i < cells_.size();
       ++i)
    forgetText(cells_[i]);
  cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols_));
  rows_ = rows;
  rowHeights_.resize(static_cast<std::size_t>(rows), kDefaultRowHeight);
  clampPositions();
  notify();
}

void FlexGridModel::resetRows(int keep, int rows) {
  if (keep < fixedRows_ || keep < 0 || rows < fixedRows_ || rows < 0)
    raiseError(errInvalidPropertyValue);
  int kept = std::min(keep, rows_);
  std::fill(cells_.begin() + static_cast<std::ptrdiff_t>(kept) * cols_, cells_.end(), Cell{});
  compactTexts();
  std::fill(rowHeights_.begin() + kept, rowHeights_.end(), kDefaultRowHeight);
  rows_ = kept;
  clampPositions();
  setRows(rows);
}

void FlexGridModel::setCols(int cols) {
  if (cols < fixedCols_ || cols < 1)
    raiseError(errInvalidPropertyValue);
  std::vector<Cell> cells(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols));
  for (int row = 0; row < rows_; ++row) {
    for (int col = 0; col < cols_; ++col) {
      if (col < cols)
        cells[static_cast<std::size_t>(row * cols + col)] = cell(row, col);
      else
        forgetText(cell(row, col));
    }
  }
  cells_ = std::move(cells);
  cols_ = cols;
  columns_.resize(static_cast<std::size_t>(cols), Column{});
  clampPositions();
  notify();
}

void FlexGridModel::setFixedRows(int rows) {
  if (rows < 0 || rows > Rows())
    raiseError(errInvalidPropertyValue);
  fixedRows_ = rows;
  clampPositions();
  notify();
}

void FlexGridModel::setFixedCols(int cols) {
  if (cols < 0 || cols > cols_)
    raiseError(errInvalidPropertyValue);
  fixedCols_ = cols;
  clampPositions();
  notify();
}

void FlexGridModel::checkRow(int row) const {
  if (row < 0 || row >= Rows())
    raiseError(errInvalidRow);
}

void FlexGridModel::checkCol(int col) const {
  if (col < 0 || col >= cols_)
    raiseError(errInvalidCol);
}

void FlexGridModel::setRow(int row) {
  checkRow(row);
  row_ = rowSel_ = row;
  notify();
}

void FlexGridModel::setCol(int col) {
  checkCol(col);
  col_ = colSel_ = col;
  notify();
}

void FlexGridModel::setRowSel(int row) {
  checkRow(row);
  rowSel_ = row;
  notify();
}

void FlexGridModel::setColSel(int col) {
  checkCol(col);
  colSel_ = col;
  notify();
}

bool FlexGridModel::isSelected(int row, int col) const {
  return row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) && col >= std::min(col_, colSel_) &&
         col <= std::max(col_, colSel_);
}

void FlexGridModel::setTopRow(int row) {
  topRow_ = row;
  clampPositions();
  notify();
}

void FlexGridModel::setLeftCol(int col) {
  leftCol_ = col;
  clampPositions();
  notify();
}

void FlexGridModel::setVisibleRows(int rows) {
  visibleRows_ = std::max(rows, 0);
  clampPositions();
}

const FlexGridModel::Cell& FlexGridModel::cell(int row, int col) const {
  if (row < 0 || row >= Rows() || col < 0 || col >= cols_)
    raiseError(errSubscript);
  return cells_[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) +
                static_cast<std::size_t>(col)];
}

FlexGridModel::Cell& FlexGridModel::cell(int row, int col) {
  return const_cast<Cell&>(static_cast<const FlexGridModel*>(this)->cell(row, col));
}

std::string_view FlexGridModel::textView(int row, int col) const {
  const Cell& c = cell(row, col);
  return std::string_view(texts_).substr(c.textAt, c.textSize);
}

void FlexGridModel::forgetText(Cell& cell) {
  textsUnused_ += cell.textSize;
  cell.textAt = cell.textSize = 0;
}

// The text goes where the old one stood when it fits there, else at the end of the store.
void FlexGridModel::setCellText(Cell& cell, std::string_view text) {
  if (text.size() <= cell.textSize) {
    texts_.replace(cell.textAt, text.size(), text);
    textsUnused_ += cell.textSize - text.size();
    cell.textSize = static_cast<std::uint32_t>(text.size());
    return;
  }
  if (texts_.size() + text.size() > UINT32_MAX)
    raiseError(errOutOfMemory);
  forgetText(cell);
  cell.textAt = static_cast<std::uint32_t>(texts_.size());
  cell.textSize = static_cast<std::uint32_t>(text.size());
  texts_.append(text);
  if (textsUnused_ > texts_.size() / 2 && textsUnused_ > 4096)
    compactTexts();
}

// The store holds the cells' texts only, in cell order; its memory stays for the texts that follow.
void FlexGridModel::compactTexts() {
  std::string used;
  used.reserve(texts_.size() - textsUnused_);
  for (Cell& c : cells_) {
    if (c.textSize == 0)
      continue;
    std::uint32_t at = static_cast<std::uint32_t>(used.size());
    used.append(texts_, c.textAt, c.textSize);
    c.textAt = at;
  }
  texts_.assign(used);
  textsUnused_ = 0;
}

void FlexGridModel::setTextMatrix(int row, int col, std::string_view text) {
  setCellText(cell(row, col), text);
  notify();
}

void FlexGridModel::setRowCells(int row, std::initializer_list<std::string_view> texts, COLORREF back,
                                COLORREF fore) {
  checkRow(row);
  if (texts.size() > static_cast<std::size_t>(cols_))
    raiseError(errSubscript);
  Cell* c = &cell(row, 0);
  for (std::string_view text : texts)
    setCellText(*c++, text);
  for (Cell *end = &cell(row, 0) + cols_, *each = &cell(row, 0); each != end; ++each) {
    each->back = back;
    each->fore = fore;
  }
  notify();
}

std::string FlexGridModel::TextArray(int index) const {
  if (index < 0)
    raiseError(errSubscript);
  return TextMatrix(index / cols_, index % cols_);
}

void FlexGridModel::setTextArray(int index, const std::string& text) {
  if (index < 0)
    raiseError(errSubscript);
  setTextMatrix(index / cols_, index % cols_, text);
}

void FlexGridModel::setCellBackColor(COLORREF colour) {
  cell(row_, col_).back = colour;
  notify();
}

void FlexGridModel::setCellForeColor(COLORREF colour) {
  cell(row_, col_).fore = colour;
  notify();
}

void FlexGridModel::setCellColours(int row, int col, COLORREF back, COLORREF fore) {
  Cell& c = cell(row, col);
  c.back = back;
  c.fore = fore;
  notify();
}

void FlexGridModel::setCellAlignment(int alignment) {
  if (!validAlignment(alignment))
    raiseError(errInvalidPropertyValue);
  cell(row_, col_).alignment = alignment;
  notify();
}

int FlexGridModel::alignmentOf(int row, int col) const {
  const Cell& c = cell(row, col);
  if (c.alignment >= 0)
    return c.alignment;
  const Column& column = columns_[static_cast<std::size_t>(col)];
  bool fixed = row < fixedRows_ || col < fixedCols_;
  if (fixed && column.fixedAlignment >= 0)
    return column.fixedAlignment;
  return column.alignment;
}

int FlexGridModel::ColAlignment(int col) const {
  checkCol(col);
  return columns_[static_cast<std::size_t>(col)].alignment;
}

void FlexGridModel::setColAlignment(int col, int alignment) {
  checkCol(col);
  if (!validAlignment(alignment))
    raiseError(errInvalidPropertyValue);
  columns_[static_cast<std::size_t>(col)].alignment = alignment;
  notify();
}

int FlexGridModel::FixedAlignment(int col) const {
  checkCol(col);
  return columns_[static_cast<std::size_t>(col)].fixedAlignment;
}

void FlexGridModel::setFixedAlignment(int col, int alignment) {
  checkCol(col);
  if (!validAlignment(alignment))
    raiseError(errInvalidPropertyValue);
  columns_[static_cast<std::size_t>(col)].fixedAlignment = alignment;
  notify();
}

int FlexGridModel::ColWidth(int col) const {
  checkCol(col);
  return columns_[static_cast<std::size_t>(col)].width;
}

void FlexGridModel::setColWidth(int col, int twips) {
  checkCol(col);
  if (twips < 0)
    raiseError(errInvalidPropertyValue);
  columns_[static_cast<std::size_t>(col)].width = twips;
  notify();
}

int FlexGridModel::RowHeight(int row) const {
  checkRow(row);
  return rowHeights_[static_cast<std::size_t>(row)];
}

void FlexGridModel::setRowHeight(int row, int twips) {
  checkRow(row);
  if (twips < 0)
    raiseError(errInvalidPropertyValue);
  rowHeights_[static_cast<std::size_t>(row)] = twips;
  notify();
}

void FlexGridModel::AddItem(const std::string& item, int index) {
  if (index == -1)
    index = Rows();
  if (index < 0 || index > Rows())
    raiseError(errSubscript);
  auto first = cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(index) * cols_,
                             static_cast<std::size_t>(cols_), Cell{});
  std::size_t at = static_cast<std::size_t>(first - cells_.begin());
  std::size_t start = 0;
  for (int col = 0; col < cols_ && start <= item.size(); ++col) {
    std::size_t tab = item.find('\t', start);
    if (tab == std::string::npos)
      tab = item.size();
    setCellText(cells_[at + static_cast<std::size_t>(col)],
                std::string_view(item).substr(start, tab - start));
    start = tab + 1;
  }
  ++rows_;
  rowHeights_.insert(rowHeights_.begin() + index, kDefaultRowHeight);
  clampPositions();
  notify();
}

} // namespace formsrt
