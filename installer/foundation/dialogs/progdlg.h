#pragma once

#include <foundation/dialogs/gauge.h>
#include <foundation/windows/dlgbox.h>

#include <windows.h>

// The modeless progress dialog DLGPROG: three lines of text, a percentage gauge and a cancel request
// that the caller polls through its own flag.
class progdlg : public dlgbox {
public:
  ~progdlg() override;

  // 1 when shown.
  int create();
  void setline1(const char* format, ...);
  void setline2(const char* format, ...);
  void setline3(const char* format, ...);
  void setpercent(int value) { bar.setpercent(value); }
  void destroy();
  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND owner = nullptr;
  HWND reenable = nullptr;
  gauge bar;
  HICON icon = nullptr;
  int iconowned = 0;
  int* cancel = nullptr;
  int keepactive = 1;
  COLORREF colour = 0x808080;

private:
  void setline(int item, const char* format, va_list args);
  int requestcancel();
};
