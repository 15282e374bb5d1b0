#pragma once

#include <formlib/TButton.h>
#include <formlib/TForm.h>
#include <formlib/TPanel.h>

namespace pellawin {

// The help window: three fixed panels in one place, of which the opening window shows exactly one.
class TfrmHelp : public formlib::TForm {
public:
  explicit TfrmHelp(formlib::TComponent* owner);

  // Opens a help window owned by `owner` with only `panel` visible, modally, and frees it.
  static void ShowPanel(formlib::TForm* owner, formlib::TPanel* TfrmHelp::*panel);

  formlib::TPanel* Panel1; // world time and international dialling
  formlib::TPanel* Panel2; // domain suffixes
  formlib::TPanel* Panel3; // area codes
  formlib::TButton* Button1;

  void FormCreate(formlib::TObject* sender);
  void FormShow(formlib::TObject* sender);
  void Button1Click(formlib::TObject* sender);
};

} // namespace pellawin
