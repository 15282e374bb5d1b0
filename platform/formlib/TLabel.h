#pragma once

#include <formlib/TGraphicControl.h>

namespace formlib {

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// A line or block of text drawn on the control's background.
class TLabel : public TGraphicControl {
public:
  TLabel(TComponent* owner, TControl* parent);

  void SetAlignment(TAlignment alignment);
  void SetWordWrap(bool wrap);
  void SetTransparent(bool transparent);
  void SetShowAccelChar(bool show);
  bool ShowAccelChar() const { return showAccelChar_; }

protected:
  void Paint(TCanvas& canvas) override;
  // Draws the caption into `rect` with the label's flags; a derived label adds its own strokes.
  virtual void DoDrawText(TCanvas& canvas, RECT& rect, UINT flags);
  std::string DrawnText(UINT flags) const;
  UINT TextFlags() const;

private:
  TAlignment alignment_ = TAlignment::taLeftJustify;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
};

} // namespace formlib
