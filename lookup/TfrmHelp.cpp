#include <lookup/TfrmHelp.h>

#include <formlib/TLabel.h>

#include <memory>

namespace pellawin {

using namespace formlib;

namespace {

TLabel* addLabel(TForm* form, TControl* parent, int left, int top, int width, int height, const char* text) {
  auto* label = new TLabel(form, parent);
  label->SetBounds(left, top, width, height);
  label->SetWordWrap(true);
  label->SetShowAccelChar(false);
  label->SetCaption(text);
  return label;
}

TPanel* addPanel(TForm* form) {
  auto* panel = new TPanel(form, form);
  panel->SetBounds(2, 2, 481, 281);
  return panel;
}

void fillWorldTimePanel(TForm* form, TPanel* panel) {
  addLabel(
      form, panel, 8, 8, 465, 42,
      "To locate a country press the first letter of the country or click on the tab at the bottom of the "
      "screen.  To change your local time zone, select the country/city in your timezone and click the "
      "'Set Local Area' button.");
  auto* bevel = new TPanel(form, panel);
  bevel->SetBounds(8, 58, 465, 2);
  bevel->SetBevelOuter(TBevel::bvLowered);
  addLabel(form, panel, 8, 68, 465, 16,
           "To dial an international number directly use the following formula:");
  const char* heads[] = {"International Access Code", "Country Code", "City Code", "Local Telephone Number"};
  const char* values[] = {"011", "39", "81", "987654321"};
  const char* names[] = {"Intl code", "Italy", "Naples", "Local number"};
  for (int i = 0; i < 4; ++i) {
    int left = 8 + i * 118;
    addLabel(form, panel, left, 92, 104, 30, heads[i])->SetAlignment(TAlignment::taCenter);
    addLabel(form, panel, left, 190, 104, 16, values[i])->SetAlignment(TAlignment::taCenter);
    addLabel(form, panel, left, 210, 104, 16, names[i])->SetAlignment(TAlignment::taCenter);
    if (i < 3)
      addLabel(form, panel, left + 106, 96, 10, 16, "+");
  }
  addLabel(form, panel, 8, 140, 465, 42,
           "For example: to dial Naples, Italy from the US you would dial the following numbers:");
}

void fillSuffixPanel(TForm* form, TPanel* panel) {
  addLabel(
      form, panel, 8, 8, 465, 42,
      "Oftentimes you will see an internet www URL that ends with something other than the familiar suffix "
      "of '.com' or '.net' or '.org'.");
  addLabel(
      form, panel, 8, 60, 465, 60,
      "A two-letter suffix is most likely the abbreviation of a country.  For example, a web address such "
      "as www.example.co.jp belongs to a site in Japan.");
}

void fillAreaCodePanel(TForm* form, TPanel* panel) {
  addLabel(
      form, panel, 8, 8, 465, 90,
      "The list of area codes was gathered from various sources and is current as of July 1997.  Some of "
      "the codes have not yet been put into service.  Please tell us of any errors you find.");
}

} // namespace

TfrmHelp::TfrmHelp(TComponent* owner) : TForm(owner) {
  SetName("frmHelp");
  SetCaption("Pellawin Info Help");
  SetBorderStyle(TBorderStyle::bsDialog);
  SetClientSize(487, 318);
  Panel1 = addPanel(this);
  fillWorldTimePanel(this, Panel1);
  Panel2 = addPanel(this);
  fillSuffixPanel(this, Panel2);
  Panel3 = addPanel(this);
  fillAreaCodePanel(this, Panel3);
  Button1 = new TButton(this, this);
  Button1->SetBounds(209, 288, 75, 25);
  Button1->SetCaption("Close");
  Button1->SetCancel(true);
  Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
  SetActiveControl(Button1);
  OnShow = [this](TObject* sender) { FormShow(sender); };
  FormCreate(this);
  CenterOnScreen();
}

void TfrmHelp::ShowPanel(TForm* owner, TPanel* TfrmHelp::*panel) {
  auto help = std::make_unique<TfrmHelp>(owner);
  (help.get()->*panel)->SetVisible(true);
  help->ShowModal();
}

void TfrmHelp::FormCreate(TObject*) {
  Panel1->SetVisible(false);
  Panel2->SetVisible(false);
  Panel3->SetVisible(false);
}

void TfrmHelp::FormShow(TObject*) {
  for (TPanel* panel : {Panel1, Panel2, Panel3})
    if (panel->Visible())
      panel->BringToFront();
}

void TfrmHelp::Button1Click(TObject*) { Close(); }

} // namespace pellawin
