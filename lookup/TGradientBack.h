#pragma once

#include <formlib/TGraphicControl.h>

namespace pellawin {

// A background painted in 256 horizontal bands, from blue at the top to black (all blue) or to red.
class TGradientBack : public formlib::TGraphicControl {
public:
  TGradientBack(formlib::TComponent* owner, formlib::TControl* parent);

  bool isAllBlue() const { return allBlue_; }
  // Stores the value only; the next paint shows it.
  void SetisAllBlue(bool value) { allBlue_ = value; }

protected:
  void Paint(formlib::TCanvas& canvas) override;

private:
  bool allBlue_ = false;
  formlib::TColor blue_[256];
  formlib::TColor blueToRed_[256];
};

} // namespace pellawin
