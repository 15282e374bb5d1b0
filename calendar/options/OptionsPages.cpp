#include <calendar/options/OptionsPages.h>

#include <calendar/frame/Sound.h>

#include <appframe/CFileDialog.h>

#include <commctrl.h>

namespace optionspages {

void TestSound(CDialog& page, int editId) {
  if (!TryPlay(page.GetDlgItemText(editId).str()))
    MessageBoxA(page.m_hWnd, "Error Playing Sound file.\nSystem beep will be used.", "Error",
                MB_OK | MB_ICONWARNING);
}

void BrowseSound(CDialog& page, int editId, const char* title) {
  CFileDialog dialog(true, "wav", nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR,
                     "Wave Files (*.wav)|*.wav|All Files (*.*)|*.*||", &page);
  dialog.m_ofn.lpstrTitle = title;
  if (dialog.DoModal() == IDOK)
    page.SetDlgItemText(editId, dialog.GetPathName().c_str());
}

void ShowTimeFormat(CDialog& page, bool with24Hour, int spinId, int amId, int pmId, int label24Id) {
  ::SendMessageA(page.GetDlgItem(spinId), UDM_SETRANGE32, with24Hour ? 0 : 1, with24Hour ? 23 : 12);
  for (int id : {amId, pmId})
    ::ShowWindow(page.GetDlgItem(id), with24Hour ? SW_HIDE : SW_SHOW);
  if (label24Id)
    ::ShowWindow(page.GetDlgItem(label24Id), with24Hour ? SW_SHOW : SW_HIDE);
}

} // namespace optionspages
