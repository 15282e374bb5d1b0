#include <gridctrl/GridPrintTarget.h>

namespace {

// Sets the copies of a device mode block and answers what they were.
short SetCopies(HGLOBAL devMode, short copies) {
  auto* mode = devMode ? static_cast<DEVMODEA*>(GlobalLock(devMode)) : nullptr;
  if (!mode)
    return copies;
  const short before = mode->dmCopies;
  mode->dmCopies = copies;
  GlobalUnlock(devMode);
  return before;
}

} // namespace

HDC CGridDevicePrinter::CreatePrinterDC(CPrintDialog& dialog) {
  if (!dialog.m_pd.hDevNames)
    return dialog.m_pd.hDC;
  // The context prints each page once; the dialog keeps the copies the user chose, for this job's
  // count and for the dialog shown next time.
  const short chosen = SetCopies(dialog.m_pd.hDevMode, 1);
  HDC printer = dialog.CreatePrinterDC();
  SetCopies(dialog.m_pd.hDevMode, chosen);
  return printer;
}

bool CGridDevicePrinter::StartDoc(HDC printer, const char* name) {
  DOCINFOA info{};
  info.cbSize = sizeof info;
  info.lpszDocName = name;
  return ::StartDocA(printer, &info) > 0;
}

HDC CGridDevicePrinter::StartPage(HDC printer) { return ::StartPage(printer) > 0 ? printer : nullptr; }

bool CGridDevicePrinter::EndPage(HDC printer) { return ::EndPage(printer) > 0; }

bool CGridDevicePrinter::EndDoc(HDC printer) { return ::EndDoc(printer) > 0; }

void CGridDevicePrinter::AbortDoc(HDC printer) { ::AbortDoc(printer); }

CGridMetafilePages::~CGridMetafilePages() {
  if (m_page)
    DeleteEnhMetaFile(CloseEnhMetaFile(m_page));
  for (HENHMETAFILE page : m_pages)
    DeleteEnhMetaFile(page);
}

HDC CGridMetafilePages::CreatePrinterDC(CPrintDialog& dialog) {
  if (m_bNoPrinter)
    return nullptr;
  if (dialog.m_pd.hDC)
    DeleteDC(dialog.m_pd.hDC);
  dialog.m_pd.hDC = CreateCompatibleDC(nullptr);
  return dialog.m_pd.hDC;
}

bool CGridMetafilePages::StartDoc(HDC, const char*) {
  if (m_bFailStart)
    return false;
  ++m_nDocsStarted;
  return true;
}

HDC CGridMetafilePages::StartPage(HDC printer) {
  m_page = CreateEnhMetaFileA(printer, nullptr, nullptr, nullptr);
  return m_page;
}

bool CGridMetafilePages::EndPage(HDC) {
  m_pages.push_back(CloseEnhMetaFile(m_page));
  m_page = nullptr;
  return true;
}

bool CGridMetafilePages::EndDoc(HDC) {
  if (m_bFailEnd)
    return false;
  ++m_nDocsEnded;
  return true;
}

void CGridMetafilePages::AbortDoc(HDC) {
  if (m_page)
    DeleteEnhMetaFile(CloseEnhMetaFile(m_page));
  m_page = nullptr;
  ++m_nDocsAborted;
}

int CGridMetafilePages::PageCaps(HDC printer, int index) {
  const int indexes[4] = {HORZRES, VERTRES, HORZSIZE, VERTSIZE};
  for (int i = 0; i < 4; ++i)
    if (indexes[i] == index && m_caps[i] > 0)
      return m_caps[i];
  return GetDeviceCaps(printer, index);
}

void CGridMetafilePages::SetPage(int width, int height, int widthMm, int heightMm) {
  m_caps[0] = width;
  m_caps[1] = height;
  m_caps[2] = widthMm;
  m_caps[3] = heightMm;
}
