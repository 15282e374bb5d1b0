#include <appframe/CMenu.h>

bool CMenu::CreatePopupMenu() {
  DestroyMenu();
  m_hMenu = ::CreatePopupMenu();
  return m_hMenu != nullptr;
}

bool CMenu::DestroyMenu() {
  if (!m_hMenu)
    return false;
  ::DestroyMenu(m_hMenu);
  m_hMenu = nullptr;
  return true;
}
