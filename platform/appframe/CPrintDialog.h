#pragma once

#include <windows.h>

#include <commdlg.h>

class CWnd;

// The common print dialog and the printer it chose.
//
// The object owns what the dialog hands back: the device mode and device names blocks and the printer
// device context in m_pd, freed when the object goes or when they are replaced. Whoever takes the
// device context away (deletes it itself) clears m_pd.hDC.
class CPrintDialog {
public:
  explicit CPrintDialog(BOOL printSetupOnly,
                        DWORD flags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                      PD_NOSELECTION,
                        CWnd* parent = nullptr);
  virtual ~CPrintDialog();
  CPrintDialog(const CPrintDialog&) = delete;
  CPrintDialog& operator=(const CPrintDialog&) = delete;

  // Shows the dialog: IDOK or IDCANCEL.
  virtual INT_PTR DoModal();
  // The default printer's settings without showing anything; false when there is no printer.
  BOOL GetDefaults();
  // A device context for the chosen printer, kept in m_pd.hDC (a previous one is deleted); null when
  // no printer was chosen.
  HDC CreatePrinterDC();

  int GetCopies() const;
  BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
  BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
  int GetFromPage() const { return m_pd.nFromPage; }
  int GetToPage() const { return m_pd.nToPage; }

  PRINTDLGA m_pd{};

private:
  void FreeBlocks();
};
