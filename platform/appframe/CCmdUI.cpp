#include <appframe/CCmdUI.h>

#include <appframe/CStatusBar.h>

#include <string>

void CCmdUI::Enable(bool on) {
  if (m_pMenu) {
    EnableMenuItem(m_pMenu, m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    return;
  }
  if (!m_pStatusBar)
    return;
  UINT id, style;
  int width;
  m_pStatusBar->GetPaneInfo(static_cast<int>(m_nIndex), id, style, width);
  style = on ? (style & ~SBPS_DISABLED) : (style | SBPS_DISABLED);
  m_pStatusBar->SetPaneInfo(static_cast<int>(m_nIndex), id, style, width);
}

void CCmdUI::SetCheck(int check) {
  if (m_pMenu)
    CheckMenuItem(m_pMenu, m_nIndex, MF_BYPOSITION | (check ? MF_CHECKED : MF_UNCHECKED));
}

void CCmdUI::SetRadio(bool on) {
  if (!m_pMenu)
    return;
  if (on)
    CheckMenuRadioItem(m_pMenu, m_nIndex, m_nIndex, m_nIndex, MF_BYPOSITION);
  else
    CheckMenuItem(m_pMenu, m_nIndex, MF_BYPOSITION | MF_UNCHECKED);
}

void CCmdUI::SetText(const char* text) {
  if (m_pStatusBar) {
    m_pStatusBar->SetPaneText(static_cast<int>(m_nIndex), text);
    return;
  }
  if (!m_pMenu)
    return;
  std::string copy = text;
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = copy.data();
  SetMenuItemInfoA(m_pMenu, m_nIndex, TRUE, &info);
}
