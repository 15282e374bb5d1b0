#pragma once

#include <calendar2/PloveraSettings.h>

#include <formsrt/Controls.h>
#include <formsrt/Form.h>
#include <formsrt/TabStrip.h>

namespace plovera {

// The settings form: a "General" and a "Colors" page under a tab strip, Ok and Cancel. It edits the
// program's one copy of the settings: Ok copies the controls into it and writes the store, Cancel reads
// the store back into it. Enter and Escape both cancel; the close box counts as Cancel. Once loaded it is
// only hidden, so the next showing keeps its page.
class Form9 : public formsrt::Form {
public:
  explicit Form9(PloveraSettings& settings);

  formsrt::TabStrip TabStrip1;
  // The control array Frame1: member 1 is the "General" page, member 2 the "Colors" page.
  formsrt::Frame Frame1_1;
  formsrt::Frame frmFont;
  formsrt::ComboBox cmbFontName;
  formsrt::Label lblSize;
  formsrt::TextBox txtFontSize;
  formsrt::CheckBox chkFontBold;
  formsrt::CheckBox chkFontItalic;
  formsrt::Frame frmGridLines;
  formsrt::OptionButton rbGrid_Yes;
  formsrt::OptionButton rbGrid_No;
  formsrt::Frame frmConfirm;
  formsrt::OptionButton rbConfirm_Yes;
  formsrt::OptionButton rbConfirm_No;
  formsrt::Frame frmWidth;
  formsrt::Label lblDate;
  formsrt::TextBox txtWDate;
  formsrt::Label lblEvent;
  formsrt::TextBox txtWEvent;
  formsrt::Label lblYear;
  formsrt::TextBox txtWYear;
  formsrt::Label lblType;
  formsrt::TextBox txtWType;
  formsrt::Frame Frame1_2;
  formsrt::Frame frmColors;
  formsrt::Label lblBack;
  formsrt::Label lblFore;
  formsrt::Label lblANN;
  formsrt::ComboBox cmbCB01;
  formsrt::ComboBox cmbCF01;
  formsrt::Label lblAPP;
  formsrt::ComboBox cmbCB02;
  formsrt::ComboBox cmbCF02;
  formsrt::Label lblBIR;
  formsrt::ComboBox cmbCB03;
  formsrt::ComboBox cmbCF03;
  formsrt::Label lblHOL;
  formsrt::ComboBox cmbCB04;
  formsrt::ComboBox cmbCF04;
  formsrt::Label lblWOR;
  formsrt::ComboBox cmbCB05;
  formsrt::ComboBox cmbCF05;
  formsrt::Label lblOTH;
  formsrt::ComboBox cmbCB99;
  formsrt::ComboBox cmbCF99;
  formsrt::CommandButton bOk;
  formsrt::CommandButton bCancel;

  // The page frame of a tab, 1 or 2.
  formsrt::Frame& Frame1(int index) { return index == 1 ? Frame1_1 : Frame1_2; }
  // The page shown, 1 or 2.
  int PageShown() const { return pageShown_; }

  void Form_Load() override;
  void Form_Activate() override;
  void Form_Paint() override;

private:
  void TabStrip1_Click();
  void bOk_Click();
  void bCancel_Click();
  // Ends a showing: the next one fills the controls from the settings again.
  void hide();
  bool SaveRegistrySettings();
  // The back (0) and fore (1) colour lists of each event type, in the order of the types.
  formsrt::ComboBox* colourList(int type, int side);

  PloveraSettings& settings_;
  int pageShown_ = 1;
  bool filled_ = false;
};

} // namespace plovera
