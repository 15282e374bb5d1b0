#pragma once

#include <windows.h>

#include <functional>

// Drawing steps every layer needs.
namespace wincore {

// A one-pixel solid line from (x1, y1) up to, not including, (x2, y2).
void drawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour);
// WM_PAINT and WM_PRINTCLIENT alike: `paint` draws into the window's paint context or into the context
// the sender gave. False for any other message.
bool paintMessage(HWND hwnd, UINT message, WPARAM wParam, const std::function<void(HDC dc)>& paint);

} // namespace wincore
