#include <formlib/TLabel.h>

namespace formlib {

TLabel::TLabel(TComponent* owner, TControl* parent) : TGraphicControl(owner, parent) {}

void TLabel::SetAlignment(TAlignment alignment) {
  alignment_ = alignment;
  Invalidate();
}

void TLabel::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  Invalidate();
}

void TLabel::SetTransparent(bool transparent) {
  transparent_ = transparent;
  Invalidate();
}

void TLabel::SetShowAccelChar(bool show) {
  showAccelChar_ = show;
  Invalidate();
}

UINT TLabel::TextFlags() const {
  UINT flags = DT_EXPANDTABS;
  if (wordWrap_)
    flags |= DT_WORDBREAK;
  if (alignment_ == TAlignment::taRightJustify)
    flags |= DT_RIGHT;
  if (alignment_ == TAlignment::taCenter)
    flags |= DT_CENTER;
  if (!showAccelChar_)
    flags |= DT_NOPREFIX;
  return flags;
}

// At most 255 characters are drawn; measuring an empty caption (or a lone "&") measures one blank.
std::string TLabel::DrawnText(UINT flags) const {
  std::string text = Caption().substr(0, 255);
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == "&")))
    text = " ";
  return text;
}

void TLabel::Paint(TCanvas& canvas) {
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  if (!transparent_)
    canvas.FillRect(client, Color());
  DoDrawText(canvas, client, TextFlags());
}

void TLabel::DoDrawText(TCanvas& canvas, RECT& rect, UINT flags) {
  canvas.DrawText(DrawnText(flags), rect, flags, Font(), Enabled() ? Font().Color() : clGrayText());
}

} // namespace formlib
