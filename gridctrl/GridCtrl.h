#pragma once

#include <appframe/CFindReplaceDialog.h>
#include <appframe/CMenu.h>
#include <appframe/CWnd.h>
#include <appframe/Controls.h>
#include <gridctrl/GridCell.h>
#include <gridctrl/GridCellType.h>
#include <gridctrl/GridDefs.h>
#include <gridctrl/GridDims.h>
#include <gridctrl/GridListStore.h>
#include <gridctrl/GridPrinter.h>
#include <gridctrl/GridSelection.h>

#include <memory>
#include <vector>

class CGridBody;
class CGridColHeader;
class CGridRowHeader;
class CGridCorner;
class CGridVScrollBar;
class CGridHScrollBar;
class CGridTipWnd;

// A spreadsheet-like grid window: cells in rows and columns with column and row headers, a corner,
// two scroll bars and a tip window, all child windows it lays out. Applications shape it through its
// operations and specialise it by overriding its hooks (the Hooks section, kept apart from the
// internals its own child windows use).
//
// Operations answer a GridAnswer as int (GridDefs.h): kGridOk, kGridNoSuch for an argument out of range
// (or nothing there), kGridRefused when a hook refused and kGridUnknownKind for an unknown movement kind.
// Column -1 is the row-header column and row -1 the column-header row. Every change of the current cell, the
// top row or the left column ends in one commit, which keeps the current cell in view, runs the change hooks
// in a fixed order, follows the selection and updates the children.
class CGridCtrl : public CWnd {
public:
  CGridCtrl();
  ~CGridCtrl() override;

