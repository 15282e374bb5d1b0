#include <wincore/Scrolling.h>

namespace wincore {

int scrollTrackPosition(HWND hwnd, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd, bar, &info);
  return info.nTrackPos;
}

int WheelLines::add(int delta) {
  // A turn back the other way starts afresh rather than first paying back what the other way left.
  if ((remainder_ > 0 && delta < 0) || (remainder_ < 0 && delta > 0))
    remainder_ = 0;
  int total = remainder_ + delta * linesPerNotch_;
  int lines = total / WHEEL_DELTA;
  remainder_ = total - lines * WHEEL_DELTA;
  return lines;
}

} // namespace wincore
