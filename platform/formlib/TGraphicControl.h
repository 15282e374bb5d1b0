#pragma once

#include <formlib/TControl.h>

namespace formlib {

// A control that draws itself entirely in Paint, on a child window of the library's own class, beneath
// the windowed controls of its parent.
class TGraphicControl : public TControl {
public:
  TGraphicControl(TComponent* owner, TControl* parent);

protected:
  // Paint covers the whole control, so the background is left alone.
  bool EraseBackground(HDC dc) override;
};

} // namespace formlib
