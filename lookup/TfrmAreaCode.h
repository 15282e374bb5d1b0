#pragma once

#include "TTabListBox.h"
#include "TWinPlace.h"
#include <formlib/TButton.h>
#include <formlib/TEdit.h>
#include <formlib/TForm.h>
#include <formlib/TLabel.h>
#include <formlib/TPanel.h>
#include <formlib/TStatusBar.h>

#include <string>

namespace pellawin {

// The area-code window: every North-American area code with its time zone, state and places. Typing the
// first digits of a code selects its row.
class TfrmAreaCode : public formlib::TForm {
public:
  explicit TfrmAreaCode(formlib::TComponent* owner);

  TTabListBox* lb;
  formlib::TEdit* Edit1;
  formlib::TStatusBar* StatusBar1;
  formlib::TButton* btHelp;
  formlib::TButton* btOK;
  formlib::TPanel* Panel1;
  formlib::TPanel* Panel2;
  formlib::TPanel* Panel3;
  TWinPlace* WinPlace1;

  void FormCreate(formlib::TObject* sender);
  void FormShow(formlib::TObject* sender);
  void FormClose(formlib::TObject* sender, formlib::TCloseAction& action);
  void Edit1Change(formlib::TObject* sender);
  void lbKeyPress(formlib::TObject* sender, char& key);
  void btOKClick(formlib::TObject* sender);
  void btHelpClick(formlib::TObject* sender);
  void Panel1Resize(formlib::TObject* sender);

private:
  void createControls();
};

} // namespace pellawin
