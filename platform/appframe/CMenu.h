#pragma once

#include <windows.h>

// A menu the object owns and destroys.
class CMenu {
public:
  CMenu() = default;
  ~CMenu() { DestroyMenu(); }
  CMenu(const CMenu&) = delete;
  CMenu& operator=(const CMenu&) = delete;

  HMENU GetSafeHmenu() const { return m_hMenu; }
  bool CreatePopupMenu();
  bool DestroyMenu();
  bool AppendMenu(UINT flags, UINT_PTR id = 0, const char* text = nullptr) {
    return ::AppendMenuA(m_hMenu, flags, id, text) != 0;
  }
  int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
  // Shows the menu at a screen point; the chosen command goes to `owner` as WM_COMMAND.
  bool TrackPopupMenu(UINT flags, int x, int y, HWND owner) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, nullptr) != 0;
  }

  HMENU m_hMenu = nullptr;
};
