#include <gridctrl/GridPrinter.h>

#include <gridctrl/GridCellFrame.h>
#include <gridctrl/GridCtrl.h>

#include <algorithm>
#include <cmath>

namespace {

const char kDocumentName[] = "PrtWnd";

// Collation as the dialog keeps it: with the device mode's copies the dialog puts the user's choice in
// the device mode too, else in its flags.
bool Collates(const CPrintDialog& dialog) {
  if (dialog.PrintCollate())
    return true;
  if (!(dialog.m_pd.Flags & PD_USEDEVMODECOPIES) || !dialog.m_pd.hDevMode)
    return false;
  const auto* mode = static_cast<const DEVMODEA*>(GlobalLock(dialog.m_pd.hDevMode));
  const bool collate = mode && (mode->dmFields & DM_COLLATE) && mode->dmCollate == DMCOLLATE_TRUE;
  GlobalUnlock(dialog.m_pd.hDevMode);
  return collate;
}

} // namespace

struct CGridPrinter::Job {
  HDC printer;
  int options;
  double scaleX; // printer pixels per screen pixel
  double scaleY;
  int originX; // the margins in printer pixels
  int originY;
  int limitX; // where the right and bottom margins begin, in printer pixels
  int limitY;
  // Printer pixels from the origin for a distance in screen pixels. Every position is scaled from its
  // whole distance, so that rounding never adds up along a page.
  int PaperX(int screen) const { return originX + static_cast<int>(std::lround(screen * scaleX)); }
  int PaperY(int screen) const { return originY + static_cast<int>(std::lround(screen * scaleY)); }
};

CGridPrinter::CGridPrinter(CGridCtrl* grid) : m_pGrid(grid) {}

CGridPrinter::~CGridPrinter() = default;

std::vector<CGridPrinter::Band> CGridPrinter::Bands(const std::function<int(int)>& size, int first, int last,
                                                    int printable) {
  std::vector<Band> bands;
  int start = first;
  int sum = 0;
  for (int i = first; i <= last; ++i) {
    const int extent = std::max(0, size(i));
    if (sum + extent > printable && sum > 0) {
      bands.push_back({start, i - 1});
      start = i;
      sum = 0;
    }
    sum += extent;
    if (extent >= printable && sum == extent && extent > 0) {
      bands.push_back({start, i}); // too wide for any company: a band of its own, cut at the edge
      start = i + 1;
      sum = 0;
    }
  }
  if (start <= last) {
    if (sum == 0 && !bands.empty())
      bands.back().last = last; // only empty ones left: no page of their own
    else
      bands.push_back({start, last});
  }
  return bands;
}

std::vector<CGridPrinter::Page> CGridPrinter::Paginate(const std::vector<Band>& cols,
                                                       const std::vector<Band>& rows) {
  std::vector<Page> pages;
  for (const Band& rowBand : rows)
    for (const Band& colBand : cols)
      pages.push_back({colBand, rowBand});
  return pages;
}

void CGridPrinter::ReleasePrinterDC(CPrintDialog& dialog) {
  if (dialog.m_pd.hDC)
    DeleteDC(dialog.m_pd.hDC);
  dialog.m_pd.hDC = nullptr;
}

int CGridPrinter::Fail(CPrintDialog& dialog, const char* message) {
  ReleasePrinterDC(dialog);
  MessageBoxA(nullptr, message, "Error", MB_OK);
  return 1;
}

