#pragma once

#include <appframe/CPrintDialog.h>

#include <vector>

// Where a grid print job goes. A target makes the printer's device context for a print dialog (kept in
// the dialog's m_pd.hDC, as the dialog's own CreatePrinterDC does; the printer deletes it when the job
// is over) and makes the document and page calls for it.
class CGridPrintTarget {
public:
  virtual ~CGridPrintTarget() = default;
  // The printer's device context, or null when there is no printer.
  virtual HDC CreatePrinterDC(CPrintDialog& dialog) = 0;
  virtual bool StartDoc(HDC printer, const char* name) = 0;
  // The context to draw the next page on, or null when the page cannot start.
  virtual HDC StartPage(HDC printer) = 0;
  virtual bool EndPage(HDC printer) = 0;
  virtual bool EndDoc(HDC printer) = 0;
  virtual void AbortDoc(HDC printer) = 0;
  // The printer's measure (HORZRES, VERTRES, HORZSIZE, VERTSIZE), its device's by default.
  virtual int PageCaps(HDC printer, int index) { return GetDeviceCaps(printer, index); }
};

// The printer the dialog chose. The driver prints every page once: copies are made by the job.
class CGridDevicePrinter : public CGridPrintTarget {
public:
  HDC CreatePrinterDC(CPrintDialog& dialog) override;
  bool StartDoc(HDC printer, const char* name) override;
  HDC StartPage(HDC printer) override;
  bool EndPage(HDC printer) override;
  bool EndDoc(HDC printer) override;
  void AbortDoc(HDC printer) override;
};

// Every page as an enhanced metafile: a preview, and what tests read back. The page is measured like
// the screen unless SetPage gives it a measure of its own (a printer's resolution). A missing printer, a
// document that cannot start and one that cannot end are had on demand.
class CGridMetafilePages : public CGridPrintTarget {
public:
  ~CGridMetafilePages() override;
  HDC CreatePrinterDC(CPrintDialog& dialog) override;
  bool StartDoc(HDC printer, const char* name) override;
  HDC StartPage(HDC printer) override;
  bool EndPage(HDC printer) override;
  bool EndDoc(HDC printer) override;
  void AbortDoc(HDC printer) override;
  int PageCaps(HDC printer, int index) override;
  // The page's size in its pixels and in millimetres.
  void SetPage(int width, int height, int widthMm, int heightMm);

  bool m_bNoPrinter = false;
  bool m_bFailStart = false;
  bool m_bFailEnd = false;
  std::vector<HENHMETAFILE> m_pages;
  int m_nDocsStarted = 0;
  int m_nDocsEnded = 0;
  int m_nDocsAborted = 0;

private:
  HDC m_page = nullptr;
  int m_caps[4] = {}; // HORZRES, VERTRES, HORZSIZE, VERTSIZE; 0: the reference device's
};
