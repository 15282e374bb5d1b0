#include <appframe/CPrintDialog.h>

#include <appframe/CWnd.h>

CPrintDialog::CPrintDialog(BOOL printSetupOnly, DWORD flags, CWnd* parent) {
  m_pd.lStructSize = sizeof m_pd;
  m_pd.Flags = flags | (printSetupOnly ? PD_PRINTSETUP : 0);
  m_pd.hwndOwner = parent ? parent->m_hWnd : nullptr;
  m_pd.nCopies = 1;
  m_pd.nFromPage = m_pd.nMinPage = 1;
  m_pd.nToPage = m_pd.nMaxPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog() {
  if (m_pd.hDC)
    DeleteDC(m_pd.hDC);
  FreeBlocks();
}

void CPrintDialog::FreeBlocks() {
  if (m_pd.hDevMode)
    GlobalFree(m_pd.hDevMode);
  if (m_pd.hDevNames)
    GlobalFree(m_pd.hDevNames);
  m_pd.hDevMode = m_pd.hDevNames = nullptr;
}

INT_PTR CPrintDialog::DoModal() { return PrintDlgA(&m_pd) ? IDOK : IDCANCEL; }

BOOL CPrintDialog::GetDefaults() {
  PRINTDLGA query = m_pd;
  query.Flags = PD_RETURNDEFAULT;
  query.hDevMode = query.hDevNames = nullptr;
  query.hDC = nullptr;
  if (!PrintDlgA(&query))
    return FALSE;
  FreeBlocks();
  m_pd.hDevMode = query.hDevMode;
  m_pd.hDevNames = query.hDevNames;
  return TRUE;
}

HDC CPrintDialog::CreatePrinterDC() {
  if (!m_pd.hDevNames)
    return nullptr;
  auto* names = static_cast<DEVNAMES*>(GlobalLock(m_pd.hDevNames));
  auto* mode = m_pd.hDevMode ? static_cast<DEVMODEA*>(GlobalLock(m_pd.hDevMode)) : nullptr;
  const char* base = reinterpret_cast<const char*>(names);
  HDC dc =
      CreateDCA(base + names->wDriverOffset, base + names->wDeviceOffset, base + names->wOutputOffset, mode);
  if (mode)
    GlobalUnlock(m_pd.hDevMode);
  GlobalUnlock(m_pd.hDevNames);
  if (m_pd.hDC)
    DeleteDC(m_pd.hDC);
  m_pd.hDC = dc;
  return dc;
}

int CPrintDialog::GetCopies() const {
  if (!(m_pd.Flags & PD_USEDEVMODECOPIES) || !m_pd.hDevMode)
    return m_pd.nCopies;
  auto* mode = static_cast<const DEVMODEA*>(GlobalLock(m_pd.hDevMode));
  const int copies = mode ? mode->dmCopies : m_pd.nCopies;
  GlobalUnlock(m_pd.hDevMode);
  return copies;
}
