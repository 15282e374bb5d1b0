#pragma once

#include <formlib/TLabel.h>

namespace pellawin {

enum class TTextStyle { tsNone, tsRaised, tsRecessed };

// A label whose text looks raised or recessed: drawn once in shadow and once in highlight, offset by
// one pixel each way, then in place.
class TVkLabel : public formlib::TLabel {
public:
  TVkLabel(formlib::TComponent* owner, formlib::TControl* parent) : TLabel(owner, parent) {}

  TTextStyle TextStyle() const { return textStyle_; }
  void SetTextStyle(TTextStyle style);

protected:
  void DoDrawText(formlib::TCanvas& canvas, RECT& rect, UINT flags) override;

private:
  TTextStyle textStyle_ = TTextStyle::tsRecessed;
};

} // namespace pellawin
