#include <lookup/TGradientBack.h>

namespace pellawin {

using namespace formlib;

TGradientBack::TGradientBack(TComponent* owner, TControl* parent) : TGraphicControl(owner, parent) {
  for (int i = 0; i < 256; ++i) {
    blue_[i] = RGB(0, 0, 255 - i);
    blueToRed_[i] = RGB(i, 0, 255 - i);
  }
  SetAlign(TAlign::alClient);
}

// Each band is one pixel taller than the step between bands, so that no row is left unpainted; band i
// starts where the step i - 1 ends, which puts bands 0 and 1 both at the top.
void TGradientBack::Paint(TCanvas& canvas) {
  int width = ClientWidth();
  float step = static_cast<float>(ClientHeight()) / 255;
  int band = static_cast<int>(step) + 1;
  int top = 0;
  for (int i = 0; i < 256; ++i) {
    canvas.FillRect(RECT{0, top, width, top + band}, allBlue_ ? blue_[i] : blueToRed_[i]);
    top = static_cast<int>(i * step);
  }
}

} // namespace pellawin
