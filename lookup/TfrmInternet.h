#pragma once

#include <lookup/TLookupForm.h>

namespace pellawin {

// The domain-suffix window: every country and generic Internet suffix with what it stands for. The list's
// own first-letter search is the only way to move by typing.
class TfrmInternet : public TListLookupForm {
public:
  explicit TfrmInternet(formlib::TComponent* owner);

  TTabListBox* Box;

protected:
  int ButtonsRight() const override;
};

} // namespace pellawin
