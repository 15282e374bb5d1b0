#include <lookup/TLookupForm.h>

#include <formlib/TLabel.h>
#include <lookup/PellawinForms.h>
#include <lookup/TfrmHelp.h>

#include <commctrl.h>

namespace pellawin {

using namespace formlib;

namespace {

constexpr int kBarHeight = 41;

} // namespace

TLookupForm::TLookupForm(TComponent* owner, const LookupPlace& place)
    : TForm(owner), helpPage_(place.helpPage) {
  SetName(place.name);
  SetCaption(place.caption);
  SetBounds(place.designed.left, place.designed.top, place.designed.right, place.designed.bottom);
  WinPlace1 = new TWinPlace(this);
  if (place.section)
    WinPlace1->SetSection(place.section);
  WinPlace1->SetIdentifier(place.identifier);
  WinPlace1->SetDelimiter(" ");
  WinPlace1->SetIniFileName(SettingsPath());
  if (WinPlace1->Value().empty())
    CenterOnScreen();
}

void TLookupForm::btHelpClick(TObject*) { TfrmHelp::ShowPanel(this, helpPage_); }

TListLookupForm::TListLookupForm(TComponent* owner, const Layout& layout)
    : TLookupForm(owner, layout.place), rows_(layout.rows) {
  Panel1 = new TPanel(this, this);
  Panel1->SetHeight(kBarHeight);
  Panel1->SetAlign(TAlign::alBottom);
  StatusBar1 = new TStatusBar(this, Panel1);
  // The bar fills the bottom panel, tall enough for what sits on it.
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
  Panel3->SetHeight(layout.titleHeight);
  Panel3->SetBevelOuter(TBevel::bvLowered);
  Panel3->SetAlign(TAlign::alTop);
  for (const Title& title : layout.titles) {
    auto* label = new TLabel(this, Panel3);
    label->SetBounds(title.left, title.top, title.width, 13);
    label->SetCaption(title.text);
  }
  List = new TTabListBox(this, Panel2);
  List->SetTabWidth(layout.tabWidth);
  List->SetAlign(TAlign::alClient);
  SetActiveControl(List);

  btOK->OnClick = [this](TObject* sender) { btOKClick(sender); };
  btHelp->OnClick = [this](TObject* sender) { btHelpClick(sender); };
  Panel1->OnResize = [this](TObject* sender) { Panel1Resize(sender); };
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TListLookupForm::FormShow(TObject*) {
  WinPlace1->RestorePlacement();
  List->Clear();
  for (const char* row : rows_)
    List->Add(row);
}

void TListLookupForm::FormClose(TObject*, TCloseAction&) { WinPlace1->SavePlacementOrReport(); }

void TListLookupForm::btOKClick(TObject*) { Close(); }

void TListLookupForm::Panel1Resize(TObject*) {
  btOK->SetLeft(ButtonsRight() - btOK->Width());
  btHelp->SetLeft(btOK->Left() - btHelp->Width() - 5);
}

} // namespace pellawin
