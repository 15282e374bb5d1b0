#pragma once

#include <appframe/MessageMap.h>

#include <windows.h>

class CStatusBar;

// One command's state, asked for when its menu opens (or when a bar refreshes a pane): the handler
// enables, checks or renames the item through it. The state is computed from the live program each
// time; nothing is cached.
class CCmdUI {
public:
  // A menu item, by position.
  CCmdUI(UINT id, HMENU menu, UINT index) : m_nID(id), m_pMenu(menu), m_nIndex(index) {}
  // A status bar pane, by position.
  CCmdUI(UINT id, CStatusBar* bar, UINT index) : m_nID(id), m_nIndex(index), m_pStatusBar(bar) {}

  void Enable(bool on = true);
  void SetCheck(int check = 1);
  // A check mark drawn as a bullet.
  void SetRadio(bool on = true);
  void SetText(const char* text);

  UINT m_nID;
  HMENU m_pMenu = nullptr;
  UINT m_nIndex;
  CStatusBar* m_pStatusBar = nullptr;
  bool m_handled = false; // a handler answered
};

namespace appframe {

template <class T, auto F> LRESULT CallUpdateUi(CWnd* w, WPARAM, LPARAM lParam) {
  auto* ui = reinterpret_cast<CCmdUI*>(lParam);
  ui->m_handled = true;
  (static_cast<T*>(w)->*F)(ui);
  return 0;
}

} // namespace appframe

// void handler(CCmdUI*)
#define ON_UPDATE_COMMAND_UI(id, handler)                                                                    \
  {WM_COMMAND, 0xFFFF, id, id, nullptr, &appframe::CallUpdateUi<ThisClass, &ThisClass::handler>},
