#pragma once

#include <formsrt/Controls.h>
#include <formsrt/Form.h>

#include <string>

namespace plovera {

// The event form, for Add and Update alike: the caller fills the fields, shows it modally and reads the
// fields back once it hides. A date of "CANCEL" means the user cancelled; the close box counts as Cancel.
// Accepting normalises the date to mm/dd and refuses one that is not a real month and day.
class Form2 : public formsrt::Form {
public:
  Form2();

  formsrt::Label lblDate;
  formsrt::TextBox txtDate;
  formsrt::Label lblEvent;
  formsrt::TextBox txtEvent;
  formsrt::Label lblYear;
  formsrt::TextBox txtYear;
  formsrt::Label lblType;
  formsrt::ComboBox cmbType;
  formsrt::CommandButton bUpdate;
  formsrt::CommandButton bCancel;

  static const char kCancelled[];

  void Form_Load() override;
  void Form_Paint() override;

private:
  void txtDate_LostFocus();
  void bUpdate_Click();
  void bCancel_Click();
};

// Whether a normalised mm/dd names a day that exists in some year (29 February included).
bool isRealMonthDay(const std::string& monthDay);

} // namespace plovera
