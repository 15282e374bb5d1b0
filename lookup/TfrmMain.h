#pragma once

#include <formlib/TButton.h>
#include <formlib/TForm.h>
#include <lookup/TVkLabel.h>

namespace pellawin {

// The main window: a menu of buttons that bring up the look-up windows, the about window, or end the
// program.
class TfrmMain : public formlib::TForm {
public:
  explicit TfrmMain(formlib::TComponent* owner);

  TVkLabel* VkLabel1;
  formlib::TButton* btArea;
  formlib::TButton* btIntl;
  formlib::TButton* btInternet;
  formlib::TButton* btAbout;
  formlib::TButton* btClose;
  TVkLabel* VkLabel2;
  TVkLabel* VkLabel3;

  void btAreaClick(formlib::TObject* sender);
  void btIntlClick(formlib::TObject* sender);
  void btInternetClick(formlib::TObject* sender);
  void btAboutClick(formlib::TObject* sender);
  void btCloseClick(formlib::TObject* sender);
};

} // namespace pellawin
