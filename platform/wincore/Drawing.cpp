#include <wincore/Drawing.h>

namespace wincore {

void drawLine(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
  SelectObject(dc, old);
  DeleteObject(pen);
}

bool paintMessage(HWND hwnd, UINT message, WPARAM wParam, const std::function<void(HDC dc)>& paint) {
  if (message == WM_PRINTCLIENT) {
    paint(reinterpret_cast<HDC>(wParam));
    return true;
  }
  if (message != WM_PAINT)
    return false;
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd, &ps);
  paint(dc);
  EndPaint(hwnd, &ps);
  return true;
}

} // namespace wincore
