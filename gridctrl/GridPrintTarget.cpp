#include "GridPrintTarget.h"

HDC CGridDevicePrinter::CreatePrinterDC(CPrintDialog& dialog) {
  if (dialog.m_pd.hDevMode) {
    auto* mode = static_cast<DEVMODEA*>(GlobalLock(dialog.m_pd.hDevMode));
    if (mode) {
      mode->dmCopies = 1;
      GlobalUnlock(dialog.m_pd.hDevMode);
    }
  }
  if (dialog.m_pd.hDevNames)
    return dialog.CreatePrinterDC();
  return dialog.m_pd.hDC;
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
