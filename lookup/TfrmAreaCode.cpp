#include <lookup/TfrmAreaCode.h>

#include <lookup/AreaCodeTable.h>
#include <lookup/TfrmHelp.h>

namespace pellawin {

using namespace formlib;

namespace {

const TListLookupForm::Title kTitles[] = {{5, 8, 32, "Area"},
                                          {4, 24, 32, "Code"},
                                          {40, 24, 64, "Timezone"},
                                          {111, 24, 40, "State"},
                                          {154, 24, 128, "General location"}};

const TListLookupForm::Layout kLayout{{"frmAreaCode",
                                       "Area Code Lookup for the US, Canada and Carribean",
                                       {199, 94, 540, 374},
                                       "frmArea",
                                       "frmArea",
                                       &TfrmHelp::Panel3},
                                      41,
                                      kTitles,
                                      25,
                                      kAreaCodeRows};

} // namespace

TfrmAreaCode::TfrmAreaCode(TComponent* owner) : TListLookupForm(owner, kLayout), lb(List) {
  StatusBar1->AddPanel(50, "Search:");
  Edit1 = new TEdit(this, StatusBar1);
  Edit1->SetBounds(44, 11, 30, 21);
  Edit1->SetMaxLength(3);
  Edit1->BringToFront(); // first in the bar's tab order, before Help and Close
  Edit1->OnChange = [this](TObject* sender) { Edit1Change(sender); };
  lb->OnKeyPress = [this](TObject* sender, char& key) { lbKeyPress(sender, key); };
  Panel1Resize(Panel1);
}

int TfrmAreaCode::ButtonsRight() const { return Panel1->Width() - 15; }

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

} // namespace pellawin
