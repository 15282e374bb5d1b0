#include <lookup/TVkLabel.h>

namespace pellawin {

using namespace formlib;

void TVkLabel::SetTextStyle(TTextStyle style) {
  if (style == textStyle_)
    return;
  textStyle_ = style;
  Invalidate();
}

void TVkLabel::DoDrawText(TCanvas& canvas, RECT& rect, UINT flags) {
  std::string text = DrawnText(flags);
  if (textStyle_ != TTextStyle::tsNone) {
    bool raised = textStyle_ == TTextStyle::tsRaised;
    RECT below = rect;
    OffsetRect(&below, 1, 1);
    canvas.DrawText(text, below, flags, Font(), raised ? clBtnShadow() : clBtnHighlight());
    RECT above = rect;
    OffsetRect(&above, -1, -1);
    canvas.DrawText(text, above, flags, Font(), raised ? clBtnHighlight() : clBtnShadow());
  }
  canvas.DrawText(text, rect, flags, Font(), Enabled() ? Font().Color() : clGrayText());
}

} // namespace pellawin
