#pragma once

#include <formlib/TListBox.h>

namespace pellawin {

// A list box whose rows align their tab-separated columns to the tab stops.
class TTabListBox : public formlib::TListBox {
public:
  TTabListBox(formlib::TComponent* owner, formlib::TControl* parent)
      : TListBox(owner, parent, LBS_USETABSTOPS) {}
};

} // namespace pellawin