int CGridPrinter::Print(int options, int firstCol, int firstRow, int lastCol, int lastRow) {
  const CGridDims& d = m_pGrid->Dims();
  if (d.rowCount == 0 || d.colCount == 0)
    return 0;
  if (firstCol < 0 || lastCol < firstCol || lastCol >= d.colCount || firstRow < 0 || lastRow < firstRow ||
      lastRow >= d.rowCount)
    return 1;
  if (!m_pCallerDialog && !m_ownDialog) {
    m_ownDialog = std::make_unique<CPrintDialog>(FALSE);
    m_ownDialog->GetDefaults();
  }
  CPrintDialog& dialog = m_pCallerDialog ? *m_pCallerDialog : *m_ownDialog;
  if (!m_target)
    m_target = std::make_unique<CGridDevicePrinter>();
  const int copies = std::max(1, dialog.GetCopies());
  const bool collate = Collates(dialog);
  const bool range = dialog.PrintRange() != FALSE;
  const int fromPage = dialog.GetFromPage(), toPage = dialog.GetToPage();

  Job job{};
  job.printer = m_target->CreatePrinterDC(dialog);
  job.options = options;
  if (!job.printer)
    return Fail(dialog, "Print Error");
  HDC screen = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
  const int screenX = GetDeviceCaps(screen, HORZRES), screenXmm = GetDeviceCaps(screen, HORZSIZE);
  const int screenY = GetDeviceCaps(screen, VERTRES), screenYmm = GetDeviceCaps(screen, VERTSIZE);
  DeleteDC(screen);
  const int paperX = m_target->PageCaps(job.printer, HORZRES);
  const int paperXmm = m_target->PageCaps(job.printer, HORZSIZE);
  const int paperY = m_target->PageCaps(job.printer, VERTRES);
  const int paperYmm = m_target->PageCaps(job.printer, VERTSIZE);
  const int widthMm = paperXmm - m_nLeftMargin - m_nRightMargin;
  const int heightMm = paperYmm - m_nTopMargin - m_nBottomMargin;
  if (screenXmm <= 0 || screenYmm <= 0 || paperXmm <= 0 || paperYmm <= 0 || widthMm <= 0 || heightMm <= 0)
    return Fail(dialog, "Print Error");
  const int printableX =
      MulDiv(widthMm, screenX, screenXmm) - ((options & kRowHeaders) ? d.rowHeaderWidth : 0);
  const int printableY =
      MulDiv(heightMm, screenY, screenYmm) - ((options & kColHeaders) ? d.colHeaderHeight : 0);
  if (printableX <= 0 || printableY <= 0)
    return Fail(dialog, "Print Error");
  job.scaleX = (static_cast<double>(paperX) / paperXmm) / (static_cast<double>(screenX) / screenXmm);
  job.scaleY = (static_cast<double>(paperY) / paperYmm) / (static_cast<double>(screenY) / screenYmm);
  job.originX = MulDiv(m_nLeftMargin, paperX, paperXmm);
  job.originY = MulDiv(m_nTopMargin, paperY, paperYmm);
  job.limitX = paperX - MulDiv(m_nRightMargin, paperX, paperXmm);
  job.limitY = paperY - MulDiv(m_nBottomMargin, paperY, paperYmm);

  const auto colBands = Bands([&](int c) { return d.ColWidth(c); }, firstCol, lastCol, printableX);
  const auto rowBands = Bands([&](int r) { return d.RowHeight(r); }, firstRow, lastRow, printableY);
  const auto pages = Paginate(colBands, rowBands);
  const int count = static_cast<int>(pages.size());
  const int first = range ? std::max(1, fromPage) : 1;
  const int last = range ? std::min(toPage, count) : count;

  if (!m_target->StartDoc(job.printer, kDocumentName))
    return Fail(dialog, "Print Error");
  bool printed = true;
  const int outer = collate ? copies : 1, inner = collate ? 1 : copies;
  for (int round = 0; round < outer && printed; ++round)
    for (int k = first; k <= last && printed; ++k)
      for (int copy = 0; copy < inner && printed; ++copy)
        printed = PrintPage(job, pages[static_cast<size_t>(k - 1)]);
  if (!printed) {
    m_target->AbortDoc(job.printer);
    return Fail(dialog, "Print Error2");
  }
  if (!m_target->EndDoc(job.printer))
    return Fail(dialog, "Print Error2");
  ReleasePrinterDC(dialog);
  return 0;
}

