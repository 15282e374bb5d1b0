#include <tests/smoke/SmokeWindow.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  HWND hwnd = smoke::createSmokeWindow(instance);
  if (!hwnd)
    return 1;
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}