  // Window creation.
  bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);
  int SubclassDlgItem(UINT id, CWnd* parent);

  // Dimensions.
  int SetRowCount(int count) { return SetRowCountEx(count, TRUE); }
  int SetRowCountEx(int count, BOOL redraw);
  int GetRowCount() const { return m_dims.rowCount; }
  int SetColCount(int count) { return SetColCountEx(count, TRUE); }
  int SetColCountEx(int count, BOOL redraw);
  int GetColCount() const { return m_dims.colCount; }
  int SetColWidth(int col, int width);
  int GetColWidth(int col, int* width) const;
  int FitColWidths(int first, int last);
  int SetDefRowHeight(int height);
  int SetUniformRowHeight(int on);
  int SetRowHeight(int row, int height);
  int GetRowHeight(int row, int* height) const;
  int SetColHeaderHeight(int height);
  int GetColHeaderHeight() const { return m_dims.colHeaderHeight; }
  int SetRowHeaderWidth(int width);
  int GetRowHeaderWidth() const { return m_dims.rowHeaderWidth; }
  int SetVScrollWidth(int width);
  int SetHScrollHeight(int height);

  // Switches.
  int SetCurCellStyle(int style);
  int SetRowSelect(BOOL on);
  int EnableSelection(BOOL on);
  int SetRedraw(int on);
  int SetFont(HFONT font);
  HFONT GetGridFont() const { return m_hFont; }
  int SetSizing(int option);
  int EnablePopupMenu(BOOL on);
  CMenu* GetPopupMenu() { return &m_popupMenu; }
  // bar: SB_VERT or SB_HORZ; mode 0 normal, 1 the view follows the thumb, 2 three positions.
  int SetScrollMode(int bar, int mode);
  int SetScrollTip(int bar, BOOL on);

  // Cells.
  int GetCurCol() const { return m_dims.curCol; }
  int GetCurRow() const { return m_dims.curRow; }
  int GetTopRow() const { return m_dims.topRow; }
  int GetLeftCol() const { return m_dims.leftCol; }
  int RedrawAll();
  int RedrawCell(int col, int row);
  int ClearSelection();
  int SelectCell(int col, int row);
  int GetCell(int col, int row, CGridCell* cell);
  int GetMergedCell(int col, int row, CGridCell* cell);
  int SetCell(int col, int row, const CGridCell* cell);
  int SetDefaultCell(const CGridCell* cell);
  int JoinCells(int firstCol, int firstRow, int lastCol, int lastRow);
  int SetCellText(int col, int row, const char* text);
  int SetCellTextColor(int col, int row, COLORREF colour);
  int SetCellAlign(int col, int row, short bits);
  int DeleteRow(int row);

  // Movement and scrolling.
  int SetCurCell(int col, int row);
  // SetCurCell for a cell the user pointed at: a partly visible cell is not scrolled into view.
  int SetCurCellAtPointer(int col, int row);
  int SetCurRow(int row);
  int SetCurCol(int col);
  int SetTopRow(int row);
  int SetLeftCol(int col);
  int MoveRow(int kind);
  int MoveCol(int kind);
  int ScrollRows(int kind);
  int ScrollCols(int kind);
  int HitTest(int x, int y, int* col, int* row, CRect* rect) const;
  int GetCellRect(int col, int row, CRect* rect) const;
  int EditCurCell();
  int EditMoveOn(int colStep, int rowStep);
  // Ends an open in-place edit, committing it into the cell it was begun on. An edit remembers its
  // cell by place, so whatever moves rows or cells ends it first, while that place still holds its
  // record.
  void EndEdit();

  // Cell types, store and find.
  int RegisterCellType(CGridCellType* type);
  CGridCellType* GetCellType(int id) const;
  CGridStore* GetStore() { return m_pStore; }
  CGridSelection& GetSelection() { return m_selection; }
  int ShowFindDialog();
  int FindFirst(int col, const char* text, int* row);
  int FindNext(int col, const char* text, int* row);

  // Printing (GridPrinter.h): the dialog to print with (the caller keeps it) and a rectangle of cells;
  // options kColHeaders and kRowHeaders print the headers on every page.
  void SetPrintDialog(CPrintDialog* dialog) { m_printer.SetPrintDialog(dialog); }
  int Print(int options, int firstCol, int firstRow, int lastCol, int lastRow) {
    return m_printer.Print(options, firstCol, firstRow, lastCol, lastRow);
  }
  CGridPrinter& GetPrinter() { return m_printer; }

  // ---- Hooks ----
  // Override to specialise; applications never call them.
  virtual void OnGridCreated() {}
  virtual BOOL OnSelChanging(int /*curCol*/, int /*curRow*/, int /*newCol*/, int /*newRow*/) { return TRUE; }
  virtual BOOL OnScrollChanging(int /*leftCol*/, int /*topRow*/, int /*newLeftCol*/, int /*newTopRow*/) {
    return TRUE;
  }
  virtual void OnRowOverflow(int /*rowCount*/, int /*missing*/, int /*value*/) {}
  virtual void OnRowUnderflow(int /*rowCount*/, int /*target*/) {}
  virtual BOOL CanSizeCol(int /*col*/) { return TRUE; }
  virtual void OnColSizing(int /*col*/, int* /*width*/) {}
  virtual void OnColSized(int /*col*/, int* /*width*/) {}
  virtual BOOL CanSizeRow(int /*row*/) { return TRUE; }
  virtual void OnRowSizing(int /*row*/, int* /*height*/) {}
  virtual void OnRowSized(int /*row*/, int* /*height*/) {}
  virtual BOOL CanSizeColHeader() { return TRUE; }
  virtual BOOL CanSizeRowHeader() { return TRUE; }
  virtual void OnColChanged(int /*oldCol*/, int /*newCol*/) {}
  virtual void OnRowChanged(int /*oldRow*/, int /*newRow*/) {}
  virtual void OnSelChanged(int /*oldCol*/, int /*newCol*/, int /*oldRow*/, int /*newRow*/) {}
  virtual void OnLeftColChanged(int /*oldLeft*/, int /*newLeft*/) {}
  virtual void OnTopRowChanged(int /*oldTop*/, int /*newTop*/) {}
  virtual void OnLButtonCell(int /*col*/, int /*row*/, BOOL /*down*/, const CRect& /*rect*/, CPoint /*point*/,
                             int /*typeAnswer*/) {}
  virtual void OnRButtonCell(int /*col*/, int /*row*/, BOOL /*down*/, const CRect& /*rect*/, CPoint /*point*/,
                             int /*typeAnswer*/) {}
  virtual void OnDblClkCell(int /*col*/, int /*row*/, const CRect& /*rect*/, CPoint /*point*/,
                            int /*typeAnswer*/) {}
  virtual void OnColHeaderClick(int /*col*/, BOOL /*down*/) {}
  virtual void OnColHeaderRClick(int /*col*/, BOOL /*down*/) {}
  virtual void OnColHeaderDblClk(int /*col*/) {}
  virtual void OnRowHeaderClick(int /*row*/, BOOL /*down*/) {}
  virtual void OnRowHeaderRClick(int /*row*/, BOOL /*down*/) {}
  virtual void OnRowHeaderDblClk(int /*row*/) {}
  virtual void OnCornerClick(BOOL /*down*/) {}
  virtual void OnCornerRClick(BOOL /*down*/) {}
  virtual void OnCornerDblClk() {}
  virtual void OnKeyDownCell(UINT* /*key*/, int /*typeAnswer*/) {}
  virtual void OnCharCell(UINT* /*ch*/, int /*typeAnswer*/) {}
  virtual void OnCellRead(int /*col*/, int /*row*/, CGridCell* /*cell*/) {}
  virtual void OnSetCell(int /*col*/, int /*row*/, CGridCell* /*cell*/) {}
  virtual void OnCellNotify(int /*code*/, int /*col*/, int /*row*/, int /*value*/, CString* /*text*/) {}
  virtual BOOL OnBeginEdit(int /*col*/, int /*row*/, CEdit* /*editor*/) { return TRUE; }
  virtual BOOL OnEditChar(int /*col*/, int /*row*/, CEdit* /*editor*/, UINT* /*ch*/) { return TRUE; }
  virtual BOOL OnEndEdit(int /*col*/, int /*row*/, CEdit* /*editor*/) { return TRUE; }
  virtual BOOL OnEditMoveOn(int /*curCol*/, int /*curRow*/, int* /*nextCol*/, int* /*nextRow*/) {
    return TRUE;
  }
  virtual void OnMenuCommand(int /*col*/, int /*row*/, int /*area*/, UINT /*id*/) {}
  virtual int OnShowMenu(int /*col*/, int /*row*/, int /*area*/) { return TRUE; }
  virtual BOOL OnVScrolling(int /*row*/, int /*percent*/, CGridTipWnd* /*tip*/) { return TRUE; }
  virtual BOOL OnHScrolling(int /*col*/, int /*percent*/, CGridTipWnd* /*tip*/) { return TRUE; }
  virtual void OnPaintArea(CDC* /*dc*/, int /*area*/) {}
  virtual int CompareCells(const CGridCell& first, const CGridCell& second);
  virtual int OnPrepareEditor(int /*col*/, int /*row*/, CRect* /*rect*/, CGridCell* /*cell*/,
                              DWORD* /*style*/, int /*reserved*/) {
    return 0;
  }

  // ---- Internals ----
  // For the grid's own child windows, cell types and editors; applications neither call nor override
  // these.
  CGridDims& Dims() { return m_dims; }
  const CGridDims& Dims() const { return m_dims; }
  CGridBody* GetBody() { return m_body.get(); }
  CGridColHeader* GetColHeader() { return m_colHeader.get(); }
  CGridRowHeader* GetRowHeader() { return m_rowHeader.get(); }
  CGridCorner* GetCorner() { return m_corner.get(); }
  CGridVScrollBar* GetVScrollBar() { return m_vScroll.get(); }
  CGridHScrollBar* GetHScrollBar() { return m_hScroll.get(); }
  CGridTipWnd* GetTipWnd() { return m_tip.get(); }
  bool IsFindDialogOpen() const { return m_pFindDialog != nullptr; }
  const CGridCell& GetDefaultCell() const { return m_defaultCell; }
  const CGridCell& GetDefaultHeaderCell() const { return m_defaultHeaderCell; }
  // The colour of the body where no cell lies: the grid default cell's background, or the built-in one
  // when the default cell a program set leaves it unset.
  COLORREF GetFillColor() const;
  // Fills what a merged cell still leaves unset with the grid default's built-in values.
  static void ApplyBuiltInDefaults(CGridCell& cell);
  HPEN GetLightPen() const { return m_whitePen; }
  HPEN GetShadowPen() const { return m_shadowPen; }
  // The anchor and far corner of the joined block holding (col, row); false when it is in none.
  bool GetJoinedBlock(int col, int row, int* anchorCol, int* anchorRow, int* lastCol, int* lastRow);
  void Layout();
  void UpdateChildren();
  void Commit();
  // Scrolls so that the current cell is in view (without a commit).
  void KeepCurrentVisible();
  // Whether a column at or right of the left column shows whole, or at least half of it.
  bool MostlyShown(int col) const;
  // The check of a row target for the current row (or the top row): 1 when it is the present row or
  // lies outside the grid once the store and OnRowOverflow had their chance to add rows.
  int CheckRowTarget(int target, bool forTop);
  void ShowPopupMenu(int col, int row, int area, CPoint screenPoint);
  int MenuCol() const { return m_menuCol; }
  int MenuRow() const { return m_menuRow; }
  // The type of the current cell as it is now (read afresh: the program may have set the cell since
  // the current cell last moved, or it may never have moved).
  CGridCellType* CurrentCellType();

