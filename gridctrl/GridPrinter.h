#pragma once

#include <appframe/CDC.h>
#include <appframe/CPrintDialog.h>
#include <gridctrl/GridCell.h>
#include <gridctrl/GridPrintTarget.h>

#include <functional>
#include <memory>
#include <vector>

class CGridCtrl;

// Prints a rectangle of a grid's cells at the size they have on the screen, split into pages.
//
// How this works: the printable part of the paper (less the margins, in millimetres) is turned into
// screen pixels, less the headers printed on every page. The columns are cut into bands that fit that
// width (a column wider than it gets a band of its own and is cut at the paper's edge), the rows
// likewise; pages run across the column bands first, then down the row bands. Each page is drawn at
// printer pixels per millimetre over screen pixels per millimetre, so what measures 10 mm on the
// screen measures 10 mm on paper. Copies are made here, the driver printing each page once.
class CGridPrinter {
public:
  enum Options { kColHeaders = 1, kRowHeaders = 2 };
  // A run of columns (or rows), first to last.
  struct Band {
    int first;
    int last;
    bool operator==(const Band& other) const { return first == other.first && last == other.last; }
  };
  struct Page {
    Band cols;
    Band rows;
  };

  explicit CGridPrinter(CGridCtrl* grid);
  ~CGridPrinter();
  CGridPrinter(const CGridPrinter&) = delete;
  CGridPrinter& operator=(const CGridPrinter&) = delete;

  // The dialog to take the printer and its settings from; the caller keeps it.
  void SetPrintDialog(CPrintDialog* dialog) { m_pCallerDialog = dialog; }
  // Where jobs go; the device printer unless set.
  void SetTarget(std::unique_ptr<CGridPrintTarget> target) { m_target = std::move(target); }
  // 0 when printed (or nothing to print), 1 for a range outside the grid or after an error message.
  int Print(int options, int firstCol, int firstRow, int lastCol, int lastRow);

  // Cuts first..last into bands whose sizes add up to no more than `printable`.
  static std::vector<Band> Bands(const std::function<int(int)>& size, int first, int last, int printable);
  // The pages, across the column bands first.
  static std::vector<Page> Paginate(const std::vector<Band>& cols, const std::vector<Band>& rows);

  int m_nLeftMargin = 25; // millimetres
  int m_nTopMargin = 25;
  int m_nRightMargin = 25;
  int m_nBottomMargin = 25;
  BOOL m_bOuterBorder = TRUE;

private:
  struct Job;
  int Fail(CPrintDialog& dialog, const char* message);
  void ReleasePrinterDC(CPrintDialog& dialog);
  bool PrintPage(const Job& job, const Page& page);
  void PrintCell(CDC* dc, int col, int row, const CRect& rect, int screenWidth, int screenHeight);

  CGridCtrl* m_pGrid;
  CPrintDialog* m_pCallerDialog = nullptr;
  std::unique_ptr<CPrintDialog> m_ownDialog;
  std::unique_ptr<CGridPrintTarget> m_target;
  CGridCell m_cell;
};
