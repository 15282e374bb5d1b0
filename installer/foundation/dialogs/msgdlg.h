#pragma once

#include <foundation/strings/dynstr.h>
#include <foundation/windows/dlgbox.h>

#include <windows.h>

#include <cstdint>

// A modeless notice on DLGMSGDLG, optionally kept up for a minimum time and optionally with an OK
// button that the caller polls through `acknowledged`.
class msgdlg : public dlgbox {
public:
  // 1 when shown.
  int create();
  // Formats into 512 characters at most and shows the text when the notice is up.
  void settextf(const char* format, ...);
  // Waits out the minimum time, keeping windows alive without busy waiting, then takes the notice down.
  void destroy();
  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HWND owner = nullptr;
  int x = 0;
  int y = 0;
  int centre = 1;
  int mintime = 0;
  DWORD duration = 0;
  int okbutton = 0;
  int acknowledged = 0;
  HICON icon = nullptr;
  dynstr caption;
  dynstr text;

private:
  std::uint64_t shownAt_ = 0;
};
