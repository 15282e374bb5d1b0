#include "TfrmInternet.h"

#include "DomainSuffixTable.h"
#include "PellawinForms.h"
#include "TfrmHelp.h"
#include <formlib/TApplication.h>
#include <formlib/TLabel.h>

#include <commctrl.h>

namespace pellawin {

using namespace formlib;

namespace {

constexpr int kBarHeight = 41;

void addTitle(TForm* form, TControl* parent, int left, const char* text) {
  auto* label = new TLabel(form, parent);
  label->SetBounds(left, 11, 90, 13);
  label->SetCaption(text);
}

} // namespace

TfrmInternet::TfrmInternet(TComponent* owner) : TForm(owner) {
  SetName("frmInternet");
  SetCaption("Internet WWW Country Suffixes");
  SetBounds(200, 102, 323, 380);
  createControls();
  FormCreate(this);
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TfrmInternet::createControls() {
  Panel1 = new TPanel(this, this);
  Panel1->SetHeight(kBarHeight);
  Panel1->SetAlign(TAlign::alBottom);
  StatusBar1 = new TStatusBar(this, Panel1);
  // The bar fills the bottom panel; the buttons sit on it.
  SendMessageA(StatusBar1->Handle(), SB_SETMINHEIGHT, kBarHeight, 0);
  StatusBar1->SetAlign(TAlign::alClient);
  btHelp = new TButton(this, StatusBar1);
  btHelp->SetBounds(0, 8, 75, 25);
  btHelp->SetCaption("&Help");
  btOK = new TButton(this, StatusBar1);
  btOK->SetBounds(0, 8, 75, 25);
  btOK->SetCaption("Close");
  btOK->SetCancel(true);

  Panel2 = new TPanel(this, this);
  Panel2->SetAlign(TAlign::alClient);
  Panel3 = new TPanel(this, Panel2);
  Panel3->SetHeight(32);
  Panel3->SetBevelOuter(TBevel::bvLowered);
  Panel3->SetAlign(TAlign::alTop);
  addTitle(this, Panel3, 5, "Abbreviation");
  addTitle(this, Panel3, 100, "Country");
  Box = new TTabListBox(this, Panel2);
  Box->SetTabWidth(65);
  Box->SetAlign(TAlign::alClient);

  WinPlace1 = new TWinPlace(this);
  WinPlace1->SetSection("frmInternet");
  WinPlace1->SetIdentifier("frmInternet");
  WinPlace1->SetDelimiter(" ");
  SetActiveControl(Box);

  btOK->OnClick = [this](TObject* sender) { btOKClick(sender); };
  btHelp->OnClick = [this](TObject* sender) { btHelpClick(sender); };
  Panel1->OnResize = [this](TObject* sender) { Panel1Resize(sender); };
  Panel1Resize(Panel1);
}

void TfrmInternet::FormCreate(TObject*) {
  WinPlace1->SetIniFileName(SettingsPath());
  if (WinPlace1->Value().empty())
    CenterOnScreen();
}

void TfrmInternet::FormShow(TObject*) {
  WinPlace1->RestorePlacement();
  Box->Clear();
  for (const char* row : kDomainSuffixRows)
    Box->Add(row);
}

void TfrmInternet::FormClose(TObject*, TCloseAction&) { WinPlace1->SavePlacementOrReport(); }

void TfrmInternet::btOKClick(TObject*) { Close(); }

void TfrmInternet::btHelpClick(TObject*) { TfrmHelp::ShowPanel(this, &TfrmHelp::Panel2); }

// Measured from the window's outer width, which leaves a wider margin than the area-code window's.
void TfrmInternet::Panel1Resize(TObject*) {
  btOK->SetLeft(Width() - btOK->Width() - 20);
  btHelp->SetLeft(btOK->Left() - btHelp->Width() - 5);
}

} // namespace pellawin
