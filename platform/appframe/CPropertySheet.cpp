#include <appframe/CPropertySheet.h>

#include <appframe/CWinApp.h>

INT_PTR CPropertySheet::DoModal() {
  std::vector<PROPSHEETPAGEA> pages;
  for (CPropertyPage* page : pages_)
    pages.push_back(page->Describe());
  PROPSHEETHEADERA header{};
  header.dwSize = sizeof header;
  header.dwFlags = PSH_PROPSHEETPAGE | PSH_HASHELP | PSH_NOAPPLYNOW;
  CWnd* owner = parent_ ? parent_ : AfxGetMainWnd();
  header.hwndParent = owner ? owner->m_hWnd : nullptr;
  header.hInstance = GetModuleHandleA(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.ppsp = pages.data();
  INT_PTR result = PropertySheetA(&header);
  return result > 0 ? IDOK : IDCANCEL;
}
