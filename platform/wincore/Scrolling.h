#pragma once

#include <windows.h>

#include <optional>

// Scroll-bar and wheel plumbing the grids share.
namespace wincore {

// Where the user is dragging the thumb of the window's bar (SB_VERT, SB_HORZ), for SB_THUMBTRACK and
// SB_THUMBPOSITION.
int scrollTrackPosition(HWND hwnd, int bar);

// What a scroll bar's request (WM_VSCROLL or WM_HSCROLL: the codes are the same across and down) asks
// for, from the position `current`: a line or `page` either way, the thumb's place (the bar counts from
// 0, the positions from `first`), or an end. Nothing for a request that moves nothing (SB_ENDSCROLL).
struct ScrollRange {
  int page;
  int first;
  int last;
};
std::optional<int> scrollRequest(HWND hwnd, int bar, int code, int current, const ScrollRange& range);

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
