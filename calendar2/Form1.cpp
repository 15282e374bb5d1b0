#include <calendar2/Form1.h>

#include <calendar2/EventGridLayout.h>
#include <calendar2/GridAppearance.h>

#include <formsrt/Application.h>
#include <formsrt/Colour.h>
#include <formsrt/DateTime.h>
#include <formsrt/RuntimeError.h>
#include <formsrt/Text.h>

namespace plovera {

using formsrt::Chr;
using formsrt::MenuItem;
using formsrt::QBColor;

const char Form1::kProgramTitle[] = "Plovera v4.0";

Form1::Form1(std::string folder)
    : formsrt::Form("Form1", 7920, 5625), Grid0(*this, "Grid0", 208, 192, 4648, 3912, 2, 5, 1, 0),
      fMonth1(*this, "fMonth1", "", 5006, 200, 2670, 1780),
      Grid1(fMonth1, "Grid1", 35, 250, 2600, 1440, 7, 7, 1, 0),
      fMonth2(*this, "fMonth2", "", 5006, 2202, 2670, 1780),
      Grid2(fMonth2, "Grid2", 35, 250, 2600, 1440, 7, 7, 1, 0),
      lblDay(*this, "lblDay", "", 5145, 4204, 2276, 300),
      lblDate(*this, "lblDate", "", 5145, 4505, 2276, 300),
      lblKwes(*this, "lblKwes", "(c) Harnfield Systems", 5040, 4905, 2472, 216),
      lblInfo1(*this, "lblInfo1", "", 198, 5340, 4335, 200),
      lblInfo2(*this, "lblInfo2", "", 4898, 5340, 1385, 200),
      bAdd(*this, "bAdd", "&Add", 346, 4250, 989, 400),
      bUpdate(*this, "bUpdate", "&Update", 1385, 4250, 989, 400),
      bDelete(*this, "bDelete", "&Delete", 346, 4700, 989, 400),
      bPrint(*this, "bPrint", "&Print", 1385, 4700, 989, 400),
      bMonthD(*this, "bMonthD", "&<", 2671, 4250, 495, 400),
      bToday(*this, "bToday", "&Today", 3230, 4250, 890, 400),
      bMonthU(*this, "bMonthU", "&>", 4180, 4250, 495, 400),
      bSave(*this, "bSave", "&Save", 2671, 4700, 989, 400),
      bExit(*this, "bExit", "E&xit", 3710, 4700, 989, 400), mnuFile(*this, "mnuFile", "&File"),
      mnuSettings(mnuFile, "mnuSettings", "Se&ttings...", MenuItem::ctrl | 'T'),
      mnuSave(mnuFile, "mnuSave", "&Save", MenuItem::ctrl | 'S'), mnuSep1(mnuFile, "mnuSep1", "-"),
      mnuPrint(mnuFile, "mnuPrint", "&Print"), mnuSep4(mnuFile, "mnuSep4", "-"),
      mnuExit(mnuFile, "mnuExit", "E&xit"), mnuuAction(*this, "mnuuAction", "&Action"),
      mnuAdd(mnuuAction, "mnuAdd", "&Add"), mnuUpdate(mnuuAction, "mnuUpdate", "&Update"),
      mnuDelete(mnuuAction, "mnuDelete", "&Delete"), mnuSep2(mnuuAction, "mnuSep2", "-"),
      mnuMonthD(mnuuAction, "mnuMonthD", "Pre&vious Month"), mnuToday(mnuuAction, "mnuToday", "&Today"),
      mnuMonthU(mnuuAction, "mnuMonthU", "&Next Month"), mnuHelp(*this, "mnuHelp", "&Help"),
      mnuContents(mnuHelp, "mnuContents", "&Contents"), mnuSep3(mnuHelp, "mnuSep3", "-"),
      mnuAbout(mnuHelp, "mnuAbout", "&About Plovera"), folder_(std::move(folder)), dataFile_(folder_) {
  Grid1.ScrollBars = 0;
  Grid2.ScrollBars = 0;
  // The next month's calendar marks no day; its current cell is only where the grid starts.
  Grid2.HighLight = 0;
  wireEvents();
}

Form1::~Form1() = default;

void Form1::wireEvents() {
  bSave.setEnabled(false);
  mnuSave.setEnabled(false);
  const std::pair<formsrt::CommandButton*, MenuItem*> pairs[] = {
      {&bAdd, &mnuAdd},       {&bUpdate, &mnuUpdate}, {&bDelete, &mnuDelete},
      {&bSave, &mnuSave},     {&bExit, &mnuExit},     {&bPrint, &mnuPrint},
      {&bMonthD, &mnuMonthD}, {&bMonthU, &mnuMonthU}, {&bToday, &mnuToday}};
  mnuSettings.Click = [this] { mnuSettings_Click(); };
  mnuSave.Click = [this] { mnuSave_Click(); };
  mnuPrint.Click = [this] { mnuPrint_Click(); };
  mnuExit.Click = [this] { mnuExit_Click(); };
  mnuAdd.Click = [this] { mnuAdd_Click(); };
  mnuUpdate.Click = [this] { mnuUpdate_Click(); };
  mnuDelete.Click = [this] { mnuDelete_Click(); };
  mnuMonthD.Click = [this] { mnuMonthD_Click(); };
  mnuMonthU.Click = [this] { mnuMonthU_Click(); };
  mnuToday.Click = [this] { mnuToday_Click(); };
  mnuContents.Click = [this] { mnuContents_Click(); };
  mnuAbout.Click = [this] { mnuAbout_Click(); };
  for (auto [button, item] : pairs)
    button->Click = [item] { item->Click(); };
  Grid0.DblClick = [this] { mnuUpdate_Click(); };
  Grid0.KeyDown = [this](int keyCode, int) { Grid0_KeyDown(keyCode); };
}

void Form1::Form_Load() {
  setDefaultButton(&bExit);
  setCancelButton(&bExit);
  try {
    formsrt::App.Title = kProgramTitle;
    formsrt::App.HelpFile = folder_ + "\\PLOVERA.HLP";
    formsrt::Date today = formsrt::Today();
    lblDay.setCaption(formsrt::Format(today, "dddd"));
    lblDate.setCaption(formsrt::Format(today, "mmmm dd, yyyy"));
    reportUnreadSettings(LoadRegistrySettings(Settings));
    ApplyGridSettings(Grid0, Settings);
    FitDateColumn(Grid0);
    dataFile_.load(Grid0, Settings);
    CurrentMonth = GoToToday(Grid0);
    auto [thisMonth, nextMonth] = FillMonthCalendars(Grid1, Grid2, today);
    fMonth1.setCaption(thisMonth);
    fMonth2.setCaption(nextMonth);
    lblInfo1.setCaption(dataFile_.dataPath());
    lblInfo2.setCaption(std::to_string(EventCount()) + " Events");
    for (formsrt::FlexGrid* calendar : {&Grid1, &Grid2}) {
      calendar->FontName = "Times New Roman";
      calendar->FontSize = 7.2;
      calendar->FontBold = false;
    }
    layOutCalendars();
    setCaption(kProgramTitle);
    Show();
    Grid0.SetFocus();
    Grid0.setCol(colDate);
    Grid0.setColSel(colSeq);
  } catch (const formsrt::RuntimeError& error) {
    formsrt::MsgBox(error.describe());
    formsrt::Screen.setMousePointer(formsrt::pointerDefault);
  }
}

// The calendars are as large as their font needs. What lies below each stays where it was designed while
// a small gap is left, and moves down only as far as a calendar that has grown needs.
void Form1::layOutCalendars() {
  const int gap = 120;
  SizeMonthCalendar(Grid1, fMonth1);
  SizeMonthCalendar(Grid2, fMonth2);
  int below = fMonth1.Top() + fMonth1.Height() + gap - fMonth2.Top();
  if (below > 0)
    fMonth2.Move(fMonth2.Left(), fMonth2.Top() + below, fMonth2.Width(), fMonth2.Height());
  below = fMonth2.Top() + fMonth2.Height() + gap - lblDay.Top();
  for (formsrt::Label* label : {&lblDay, &lblDate, &lblKwes}) {
    if (below > 0)
      label->Move(label->Left(), label->Top() + below, label->Width(), label->Height());
  }
  Grid1.Refresh();
  Grid2.Refresh();
}

void Form1::reportUnreadSettings(const std::vector<std::string>& keys) {
  if (keys.empty())
    return;
  std::string list;
  for (const std::string& key : keys)
    list += Chr(10) + key;
  formsrt::MsgBox("These settings could not be read and have their default values:" + Chr(10) + list,
                  formsrt::mbOKOnly | formsrt::mbExclamation);
}

void Form1::Form_Paint() {
  const RECT boxes[] = {
      {25, 25, 7960, 5250}, {25, 5310, 4800, 5570}, {4900, 5310, 6400, 5570}, {6500, 5310, 7960, 5570}};
  for (const RECT& box : boxes) {
    Line(box.left, box.top, box.right, box.top, QBColor(8));
    Line(box.left, box.top, box.left, box.bottom, QBColor(8));
    Line(box.left, box.bottom, box.right, box.bottom, QBColor(15));
    Line(box.right, box.top, box.right, box.bottom, QBColor(15));
  }
}

void Form1::Form_Unload(int& cancel) {
  if (bSave.Enabled()) {
    int answer = formsrt::MsgBox("Data File has not been saved..." + Chr(10) + Chr(10) +
                                     "Do you want to Save before exiting?",
                                 formsrt::mbYesNo | formsrt::mbExclamation);
    if (answer == formsrt::answerYes) {
      mnuSave_Click();
      // A save that failed has said why; closing now would lose the changes.
      if (bSave.Enabled()) {
        cancel = 1;
        return;
      }
    }
  }
  formsrt::End();
}

void Form1::mnuSave_Click() {
  if (!dataFile_.save(Grid0, Settings))
    return;
  // The reloaded list shows today's rows, so the month commands start from today's month again.
  CurrentMonth = formsrt::Month(formsrt::Today());
  bSave.setEnabled(false);
  mnuSave.setEnabled(false);
  setDefaultButton(&bExit);
  showEventCount();
}

void Form1::mnuExit_Click() {
  if (form2_)
    form2_->Unload();
  Unload();
}

void Form1::mnuContents_Click() { formsrt::SendKeys("{F1}"); }

void Form1::mnuAbout_Click() { ShowAbout(); }

void Form1::ShowAbout() {
  const std::string lf = Chr(10);
  AboutText = std::string(kProgramTitle) + lf + "(c) Harnfield Systems. All rights reserved." + lf + lf +
              "Harnfield Systems" + lf + "12 Mill Lane, Eastbury" + lf + "Telephone 0100 555 0142" + lf + lf +
              "Online service: Harnfield 7000,123" + lf + "E-mail: plovera@harnfield.example" + lf + lf +
              "Web: www.harnfield.example";
  formsrt::MsgBox(AboutText, formsrt::mbOKOnly, kProgramTitle);
}

void Form1::Grid0_KeyDown(int keyCode) {
  if (keyCode == VK_INSERT)
    mnuAdd_Click();
  else if (keyCode == VK_DELETE)
    mnuDelete_Click();
  Grid0.SetFocus();
}

Form2& Form1::eventForm() {
  if (!form2_)
    form2_ = std::make_unique<Form2>();
  if (!form2_->isLoaded())
    form2_->Load();
  return *form2_;
}

Form9& Form1::settingsForm() {
  if (!form9_)
    form9_ = std::make_unique<Form9>(Settings);
  if (!form9_->isLoaded())
    form9_->Load();
  return *form9_;
}

void Form1::mnuSettings_Click() {
  settingsForm().Show(true);
  // Cancel has read the stored settings back, so the grid is styled anew either way.
  ApplyGridSettings(Grid0, Settings);
  FitDateColumn(Grid0);
  // Colouring moves the current cell; the user's selection and scroll position stay as they were.
  const int row = Grid0.Row(), col = Grid0.Col(), rowSel = Grid0.RowSel(), colSel = Grid0.ColSel();
  const int topRow = Grid0.TopRow();
  Grid0.setVisible(false);
  for (int r = 1; r < Grid0.Rows(); ++r)
    ColorRowsByType(Grid0, Settings, r);
  Grid0.setRow(row);
  Grid0.setCol(col);
  Grid0.setRowSel(rowSel);
  Grid0.setColSel(colSel);
  Grid0.setTopRow(topRow);
  Grid0.setVisible(true);
  Grid0.SetFocus();
}

bool Form1::confirm(const std::string& action, const std::string& what, int defaultButton) {
  // Only "Y" asks; any other value of the setting means no question.
  if (Settings.Confirm != 'Y')
    return true;
  const std::string lf = Chr(10);
  return formsrt::MsgBox("Are you sure you want to" + lf + lf + action + lf + lf + what,
                         formsrt::mbYesNo | formsrt::mbExclamation | defaultButton) == formsrt::answerYes;
}

void Form1::markChanged() {
  bSave.setEnabled(true);
  mnuSave.setEnabled(true);
  setDefaultButton(&bSave);
}

void Form1::showEventCount() { lblInfo2.setCaption(std::to_string(EventCount()) + "  Events"); }

} // namespace plovera