bool CGridPrinter::PrintPage(const Job& job, const Page& page) {
  HDC pageDc = m_target->StartPage(job.printer);
  if (!pageDc)
    return false;
  const CGridDims& d = m_pGrid->Dims();
  // The rows and columns of the page, headers first when asked; empty ones take no room.
  std::vector<int> rows, cols;
  if (job.options & kColHeaders)
    rows.push_back(-1);
  for (int r = page.rows.first; r <= page.rows.last; ++r)
    rows.push_back(r);
  if (job.options & kRowHeaders)
    cols.push_back(-1);
  for (int c = page.cols.first; c <= page.cols.last; ++c)
    cols.push_back(c);
  auto height = [&](int r) { return r < 0 ? d.colHeaderHeight : d.RowHeight(r); };
  auto width = [&](int c) { return c < 0 ? d.rowHeaderWidth : d.ColWidth(c); };

  CDC dc;
  dc.Attach(pageDc);
  const int saved = dc.SaveDC();
  // Nothing reaches into the margins: a column wider than the page is cut where the right one begins.
  IntersectClipRect(dc, job.originX, job.originY, job.limitX, job.limitY);
  int y = 0; // screen pixels from the page's top and left
  int x = 0;
  for (int r : rows) {
    const int h = height(r);
    if (h <= 0)
      continue;
    x = 0;
    for (int c : cols) {
      const int w = width(c);
      if (w <= 0)
        continue;
      int sw = w, sh = h;
      int ac, ar, lc, lr;
      const bool joined = c >= 0 && r >= 0 && m_pGrid->GetJoinedBlock(c, r, &ac, &ar, &lc, &lr);
      if (joined && (ac != c || ar != r)) {
        x += w;
        continue; // printed with its anchor
      }
      if (joined) {
        sw = sh = 0;
        for (int i = ac; i <= lc; ++i)
          sw += d.ColWidth(i);
        for (int i = ar; i <= lr; ++i)
          sh += d.RowHeight(i);
      }
      const CRect rect(job.PaperX(x), job.PaperY(y), job.PaperX(x + sw), job.PaperY(y + sh));
      PrintCell(&dc, c, r, rect, sw, sh);
      x += w;
    }
    y += h;
  }
  dc.RestoreDC(saved);
  if (m_bOuterBorder) {
    const int right = std::min(job.PaperX(x), job.limitX), bottom = std::min(job.PaperY(y), job.limitY);
    HGDIOBJ old = dc.SelectObject(GetStockObject(BLACK_PEN));
    dc.MoveTo(job.originX, job.originY);
    dc.LineTo(right, job.originY);
    dc.LineTo(right, bottom);
    dc.LineTo(job.originX, bottom);
    dc.LineTo(job.originX, job.originY);
    dc.SelectObject(old);
  }
  dc.Detach();
  return m_target->EndPage(job.printer);
}

void CGridPrinter::PrintCell(CDC* dc, int col, int row, const CRect& rect, int screenWidth,
                             int screenHeight) {
  m_pGrid->GetMergedCell(col, row, &m_cell);
  CGridCtrl::ApplyBuiltInDefaults(m_cell);
  if (m_cell.m_nFrameStyle == kFrameRaised || m_cell.m_nFrameStyle == kFramePressed)
    m_cell.m_nFrameStyle = kFrameBox; // 3-D edges print as plain lines
  const CGridFramePens pens{m_pGrid->GetLightPen(), m_pGrid->GetShadowPen()};
  const int inset = m_pGrid->Dims().frameInset;
  const CRect inner = DrawGridFrame(dc, rect, m_cell, pens, inset);
  m_pGrid->GetCellType(m_cell.m_nCellType)->DrawScaled(dc, inner, m_cell, screenWidth, screenHeight);
  DrawGridFrame(dc, rect, m_cell, pens, inset);
}
