#pragma once

#include <appframe/CWnd.h>

// The system's controls as framework windows: created from their own classes and bound by subclassing.

class CEdit : public CWnd {
public:
  bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("EDIT", "", style, rect, parent, id);
  }
  void SetSel(int start, int end) { SendMessage(EM_SETSEL, static_cast<WPARAM>(start), end); }
  void LimitText(int limit) { SendMessage(EM_LIMITTEXT, static_cast<WPARAM>(limit)); }
  void GetSel(int* start, int* end) const {
    DWORD first = 0, last = 0;
    SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&first), reinterpret_cast<LPARAM>(&last));
    *start = static_cast<int>(first);
    *end = static_cast<int>(last);
  }
  void ReplaceSel(const char* text) { SendMessage(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text)); }
  void SetMargins(UINT left, UINT right) {
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right));
  }
};

class CListBox : public CWnd {
public:
  bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("LISTBOX", "", style, rect, parent, id);
  }
  int AddString(const char* text) {
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
  }
  int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
  int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
  int SetCurSel(int index) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(index))); }
  CString GetText(int index) const;
};

class CScrollBar : public CWnd {
public:
  bool Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CWnd::Create("SCROLLBAR", "", style, rect, parent, id);
  }
  bool SetScrollInfo(SCROLLINFO* info, bool redraw = true) {
    info->cbSize = sizeof *info;
    ::SetScrollInfo(m_hWnd, SB_CTL, info, redraw);
    return true;
  }
  bool GetScrollInfo(SCROLLINFO* info, UINT mask = SIF_ALL) const {
    info->cbSize = sizeof *info;
    info->fMask = mask;
    return ::GetScrollInfo(m_hWnd, SB_CTL, info) != 0;
  }
  int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
  int SetScrollPos(int pos, bool redraw = true) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
  void GetScrollRange(int* minimum, int* maximum) const {
    ::GetScrollRange(m_hWnd, SB_CTL, minimum, maximum);
  }
};
