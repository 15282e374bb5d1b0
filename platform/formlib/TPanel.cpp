#include <formlib/TPanel.h>

namespace formlib {

TPanel::TPanel(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(nullptr, WS_VISIBLE | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

void TPanel::SetBevelOuter(TBevel bevel) {
  bevelOuter_ = bevel;
  Invalidate();
}

void TPanel::Paint(TCanvas& canvas) {
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  canvas.FillRect(client, Color());
  if (bevelOuter_ != TBevel::bvNone)
    DrawEdge(canvas.Handle(), &client, bevelOuter_ == TBevel::bvRaised ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
             BF_RECT);
  std::string caption = Caption();
  if (!caption.empty())
    canvas.DrawText(caption, client, DT_CENTER | DT_VCENTER | DT_SINGLELINE, Font());
}

} // namespace formlib
