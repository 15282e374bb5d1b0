#pragma once

#include <formlib/TButton.h>
#include <formlib/TForm.h>
#include <lookup/TDigMarquee.h>
#include <lookup/TGradientBack.h>

#include <string>

namespace pellawin {

// The home-page address that the web shortcut opens.
extern const char kHomePage[];

// The about window: a gradient background, the scrolling invitation and a button that opens the home
// page through a web shortcut file beside the program.
class TfrmAbout : public formlib::TForm {
public:
  explicit TfrmAbout(formlib::TComponent* owner);

  TGradientBack* GradientBack1;
  TDigMarquee* DigMarquee1;
  formlib::TButton* OKButton;
  formlib::TButton* btWeb;

  void btWebClick(formlib::TObject* sender);
  static std::string ShortcutPath();
};

} // namespace pellawin
