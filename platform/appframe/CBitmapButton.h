#pragma once

#include <appframe/CWnd.h>

#include <string>

// An owner-drawn push button showing one bitmap per state: up, down (pressed or selected), focused and
// disabled. AutoLoad names the bitmaps after the button's caption with "U", "D", "F" and "X" added;
// only the up bitmap must exist.
class CBitmapButton : public CWnd {
public:
  ~CBitmapButton() override;

  bool LoadBitmaps(const char* up, const char* down = nullptr, const char* focus = nullptr,
                   const char* disabled = nullptr);
  bool LoadBitmaps(UINT up, UINT down = 0, UINT focus = 0, UINT disabled = 0);
  // Takes over the dialog's button `id` and loads its bitmaps by its caption.
  bool AutoLoad(UINT id, CWnd* parent);
  // Makes the button the size of its up bitmap.
  void SizeToContent();
  void DrawItem(const DRAWITEMSTRUCT* item);

private:
  void FreeBitmaps();
  HBITMAP bitmaps_[4] = {}; // up, down, focus, disabled
};
