#include <wincore/Mnemonics.h>

#include <wincore/WindowText.h>

#include <cctype>
#include <string>

namespace wincore {

namespace {

struct Search {
  char key;
  HWND found;
};

char lower(char ch) { return static_cast<char>(std::tolower(static_cast<unsigned char>(ch))); }

bool isButton(HWND control) {
  LRESULT code = SendMessageA(control, WM_GETDLGCODE, 0, 0);
  return (code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

BOOL CALLBACK findControl(HWND control, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  if (!IsWindowVisible(control) || !IsWindowEnabled(control))
    return TRUE;
  if (mnemonicOf(windowText(control).c_str()) != search->key)
    return TRUE;
  search->found = control;
  return FALSE;
}

} // namespace

char mnemonicOf(const char* caption) {
  for (const char* p = caption; *p; ++p) {
    if (*p != '&')
      continue;
    if (p[1] != '&')
      return lower(p[1]);
    ++p;
  }
  return 0;
}

bool isMnemonicKey(const MSG& message) {
  if (message.message == WM_SYSCHAR)
    return true;
  if (message.message != WM_CHAR || message.wParam <= ' ')
    return false;
  return message.hwnd && isButton(message.hwnd);
}

bool pressMnemonic(HWND root, char key) {
  Search search{lower(key), nullptr};
  if (!root || !search.key)
    return false;
  EnumChildWindows(root, findControl, reinterpret_cast<LPARAM>(&search));
  if (!search.found)
    return false;
  if (isButton(search.found)) {
    SendMessageA(search.found, BM_CLICK, 0, 0);
    return true;
  }
  if (HWND next = GetNextDlgTabItem(root, search.found, FALSE))
    SetFocus(next);
  return true;
}

} // namespace wincore
