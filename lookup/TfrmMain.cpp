#include <lookup/TfrmMain.h>

#include <lookup/PellawinForms.h>
#include <lookup/TfrmAbout.h>
#include <lookup/TfrmAreaCode.h>
#include <lookup/TfrmInternet.h>
#include <lookup/TfrmTimeZones.h>

#include <memory>

namespace pellawin {

using namespace formlib;

namespace {

TButton* addButton(TForm* form, int left, int top, int width, int height, const char* caption) {
  auto* button = new TButton(form, form);
  button->SetBounds(left, top, width, height);
  button->SetCaption(caption);
  return button;
}

} // namespace

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {
  SetName("frmMain");
  SetCaption("Pellawin Info");
  SetBorderStyle(TBorderStyle::bsSingle, true);
  SetClientSize(348, 271);

  VkLabel1 = new TVkLabel(this, this);
  VkLabel1->SetBounds(16, 8, 311, 29);
  TFont heading = VkLabel1->Font();
  heading.SetColor(clBlack);
  heading.SetHeight(-24);
  VkLabel1->SetFont(heading);
  VkLabel1->SetCaption("What do you want to look up?");

  btArea = addButton(this, 71, 48, 207, 33, "&Area codes");
  btIntl = addButton(this, 71, 96, 207, 33, "&International timezones/dialing codes");
  btInternet = addButton(this, 71, 144, 207, 33, "Internet &WWW suffixes");
  btAbout = addButton(this, 86, 194, 75, 25, "A&bout");
  btClose = addButton(this, 188, 194, 75, 25, "Close");
  btClose->SetCancel(true);

  // The window has nothing to show in this label.
  VkLabel2 = new TVkLabel(this, this);
  VkLabel2->SetVisible(false);

  VkLabel3 = new TVkLabel(this, this);
  VkLabel3->SetBounds(81, 250, 186, 17);
  TFont address = VkLabel3->Font();
  address.SetColor(RGB(255, 0, 0));
  address.SetBold(true);
  address.SetHeight(-13);
  VkLabel3->SetFont(address);
  VkLabel3->SetAlignment(TAlignment::taCenter);
  VkLabel3->SetTextStyle(TTextStyle::tsRaised);
  VkLabel3->SetCaption("www.marrowind.example");

  SetActiveControl(btArea);
  btArea->OnClick = [this](TObject* sender) { btAreaClick(sender); };
  btIntl->OnClick = [this](TObject* sender) { btIntlClick(sender); };
  btInternet->OnClick = [this](TObject* sender) { btInternetClick(sender); };
  btAbout->OnClick = [this](TObject* sender) { btAboutClick(sender); };
  btClose->OnClick = [this](TObject* sender) { btCloseClick(sender); };
  CenterOnScreen();
}

void TfrmMain::btAreaClick(TObject*) { frmAreaCode->Show(); }

void TfrmMain::btIntlClick(TObject*) { frmTimeZones->Show(); }

void TfrmMain::btInternetClick(TObject*) { frmInternet->Show(); }

// Freed however showing it ends.
void TfrmMain::btAboutClick(TObject*) {
  auto about = std::make_unique<TfrmAbout>(this);
  about->ShowModal();
}

void TfrmMain::btCloseClick(TObject*) { Close(); }

} // namespace pellawin
