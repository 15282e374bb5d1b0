#include "TGraphicControl.h"

namespace formlib {

TGraphicControl::TGraphicControl(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(nullptr, WS_VISIBLE);
}

bool TGraphicControl::EraseBackground(HDC) { return true; }

} // namespace formlib
