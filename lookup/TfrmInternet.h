#pragma once

#include "TTabListBox.h"
#include "TWinPlace.h"
#include <formlib/TButton.h>
#include <formlib/TForm.h>
#include <formlib/TPanel.h>
#include <formlib/TStatusBar.h>

namespace pellawin {

// The domain-suffix window: every country and generic Internet suffix with what it stands for. The list's
// own first-letter search is the only way to move by typing.
class TfrmInternet : public formlib::TForm {
public:
  explicit TfrmInternet(formlib::TComponent* owner);

  TTabListBox* Box;
  formlib::TPanel* Panel1;
  formlib::TPanel* Panel2;
  formlib::TPanel* Panel3;
  formlib::TStatusBar* StatusBar1;
  formlib::TButton* btHelp;
  formlib::TButton* btOK;
  TWinPlace* WinPlace1;

  void FormCreate(formlib::TObject* sender);
  void FormShow(formlib::TObject* sender);
  void FormClose(formlib::TObject* sender, formlib::TCloseAction& action);
  void btOKClick(formlib::TObject* sender);
  void btHelpClick(formlib::TObject* sender);
  void Panel1Resize(formlib::TObject* sender);

private:
  void createControls();
};

} // namespace pellawin
