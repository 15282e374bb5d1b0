#include <calendar2/Form9.h>

#include <calendar2/EventTypes.h>

#include <formsrt/Application.h>
#include <formsrt/Colour.h>
#include <formsrt/RuntimeError.h>
#include <formsrt/Text.h>

namespace plovera {

using formsrt::ComboBox;
using formsrt::QBColor;

namespace {

// Every colour list in this order; a list's index is the colour number itself.
const char* const kColourNames[17] = {"Black",  "Blue",     "Green",    "Cyan",    "Red",      "Magent",
                                      "Yellow", "White",    "Gray",     "L Blue",  "L Green",  "L Cyan",
                                      "L Red",  "L Magent", "L Yellow", "B White", "-Default-"};

const int kColourRowTop = 550;
const int kColourRowStep = 360;

int colourRow(int type) { return kColourRowTop + type * kColourRowStep; }

char yesNo(bool yes) { return yes ? 'Y' : 'N'; }

// The number a box's text begins with, as a 16-bit whole number; above the range raises Overflow.
int wholeNumber(const formsrt::TextBox& box) { return formsrt::CInt(formsrt::Val(box.Text())); }

} // namespace

Form9::Form9(PloveraSettings& settings)
    : formsrt::Form("Form9", 5800, 5010), TabStrip1(*this, "TabStrip1", 250, 150, 5200, 4100),
      Frame1_1(*this, "Frame1", "", 350, 550, 5000, 3600, 1),
      frmFont(Frame1_1, "frmFont", "Font", 200, 360, 2100, 1092),
      cmbFontName(frmFont, "cmbFontName", 120, 240, 1860, 315),
      lblSize(frmFont, "lblSize", "Size", 120, 660, 400, 250),
      txtFontSize(frmFont, "txtFontSize", 520, 630, 450, 288),
      chkFontBold(frmFont, "chkFontBold", "Bold", 1080, 600, 900, 220),
      chkFontItalic(frmFont, "chkFontItalic", "Italic", 1080, 830, 900, 220),
      frmGridLines(Frame1_1, "frmGridLines", "Grid Lines", 200, 1700, 2100, 600),
      rbGrid_Yes(frmGridLines, "rbGrid_Yes", "Yes", 200, 260, 800, 250),
      rbGrid_No(frmGridLines, "rbGrid_No", "No", 1100, 260, 800, 250),
      frmConfirm(Frame1_1, "frmConfirm", "Action Confirmation", 200, 2500, 2100, 600),
      rbConfirm_Yes(frmConfirm, "rbConfirm_Yes", "Yes", 200, 260, 800, 250),
      rbConfirm_No(frmConfirm, "rbConfirm_No", "No", 1100, 260, 800, 250),
      frmWidth(Frame1_1, "frmWidth", "Column Widths", 2800, 360, 2100, 1950),
      lblDate(frmWidth, "lblDate", "Date", 200, 330, 700, 250),
      txtWDate(frmWidth, "txtWDate", 1000, 300, 800, 288),
      lblEvent(frmWidth, "lblEvent", "Event", 200, 730, 700, 250),
      txtWEvent(frmWidth, "txtWEvent", 1000, 700, 800, 288),
      lblYear(frmWidth, "lblYear", "Year", 200, 1130, 700, 250),
      txtWYear(frmWidth, "txtWYear", 1000, 1100, 800, 288),
      lblType(frmWidth, "lblType", "Type", 200, 1530, 700, 250),
      txtWType(frmWidth, "txtWType", 1000, 1500, 800, 288),
      Frame1_2(*this, "Frame1", "", 350, 550, 5000, 3600, 2),
      frmColors(Frame1_2, "frmColors", "Colors", 200, 360, 3516, 2784),
      lblBack(frmColors, "lblBack", "Back Ground", 1100, 250, 1100, 250),
      lblFore(frmColors, "lblFore", "Fore Ground", 2300, 250, 1100, 250),
      lblANN(frmColors, "lblANN", "Anniversary", 120, colourRow(0) + 30, 950, 250),
      cmbCB01(frmColors, "cmbCB01", 1100, colourRow(0), 1100, 315, ComboBox::dropDownList),
      cmbCF01(frmColors, "cmbCF01", 2300, colourRow(0), 1100, 315, ComboBox::dropDownList),
      lblAPP(frmColors, "lblAPP", "Appointment", 120, colourRow(1) + 30, 950, 250),
      cmbCB02(frmColors, "cmbCB02", 1100, colourRow(1), 1100, 315, ComboBox::dropDownList),
      cmbCF02(frmColors, "cmbCF02", 2300, colourRow(1), 1100, 315, ComboBox::dropDownList),
      lblBIR(frmColors, "lblBIR", "Birth", 120, colourRow(2) + 30, 950, 250),
      cmbCB03(frmColors, "cmbCB03", 1100, colourRow(2), 1100, 315, ComboBox::dropDownList),
      cmbCF03(frmColors, "cmbCF03", 2300, colourRow(2), 1100, 315, ComboBox::dropDownList),
      lblHOL(frmColors, "lblHOL", "Holiday", 120, colourRow(3) + 30, 950, 250),
      cmbCB04(frmColors, "cmbCB04", 1100, colourRow(3), 1100, 315, ComboBox::dropDownList),
      cmbCF04(frmColors, "cmbCF04", 2300, colourRow(3), 1100, 315, ComboBox::dropDownList),
      lblWOR(frmColors, "lblWOR", "Work", 120, colourRow(4) + 30, 950, 250),
      cmbCB05(frmColors, "cmbCB05", 1100, colourRow(4), 1100, 315, ComboBox::dropDownList),
      cmbCF05(frmColors, "cmbCF05", 2300, colourRow(4), 1100, 315, ComboBox::dropDownList),
      lblOTH(frmColors, "lblOTH", "Other", 120, colourRow(5) + 30, 950, 250),
      cmbCB99(frmColors, "cmbCB99", 1100, colourRow(5), 1100, 315, ComboBox::dropDownList),
      cmbCF99(frmColors, "cmbCF99", 2300, colourRow(5), 1100, 315, ComboBox::dropDownList),
      bOk(*this, "bOk", "&Ok", 3150, 4420, 900, 400),
      bCancel(*this, "bCancel", "&Cancel", 4410, 4420, 900, 400), settings_(settings) {
  setCaption("Settings");
  StartUpPosition = startUpCenterOwner;
  closeBoxCancels = true;
  TabStrip1.Click = [this] { TabStrip1_Click(); };
  bOk.Click = [this] { bOk_Click(); };
  bCancel.Click = [this] { bCancel_Click(); };
}

ComboBox* Form9::colourList(int type, int side) {
  ComboBox* const lists[kTypeCount][2] = {{&cmbCB01, &cmbCF01}, {&cmbCB02, &cmbCF02}, {&cmbCB03, &cmbCF03},
                                          {&cmbCB04, &cmbCF04}, {&cmbCB05, &cmbCF05}, {&cmbCB99, &cmbCF99}};
  return lists[type][side];
}

void Form9::Form_Load() {
  // Enter must not save by accident: Ok has to be chosen.
  setDefaultButton(&bCancel);
  setCancelButton(&bCancel);
  TabStrip1.addTab("General", "General Options");
  TabStrip1.addTab("Colors", "Grid Colors");
  // The pages lie on the tab strip: it goes beneath them so that it never paints over them.
  SetWindowPos(TabStrip1.hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  for (int i = 0; i < formsrt::Screen.FontCount(); ++i)
    cmbFontName.AddItem(formsrt::Screen.Fonts(i));
  for (int type = 0; type < kTypeCount; ++type)
    for (int side = 0; side < 2; ++side)
      for (const char* name : kColourNames)
        colourList(type, side)->AddItem(name);
  Frame1_1.setVisible(true);
  Frame1_2.setVisible(false);
  pageShown_ = 1;
  filled_ = false;
}

void Form9::Form_Activate() {
  // Once per showing: the form is activated again after its own error box or a switch to another
  // program, and the user's edits must survive that.
  if (filled_)
    return;
  filled_ = true;
  formsrt::Screen.setMousePointer(formsrt::pointerHourglass);
  settings_.FontBoldFlag = settings_.FontBold == 'Y' ? 1 : 0;
  settings_.FontItalicFlag = settings_.FontItalic == 'Y' ? 1 : 0;
  chkFontBold.setValue(settings_.FontBoldFlag);
  chkFontItalic.setValue(settings_.FontItalicFlag);
  cmbFontName.setText(settings_.FontName);
  txtFontSize.setText(std::to_string(settings_.FontSize));
  (settings_.Confirm == 'Y' ? rbConfirm_Yes : rbConfirm_No).setValue(true);
  (settings_.Grid == 'Y' ? rbGrid_Yes : rbGrid_No).setValue(true);
  for (int type = 0; type < kTypeCount; ++type) {
    colourList(type, 0)->setListIndex(checkedColourIndex(settings_.CB[type]));
    colourList(type, 1)->setListIndex(checkedColourIndex(settings_.CF[type]));
  }
  txtWDate.setText(std::to_string(settings_.WDate));
  txtWEvent.setText(std::to_string(settings_.WEvent));
  txtWYear.setText(std::to_string(settings_.WYear));
  txtWType.setText(std::to_string(settings_.WType));
  formsrt::Screen.setMousePointer(formsrt::pointerDefault);
}

void Form9::Form_Paint() {
  Line(40, 40, 5750, 40, QBColor(8));
  Line(40, 4960, 5750, 4960, QBColor(15));
  Line(40, 40, 40, 4960, QBColor(8));
  Line(5750, 40, 5750, 4960, QBColor(15));
}

void Form9::TabStrip1_Click() {
  int selected = TabStrip1.SelectedIndex();
  if (selected == pageShown_)
    return;
  Frame1(selected).setVisible(true);
  Frame1(pageShown_).setVisible(false);
  pageShown_ = selected;
}

void Form9::bOk_Click() {
  // A value the settings cannot hold keeps the form open for the user to mend it.
  if (SaveRegistrySettings())
    hide();
}

void Form9::bCancel_Click() {
  // The start-up load has already reported any setting it could not read.
  LoadRegistrySettings(settings_);
  hide();
}

void Form9::hide() {
  filled_ = false;
  Hide();
}

bool Form9::SaveRegistrySettings() {
  try {
    // Into a copy first, so that a value out of range changes neither the settings nor the store.
    PloveraSettings edited = settings_;
    edited.Confirm = yesNo(rbConfirm_Yes.Value());
    edited.Grid = yesNo(rbGrid_Yes.Value());
    edited.FontBold = yesNo(chkFontBold.Value() == 1);
    edited.FontItalic = yesNo(chkFontItalic.Value() == 1);
    edited.FontName = cmbFontName.Text();
    edited.FontSize = wholeNumber(txtFontSize);
    edited.WDate = wholeNumber(txtWDate);
    edited.WEvent = wholeNumber(txtWEvent);
    edited.WYear = wholeNumber(txtWYear);
    edited.WType = wholeNumber(txtWType);
    for (int type = 0; type < kTypeCount; ++type) {
      // A list with nothing chosen means the grid's own colour.
      edited.CB[type] = checkedColourIndex(colourList(type, 0)->ListIndex());
      edited.CF[type] = checkedColourIndex(colourList(type, 1)->ListIndex());
    }
    settings_ = edited;
    WriteRegistrySettings(settings_);
    return true;
  } catch (const formsrt::RuntimeError& error) {
    formsrt::MsgBox(error.describe(), formsrt::mbOKOnly);
    return false;
  }
}

} // namespace plovera
