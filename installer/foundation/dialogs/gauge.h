#pragma once

#include <foundation/windows/subclasser.h>

#include <windows.h>

// A percentage bar drawn over a dialog item: filled from the left when the item is wider than high,
// from the bottom otherwise, with the percentage written across it.
class gauge : public subclasser {
public:
  LRESULT wndproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  // Values outside 0..100 and the current value change nothing; else the bar repaints at once.
  void setpercent(int value);
  void paint(HDC dc, const RECT& client) const;

  int percent = 0;
  COLORREF colour = 0xC0C0C0;
};