protected:
  bool PreCreateWindow(CREATESTRUCTA& cs) override;
  int OnCreate(CREATESTRUCTA* cs);
  void OnSize(UINT type, int cx, int cy);
  void OnSetFocus(HWND old);
  void OnPaint();
  void OnPrintClient(HDC dc, UINT flags);
  void OnVScroll(UINT code, UINT pos, HWND bar);
  void OnHScroll(UINT code, UINT pos, HWND bar);
  void OnDestroy();
  LRESULT OnFindReplace(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

private:
  void CreateChildren();
  void PaintBackground(HDC dc);
  // The body's size with or without each bar, and the last left column and top row it gives.
  void SizeBody(const CRect& client, bool hBar, bool vBar);
  void RecomputeLastLeftCol();
  void RecomputeLastTopRow();
  // Sets a measure of the layout (a default height, a header's or a bar's size) and lays the grid out
  // again; a negative size is refused.
  int SetLayoutSize(int& measure, int size);
  int PageBackRow(int from) const;
  int PageOnRow(int from) const;
  int LastFullyShownRow() const;
  // Distance of a row (column) at or after the top row (left column) from the body's edge, counted no
  // further than the body reaches.
  int RowTop(int row) const;
  int ColLeft(int col) const;
  void SetCurrent(int col, int row);
  // Moves the current cell to (col, row) once OnSelChanging allows it, and commits the move.
  int MoveCurrent(int col, int row);
  void FollowSelection();
  // The anchor of the block holding (col, row), or the cell itself.
  void ResolveAnchor(int* col, int* row);
  int RowCheck(int target) { return CheckRowTarget(target, false); }

  CGridDims m_dims;
  HFONT m_hFont = nullptr;
  CGridCell m_defaultCell;
  std::vector<CGridCell> m_colDefaults;
  CGridCell m_defaultHeaderCell;
  std::vector<CGridCell> m_colHeaders;
  CGridCell m_cornerCell;
  CGridCell m_currentCopy;
  CGridCell m_currentProbe;
  CGridCell m_scratch;
  std::vector<std::unique_ptr<CGridCellType>> m_cellTypes;
  CGridListStore m_listStore;
  CGridStore* m_pStore;
  CGridSelection m_selection;
  CMenu m_popupMenu;
  CPen m_whitePen;
  CPen m_shadowPen;
  CGridPrinter m_printer{this};
  CFindReplaceDialog* m_pFindDialog = nullptr;
  bool m_findOpening = false;
  bool m_newSearch = true;
  bool m_pointed = false;
  int m_menuCol = -1;
  int m_menuRow = -1;

  std::unique_ptr<CGridBody> m_body;
  std::unique_ptr<CGridColHeader> m_colHeader;
  std::unique_ptr<CGridRowHeader> m_rowHeader;
  std::unique_ptr<CGridCorner> m_corner;
  std::unique_ptr<CGridVScrollBar> m_vScroll;
  std::unique_ptr<CGridHScrollBar> m_hScroll;
  std::unique_ptr<CGridTipWnd> m_tip;
};
