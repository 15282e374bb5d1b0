#include <lookup/TfrmTimeZones.h>

#include <formlib/Exceptions.h>
#include <formlib/SysUtils.h>
#include <formlib/TApplication.h>
#include <formlib/TIniFile.h>
#include <lookup/CityTable.h>
#include <lookup/TfrmHelp.h>
#include <lookup/WorldTime.h>

#include <algorithm>
#include <cctype>
#include <optional>

namespace pellawin {

using namespace formlib;

bool TfrmTimeZones::redrawing_ = false;

namespace {

const char kSection[] = "timezone";
const char kTimeFormat[] = "ddd t";

// A local city from hand-editable settings; one outside the table is the default city.
int validRow(int row) { return row >= 1 && row <= kCityCount ? row : kDefaultLocalRow; }

std::string placeName(int row) { return std::string(City(row).Country) + " " + City(row).City; }

} // namespace

TfrmTimeZones::TfrmTimeZones(TComponent* owner)
    : TLookupForm(owner, {"frmTimeZones",
                          "International Timezones and Dialing codes",
                          {200, 104, 524, 378},
                          nullptr,
                          "frmTimeZones",
                          &TfrmHelp::Panel1}) {
  SetKeyPreview(true);
  createControls();
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnClose = [this](TObject* sender, TCloseAction& action) { FormClose(sender, action); };
  OnResize = [this](TObject* sender) { FormResize(sender); };
  OnKeyPress = [this](TObject* sender, char& key) { FormKeyPress(sender, key); };
}

void TfrmTimeZones::createControls() {
  Panel2 = new TPanel(this, this);
  Panel2->SetHeight(79);
  Panel2->SetAlign(TAlign::alBottom);
  TabSet1 = new TTabSet(this, Panel2);
  TabSet1->SetHeight(20);
  TabSet1->SetAlign(TAlign::alTop);
  std::vector<std::string> letters;
  for (char c = 'A'; c <= 'Z'; ++c)
    letters.emplace_back(1, c);
  TabSet1->SetTabs(letters);
  TabSet1->SetTabIndex(0);
  Label2 = new TLabel(this, Panel2);
  Label2->SetBounds(7, 29, 162, 28);
  Label2->SetWordWrap(true);
  Label2->SetCaption("*City codes not required,  **Daylight Savings time applies");
  sbSet = new TButton(this, Panel2);
  sbSet->SetBounds(250, 27, 97, 25);
  sbSet->SetCaption("Set Local Area");
  btHelp = new TButton(this, Panel2);
  btHelp->SetBounds(353, 27, 75, 25);
  btHelp->SetCaption("Help");
  btClose = new TButton(this, Panel2);
  btClose->SetBounds(432, 27, 75, 25);
  btClose->SetCaption("Close");
  btClose->SetCancel(true);
  bar = new TStatusBar(this, Panel2);
  bar->SetHeight(22);
  bar->SetSimplePanel(true);

  grid = new TStringGrid(this, this);
  grid->SetColWidths({167, 118, 84, 57, 58});
  grid->SetDefaultRowHeight(21);
  grid->SetRowCount(kCityCount + 1);
  grid->SetFixedRows(1);
  grid->SetAlign(TAlign::alClient);

  Timer1 = new TTimer(this);
  Timer1->SetInterval(30000);
  SetActiveControl(grid);

  TabSet1->OnClick = [this](TObject* sender) { TabSet1Click(sender); };
  sbSet->OnClick = [this](TObject* sender) { sbSetClick(sender); };
  btHelp->OnClick = [this](TObject* sender) { btHelpClick(sender); };
  btClose->OnClick = [this](TObject* sender) { btCloseClick(sender); };
  grid->OnTopLeftChanged = [this](TObject* sender) { gridTopLeftChanged(sender); };
  Timer1->OnTimer = [this](TObject* sender) { Timer1Timer(sender); };
  Panel2->OnResize = [this](TObject* sender) { Panel2Resize(sender); };
  Panel2Resize(Panel2);
}

std::string TfrmTimeZones::SettingsPath() const { return Application->ExeFolder() + "pellawin.ini"; }

void TfrmTimeZones::FormShow(TObject*) {
  TIniFile ini(SettingsPath());
  localRow_ = validRow(ini.ReadInteger(kSection, "Local", kDefaultLocalRow));
  int top = std::clamp(ini.ReadInteger(kSection, "LastIndex", kDefaultLocalRow), 1, kCityCount);
  grid->SetTopRow(top);
  grid->SetRow(grid->TopRow());
  DrawAreaCaption();
  const char* titles[] = {"Country", "City", "Time", "Ctry code", "City code"};
  for (int col = 0; col < 5; ++col)
    grid->SetCell(col, 0, titles[col]);
  WinPlace1->RestorePlacement();
  // Whatever the rows showed when the window was last open is stale now.
  RedrawTheGrid();
}

// A failed settings write is reported once and the window closes all the same.
void TfrmTimeZones::FormClose(TObject*, TCloseAction&) {
  std::optional<std::string> failure;
  try {
    WinPlace1->SavePlacement();
  } catch (const EAbort&) {
  } catch (const std::exception& error) {
    failure = error.what();
  }
  try {
    TIniFile(SettingsPath()).WriteInteger(kSection, "LastIndex", grid->TopRow());
  } catch (const std::exception& error) {
    if (!failure)
      failure = error.what();
  }
  if (failure)
    Application->HandleException(Exception(*failure));
}

void TfrmTimeZones::RedrawTheGrid() {
  if (redrawing_ || localRow_ == 0)
    return;
  redrawing_ = true;
  // Cleared however the redraw ends, or the grid would never refresh again.
  struct Release {
    ~Release() { redrawing_ = false; }
  } release;
  int top = grid->TopRow();
  int last = top + grid->VisibleRowCount();
  for (int row = top; row <= last && row <= kCityCount; ++row) {
    const TCity& city = City(row);
    std::string time = FormatDateTime(kTimeFormat, TimeAtCity(localRow_, row));
    if (IsDaylightTime(row))
      time += "**";
    grid->SetCell(0, row, city.Country);
    grid->SetCell(1, row, city.City);
    grid->SetCell(2, row, time);
    grid->SetCell(3, row, IntToStr(city.CountryCode));
    grid->SetCell(4, row, city.CityCode);
  }
  DrawAreaCaption();
}

void TfrmTimeZones::DrawAreaCaption() {
  bar->SetSimpleText("Local time : " + placeName(localRow_) +
                     " Time: " + FormatDateTime(kTimeFormat, TimeAtCity(localRow_, localRow_)));
}

void TfrmTimeZones::FormResize(TObject*) { RedrawTheGrid(); }

void TfrmTimeZones::gridTopLeftChanged(TObject*) { RedrawTheGrid(); }

void TfrmTimeZones::Timer1Timer(TObject*) { RedrawTheGrid(); }

void TfrmTimeZones::FormKeyPress(TObject*, char& key) {
  Timer1->SetEnabled(false);
  auto letter = static_cast<char>(std::toupper(static_cast<unsigned char>(key)));
  if (letter >= 'A' && letter <= 'Z') {
    int before = TabSet1->TabIndex();
    TabSet1->SetTabIndex(letter - 'A');
    if (TabSet1->TabIndex() == before)
      TabSet1Click(TabSet1);
  }
  Timer1->SetEnabled(true);
}

int TfrmTimeZones::findCountry(char letter, int from, int to, const std::string& current) const {
  for (int row = from; row <= to; ++row) {
    const char* country = City(row).Country;
    if (country[0] == letter && current != country)
      return row;
  }
  return 0;
}

void TfrmTimeZones::TabSet1Click(TObject*) {
  char letter = static_cast<char>('A' + TabSet1->TabIndex());
  int selected = grid->Row();
  std::string current = City(selected).Country;
  int found = findCountry(letter, selected + 1, kCityCount, current);
  if (!found)
    found = findCountry(letter, 1, selected, current);
  if (!found)
    return;
  grid->SetTopRow(found);
  grid->SetRow(found);
}

void TfrmTimeZones::sbSetClick(TObject*) {
  int row = grid->Row();
  if (row == localRow_)
    return;
  std::string question = "Really change your area to \"" + placeName(row) + "\"?";
  if (MessageBoxA(Handle(), question.c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  TIniFile(SettingsPath()).WriteInteger(kSection, "Local", row);
  localRow_ = row;
  RedrawTheGrid();
}

void TfrmTimeZones::btCloseClick(TObject*) { Close(); }

void TfrmTimeZones::Panel2Resize(TObject*) {
  btClose->SetLeft(Panel2->Width() - btClose->Width() - 5);
  btHelp->SetLeft(btClose->Left() - btHelp->Width() - 5);
  sbSet->SetLeft(btHelp->Left() - sbSet->Width() - 5);
}

} // namespace pellawin
