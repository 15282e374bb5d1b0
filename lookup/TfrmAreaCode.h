#pragma once

#include <formlib/TEdit.h>
#include <lookup/TLookupForm.h>

namespace pellawin {

// The area-code window: every North-American area code with its time zone, state and places. Typing the
// first digits of a code selects its row.
class TfrmAreaCode : public TListLookupForm {
public:
  explicit TfrmAreaCode(formlib::TComponent* owner);

  TTabListBox* lb;
  formlib::TEdit* Edit1;

  void Edit1Change(formlib::TObject* sender);
  void lbKeyPress(formlib::TObject* sender, char& key);

protected:
  int ButtonsRight() const override;
};

} // namespace pellawin
