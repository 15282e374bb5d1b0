// A program for the run-and-wait tests:
//   runhelper exit N                    ends with exit code N
//   runhelper window TITLE DELAY SHOWN  after DELAY ms shows a window of class "KxRunHelper" titled
//                                       TITLE for SHOWN ms, then ends with 0

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

void pumpFor(DWORD milliseconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < milliseconds) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageA(&message);
    Sleep(10);
  }
}

int showWindow(const char* title, DWORD delay, DWORD shown) {
  Sleep(delay);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "KxRunHelper";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowExA(0, "KxRunHelper", title, WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                nullptr, windowClass.hInstance, nullptr);
  if (!window)
    return 3;
  pumpFor(shown);
  DestroyWindow(window);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  if (argc == 3 && !std::strcmp(argv[1], "exit"))
    return std::atoi(argv[2]);
  if (argc == 5 && !std::strcmp(argv[1], "window"))
    return showWindow(argv[2], std::atoi(argv[3]), std::atoi(argv[4]));
  return 2;
}
