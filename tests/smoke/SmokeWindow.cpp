#include <tests/smoke/SmokeWindow.h>

#include <tests/smoke/SmokeResource.h>

namespace smoke {

namespace {

const char kClassName[] = "SmokeWindow";

void paint(HDC dc) {
  HBRUSH brush = CreateSolidBrush(kPanelColour);
  FillRect(dc, &kPanel, brush);
  DeleteObject(brush);
  SetBkMode(dc, TRANSPARENT);
  TextOutA(dc, 10, 70, "The toolchain works.", 20);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paint(dc);
    EndPaint(hwnd, &ps);
    return 0;
  }
  case WM_PRINTCLIENT:
    paint(reinterpret_cast<HDC>(wParam));
    return 0;
  case WM_DESTROY:
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK nameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    return TRUE;
  }
  if (message != WM_COMMAND)
    return FALSE;
  if (LOWORD(wParam) == IDOK) {
    char buffer[256] = "";
    GetDlgItemTextA(dialog, IDC_SMOKE_NAME, buffer, sizeof buffer);
    *reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER)) = buffer;
    EndDialog(dialog, IDOK);
    return TRUE;
  }
  if (LOWORD(wParam) == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  return FALSE;
}

} // namespace

HWND createSmokeWindow(HINSTANCE instance) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc); // a second registration fails harmlessly
  return CreateWindowExA(0, kClassName, "Smoke", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 320, 200,
                         nullptr, nullptr, instance, nullptr);
}

bool askName(HWND owner, std::string& name) {
  std::string typed;
  INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SMOKE), owner, nameProc,
                                   reinterpret_cast<LPARAM>(&typed));
  if (result != IDOK)
    return false;
  name = typed;
  return true;
}

} // namespace smoke
