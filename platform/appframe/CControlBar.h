#pragma once

#include <appframe/CWnd.h>

// Bar alignment and docking sides.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM;

// A bar along the top or bottom edge of a frame's client area. The frame lays its visible bars out
// first and gives the rest to its pane.
class CControlBar : public CWnd {
public:
  // The height the bar takes at the given width.
  virtual int CalcHeight(int width) const = 0;
  // The side the bar is docked at (CBRS_TOP or CBRS_BOTTOM).
  DWORD GetDockSide() const { return dockSide_; }
  void SetDockSide(DWORD side) { dockSide_ = side; }
  // The sides the bar may be docked at.
  void EnableDocking(DWORD sides) { dockable_ = sides; }
  DWORD GetDockable() const { return dockable_; }

private:
  DWORD dockSide_ = CBRS_TOP;
  DWORD dockable_ = 0;
};
