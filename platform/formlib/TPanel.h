#pragma once

#include <formlib/TControl.h>

namespace formlib {

enum class TBevel { bvNone, bvLowered, bvRaised };

// A container with an optional bevelled edge and a centred caption.
class TPanel : public TControl {
public:
  TPanel(TComponent* owner, TControl* parent);

  void SetBevelOuter(TBevel bevel);

protected:
  void Paint(TCanvas& canvas) override;

private:
  TBevel bevelOuter_ = TBevel::bvRaised;
};

} // namespace formlib
