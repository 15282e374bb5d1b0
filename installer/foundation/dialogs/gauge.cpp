#include <foundation/dialogs/gauge.h>

#include <cstdio>

LRESULT gauge::wndproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    paint(dc, client);
    EndPaint(window, &ps);
    return 0;
  }
  if (message == WM_PRINTCLIENT) {
    RECT client;
    GetClientRect(window, &client);
    paint(reinterpret_cast<HDC>(wParam), client);
    return 0;
  }
  return defproc(window, message, wParam, lParam);
}

void gauge::setpercent(int value) {
  if (value < 0 || value > 100 || value == percent)
    return;
  percent = value;
  if (!hwnd())
    return;
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

void gauge::paint(HDC dc, const RECT& client) const {
  RECT area{client.left, client.top, client.right - 1, client.bottom - 1};
  int width = area.right - area.left, height = area.bottom - area.top;
  bool horizontal = width >= height;
  RECT bar = area, rest = area;
  if (horizontal) {
    bar.right = rest.left = area.left + width * percent / 100;
  } else {
    bar.top = rest.bottom = area.bottom - height * percent / 100;
  }
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &bar, brush);
  DeleteObject(brush);
  FillRect(dc, &rest, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  LOGFONTA description = {};
  description.lfHeight = -MulDiv(9, GetDeviceCaps(dc, LOGPIXELSY), 72);
  description.lfEscapement = description.lfOrientation = horizontal ? 0 : 900;
  lstrcpyA(description.lfFaceName, horizontal ? "MS Sans Serif" : "Arial");
  HFONT font = CreateFontIndirectA(&description);
  HGDIOBJ oldFont = SelectObject(dc, font);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  char text[8];
  std::snprintf(text, sizeof text, "%d%%", percent);
  SIZE size;
  GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
  int x = (area.left + area.right) / 2, y = (area.top + area.bottom) / 2;
  if (horizontal)
    TextOutA(dc, x - size.cx / 2, y - size.cy / 2, text, lstrlenA(text));
  else
    TextOutA(dc, x - size.cy / 2, y + size.cx / 2, text, lstrlenA(text));
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}
