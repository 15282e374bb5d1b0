#include <wincore/Scrolling.h>

namespace wincore {

int scrollTrackPosition(HWND hwnd, int bar) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(hwnd, bar, &info);
  return info.nTrackPos;
}

std::optional<int> scrollRequest(HWND hwnd, int bar, int code, int current, const ScrollRange& range) {
  switch (code) {
  case SB_LINEUP:
    return current - 1;
  case SB_LINEDOWN:
    return current + 1;
  case SB_PAGEUP:
    return current - range.page;
  case SB_PAGEDOWN:
    return current + range.page;
  case SB_TOP:
    return range.first;
  case SB_BOTTOM:
    return range.last;
  case SB_THUMBTRACK:
  case SB_THUMBPOSITION:
    return scrollTrackPosition(hwnd, bar) + range.first;
  }
  return std::nullopt;
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
