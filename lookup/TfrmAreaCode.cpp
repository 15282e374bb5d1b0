#include "TfrmAreaCode.h"

#include "AreaCodeTable.h"
#include "PellawinForms.h"
#include "TfrmHelp.h"
#include <formlib/TApplication.h>

#include <commctrl.h>

#include <cstring>

namespace pellawin {

using namespace formlib;

namespace {

constexpr int kBarHeight = 41;

void addTitle(TForm* form, TControl* parent, int left, int top, const char* text) {
  auto* label = new TLabel(form, parent);
  label->SetBounds(left, top, 8 * static_cast<int>(std::strlen(text)), 13);
  label->SetCaption(text);
}

} // namespace

TfrmAreaCode::TfrmAreaCode(TComponent* owner) : TForm(owner) {
  SetName("frmAreaCode");
  SetCaption("Area Code Lookup for the US, Canada and Carribean");
  SetBounds(199, 94, 540, 374);
  createControls();
  FormCreate(this);
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
}

void TfrmAreaCode::createControls() {
  Panel1 = new TPanel(this, this);
  Panel1->SetHeight(kBarHeight);
  Panel1->SetAlign(TAlign::alBottom);
  StatusBar1 = new TStatusBar(this, Panel1);
  // The bar fills the bottom panel, tall enough for the search box and the buttons that sit on it.
  SendMessageA(StatusBar1->Handle(), SB_SETMINHEIGHT, kBarHeight, 0);
  StatusBar1->SetAlign(TAlign::alClient);
  StatusBar1->AddPanel(50, "Search:");
  Edit1 = new TEdit(this, StatusBar1);
  Edit1->SetBounds(44, 11, 30, 21);
  Edit1->SetMaxLength(3);
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
  Panel3->SetHeight(41);
  Panel3->SetBevelOuter(TBevel::bvLowered);
  Panel3->SetAlign(TAlign::alTop);
  addTitle(this, Panel3, 5, 8, "Area");
  addTitle(this, Panel3, 4, 24, "Code");
  addTitle(this, Panel3, 40, 24, "Timezone");
  addTitle(this, Panel3, 111, 24, "State");
  addTitle(this, Panel3, 154, 24, "General location");
  lb = new TTabListBox(this, Panel2);
  lb->SetTabWidth(25);
  lb->SetAlign(TAlign::alClient);

  WinPlace1 = new TWinPlace(this);
  WinPlace1->SetSection("frmArea");
  WinPlace1->SetIdentifier("frmArea");
  WinPlace1->SetDelimiter(" ");
  SetActiveControl(lb);

  Edit1->OnChange = [this](TObject* sender) { Edit1Change(sender); };
  lb->OnKeyPress = [this](TObject* sender, char& key) { lbKeyPress(sender, key); };
  btOK->OnClick = [this](TObject* sender) { btOKClick(sender); };
  btHelp->OnClick = [this](TObject* sender) { btHelpClick(sender); };
  Panel1->OnResize = [this](TObject* sender) { Panel1Resize(sender); };
  Panel1Resize(Panel1);
}

void TfrmAreaCode::FormCreate(TObject*) {
  WinPlace1->SetIniFileName(SettingsPath());
  if (WinPlace1->Value().empty())
    CenterOnScreen();
}

void TfrmAreaCode::FormShow(TObject*) {
  WinPlace1->RestorePlacement();
  lb->Clear();
  for (const char* row : kAreaCodeRows)
    lb->Add(row);
}

void TfrmAreaCode::FormClose(TObject*, TCloseAction&) { WinPlace1->SavePlacementOrReport(); }

// The list's own prefix search starts after the given row and wraps round to it last.
void TfrmAreaCode::Edit1Change(TObject*) {
  std::string text = Edit1->Text().substr(0, 255);
  auto index = static_cast<int>(lb->Perform(LB_SELECTSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
  lb->SetItemIndex(index);
}

// A character typed in the list starts a search in the search box.
void TfrmAreaCode::lbKeyPress(TObject*, char& key) {
  if (static_cast<unsigned char>(key) < 32)
    return;
  Edit1->SetFocus();
  Edit1->SetText(std::string(1, key));
  Edit1->SetSelStart(1);
  key = 0;
}

void TfrmAreaCode::btOKClick(TObject*) { Close(); }

void TfrmAreaCode::btHelpClick(TObject*) { TfrmHelp::ShowPanel(this, &TfrmHelp::Panel3); }

void TfrmAreaCode::Panel1Resize(TObject*) {
  btOK->SetLeft(Panel1->Width() - btOK->Width() - 15);
  btHelp->SetLeft(btOK->Left() - btHelp->Width() - 5);
}

} // namespace pellawin
