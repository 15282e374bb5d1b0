#include <engine/screen/ScreenGeometry.h>

#include <algorithm>

ScreenPlacement PlaceScreen(const InstallScreenSettings& settings, SIZE screen, SIZE bitmap) {
  ScreenPlacement placement{{0, 0, screen.cx, screen.cy}, static_cast<DWORD>(settings.style)};
  int width = screen.cx, height = screen.cy;
  switch (settings.sizingMode) {
  case 1:
    placement.style |= WS_MAXIMIZE;
    placement.rect = {0, 0, CW_USEDEFAULT, CW_USEDEFAULT};
    return placement;
  case 2: {
    RECT frame{0, 0, bitmap.cx, bitmap.cy};
    AdjustWindowRect(&frame, placement.style, FALSE);
    width = frame.right - frame.left;
    height = frame.bottom - frame.top;
    break;
  }
  case 3:
    width = PerMille(settings.widthPerMille, screen.cx);
    height = PerMille(settings.heightPerMille, screen.cy);
    break;
  }
  width = std::min(width, static_cast<int>(screen.cx));
  height = std::min(height, static_cast<int>(screen.cy));
  int x = (screen.cx - width) / 2, y = (screen.cy - height) / 2;
  placement.rect = {x, y, x + width, y + height};
  return placement;
}

RECT GadgetRect(const ScreenElement& element, POINT origin, SIZE client) {
  POINT first{origin.x + PerMille(element.x, client.cx), origin.y + PerMille(element.y, client.cy)};
  POINT second{origin.x + PerMille(element.x + element.width, client.cx),
               origin.y + PerMille(element.y + element.height, client.cy)};
  SIZE size{second.x - first.x + 1, second.y - first.y + 1};
  POINT centre{first.x + size.cx / 2, first.y + size.cy / 2};
  SIZE limited{std::min(size.cx, 63L), std::min(size.cy, 39L)};
  LONG left = centre.x - limited.cx / 2, top = centre.y - limited.cy / 2;
  return {left, top, left + limited.cx, top + limited.cy};
}

ShadowCopy TextShadow(int style, int m, int n) {
  switch (style) {
  case 1:
    return {1, m / 2, n / 2, RGB(255, 255, 255)};
  case 2:
    return {1, m, n, RGB(0, 0, 0)};
  default:
    return {0, 0, 0, 0};
  }
}

int GadgetTracker::press() {
  if (state_ != 0)
    return 0;
  state_ = 1;
  return 1;
}

int GadgetTracker::move(int inside) {
  if (state_ == 0)
    return 0;
  int next = inside ? 1 : 2;
  int changed = next != state_;
  state_ = next;
  return changed;
}

int GadgetTracker::release(int& changed) {
  changed = state_ != 0;
  int command = state_ == 1;
  state_ = 0;
  return command;
}

// Measured as the difference of unsigned ticks, so that the pace survives the tick count's wrap.
int ActivityPace::due(DWORD tick) {
  if (started_ && tick - last_ < 200)
    return 0;
  started_ = 1;
  last_ = tick;
  return 1;
}
