#pragma once

#include <windows.h>

// Scroll-bar and wheel plumbing the grids share.
namespace wincore {

// Where the user is dragging the thumb of the window's bar (SB_VERT, SB_HORZ), for SB_THUMBTRACK and
// SB_THUMBPOSITION.
int scrollTrackPosition(HWND hwnd, int bar);

// Turns wheel steps into whole lines. A step below WHEEL_DELTA (a touchpad, a fine wheel) scrolls nothing
// alone; what it leaves over is kept and counts with the next steps.
class WheelLines {
public:
  explicit WheelLines(int linesPerNotch = 3) : linesPerNotch_(linesPerNotch) {}
  // The lines a step of `delta` scrolls: positive when the wheel turns away from the user (towards the
  // top), as the delta counts.
  int add(int delta);

private:
  int linesPerNotch_;
  int remainder_ = 0; // a part of a line, in units of delta times lines (WHEEL_DELTA is one line)
};

} // namespace wincore
