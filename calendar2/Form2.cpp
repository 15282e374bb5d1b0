#include <calendar2/Form2.h>

#include <calendar2/EventTypes.h>
#include <calendar2/MonthDay.h>

#include <formsrt/Application.h>
#include <formsrt/Colour.h>
#include <formsrt/Text.h>

#include <cctype>

namespace plovera {

using formsrt::QBColor;

const char Form2::kCancelled[] = "CANCEL";

Form2::Form2()
    : formsrt::Form("Form2", 4230, 2750), lblDate(*this, "lblDate", "Date", 200, 325, 600, 300),
      txtDate(*this, "txtDate", 900, 300, 1000, 288),
      lblEvent(*this, "lblEvent", "Event", 200, 925, 600, 300),
      txtEvent(*this, "txtEvent", 900, 900, 3000, 288),
      lblYear(*this, "lblYear", "Year", 200, 1525, 600, 300), txtYear(*this, "txtYear", 900, 1500, 972, 288),
      lblType(*this, "lblType", "Type", 2040, 1525, 600, 300),
      cmbType(*this, "cmbType", 2808, 1500, 1116, 315, formsrt::ComboBox::dropDownList),
      bUpdate(*this, "bUpdate", "&Update", 612, 2200, 1200, 400),
      bCancel(*this, "bCancel", "&Cancel", 2500, 2200, 1200, 400) {
  StartUpPosition = startUpCenterOwner;
  closeBoxCancels = true;
  txtDate.LostFocus = [this] { txtDate_LostFocus(); };
  bUpdate.Click = [this] { bUpdate_Click(); };
  bCancel.Click = [this] { bCancel_Click(); };
}

void Form2::Form_Load() {
  setDefaultButton(&bUpdate);
  setCancelButton(&bCancel);
  for (const EventType& type : kEventTypes)
    cmbType.AddItem(type.word);
  cmbType.setListIndex(2);
}

void Form2::Form_Paint() {
  Line(75, 75, 4130, 75, QBColor(8));
  Line(75, 75, 75, 2035, QBColor(8));
  Line(75, 2035, 4145, 2035, QBColor(15));
  Line(4130, 75, 4130, 2050, QBColor(15));
}

void Form2::txtDate_LostFocus() {
  // Leaving the form through Cancel must not turn "CANCEL" into a date.
  if (txtDate.Text() != kCancelled)
    txtDate.setText(NormalizeMonthDay(txtDate.Text()));
}

void Form2::bUpdate_Click() {
  // Enter may accept while the focus is still in the date field, so normalise here too; a date the
  // list could not keep would be dropped by the next save.
  txtDate.setText(NormalizeMonthDay(txtDate.Text()));
  txtDate.SetFocus();
  if (!isRealMonthDay(txtDate.Text())) {
    formsrt::MsgBox("\"" + txtDate.Text() + "\" is not a date." + formsrt::Chr(10) + formsrt::Chr(10) +
                        "Please enter the month and day as mm/dd, for example 07/04.",
                    formsrt::mbOKOnly | formsrt::mbExclamation);
    return;
  }
  Hide();
}

void Form2::bCancel_Click() {
  txtDate.setText(kCancelled);
  txtDate.SetFocus();
  Hide();
}

bool isRealMonthDay(const std::string& monthDay) {
  static const int kDaysInMonth[12] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (monthDay.size() != 5 || monthDay[2] != '/')
    return false;
  for (int i : {0, 1, 3, 4})
    if (!std::isdigit(static_cast<unsigned char>(monthDay[i])))
      return false;
  int month = (monthDay[0] - '0') * 10 + (monthDay[1] - '0');
  int day = (monthDay[3] - '0') * 10 + (monthDay[4] - '0');
  return month >= 1 && month <= 12 && day >= 1 && day <= kDaysInMonth[month - 1];
}

} // namespace plovera
