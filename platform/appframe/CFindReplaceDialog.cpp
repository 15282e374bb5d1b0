#include <appframe/CFindReplaceDialog.h>

#include <appframe/MessageLoop.h>

CFindReplaceDialog::CFindReplaceDialog() {
  m_fr.lStructSize = sizeof m_fr;
  m_fr.lpstrFindWhat = findWhat_;
  m_fr.wFindWhatLen = sizeof findWhat_;
  m_fr.lCustData = reinterpret_cast<LPARAM>(this);
}

UINT CFindReplaceDialog::FindReplaceMessage() {
  static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
  return message;
}

bool CFindReplaceDialog::Create(bool findOnly, const char* findWhat, const char*, DWORD flags, CWnd* parent) {
  if (!findOnly || !parent || m_hWnd)
    return false;
  lstrcpynA(findWhat_, findWhat ? findWhat : "", sizeof findWhat_);
  m_fr.hwndOwner = parent->m_hWnd;
  m_fr.Flags = flags;
  HWND dialog = FindTextA(&m_fr);
  if (!dialog || !SubclassWindow(dialog))
    return false;
  registered_ = dialog;
  appframe::AddModeless(dialog);
  return true;
}

CFindReplaceDialog* CFindReplaceDialog::GetNotifier(LPARAM lParam) {
  auto* request = reinterpret_cast<FINDREPLACEA*>(lParam);
  return request ? reinterpret_cast<CFindReplaceDialog*>(request->lCustData) : nullptr;
}

void CFindReplaceDialog::PostNcDestroy() {
  appframe::RemoveModeless(registered_);
  delete this;
}
