#include <formlib/TGraphicControl.h>

namespace formlib {

TGraphicControl::TGraphicControl(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(nullptr, WS_VISIBLE);
  // Drawn beneath the windowed controls that share its parent, like a background.
  SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool TGraphicControl::EraseBackground(HDC) { return true; }

} // namespace formlib
