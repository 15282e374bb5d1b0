#include <calendar2/tests/PloveraFixture.h>

#include <calendar2/EventGridLayout.h>

#include <formsrt/Application.h>
#include <formsrt/Settings.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/ModalSteps.h>
#include <tests/support/RealInput.h>
#include <tests/support/SentInput.h>

#include <gmock/gmock.h>

#include <sstream>

using namespace plovera;
using namespace testsupport;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const std::vector<std::string> kEvents = {"12/25|Christmas||04", "01/01|New Year||04", "05/12|Mum|1950|03",
                                          "02/14|Valentine||01", "03/20|Spring||99"};
const char kMonthSep[] = "=====|==================================|====|=======";
const char kClosingSep[] = "=====|================================|====|=======";

TEST_F(PloveraTest, StartUpListsTheEventsByMonthAndSelectsTheNextEvent) {
  auto& form = start(kEvents);
  EXPECT_THAT(listedRows(),
              ElementsAre(kMonthSep, "01/01|New Year||Holiday", kMonthSep, "02/14|Valentine||Anniv",
                          kMonthSep, "03/20|Spring||Other", kMonthSep, "05/12|Mum|1950|Birth", kMonthSep,
                          "12/25|Christmas||Holiday", kClosingSep));
  EXPECT_EQ(form.Grid0.Rows(), 17);
  EXPECT_EQ(form.Grid0.TextMatrix(0, colSeq), "Seq");
  EXPECT_EQ(form.lblInfo2.Caption(), "5 Events");
  EXPECT_EQ(form.lblInfo1.Caption(), dir_.file("PLOVERA.DAT"));
  EXPECT_EQ(form.lblDay.Caption(), "Tuesday");
  EXPECT_EQ(form.lblDate.Caption(), "March 10, 2026");
  EXPECT_EQ(form.fMonth1.Caption(), "March 2026");
  EXPECT_EQ(form.fMonth2.Caption(), "April 2026");
  EXPECT_EQ(form.Grid1.TextMatrix(form.Grid1.Row(), form.Grid1.Col()), "10");
  EXPECT_EQ(form.Caption(), "Plovera v4.0");
  // Today's next event, selected across the row, with the focus in the list.
  EXPECT_EQ(form.Grid0.Row(), 6);
  EXPECT_TRUE(form.Grid0.isSelected(6, colDate));
  EXPECT_TRUE(form.Grid0.isSelected(6, colSeq));
  EXPECT_EQ(form.CurrentMonth, 3);
  EXPECT_EQ(GetFocus(), form.Grid0.hwnd());
  EXPECT_FALSE(form.bSave.Enabled());
  EXPECT_FALSE(form.mnuSave.Enabled());
  EXPECT_EQ(form.defaultButton(), &form.bExit);
  EXPECT_THAT(answers_.seen(), IsEmpty()) << answers_.describeSeen();
}

// Add with Insert, update with a double click, delete with the Delete key, then save: the file holds the
// list as the user left it, sorted, and the deleted rows are gone.
TEST_F(PloveraTest, AddUpdateDeleteAndSaveAsAUserDoes) {
  auto& form = start(kEvents);
  fillEventForm("Event Add", "7/4", "Picnic", "", 1);
  answers_.answer("ADD", IDYES);
  pressKey(form.Grid0.hwnd(), VK_INSERT);
  EXPECT_EQ(form.Grid0.TextMatrix(10, colDate), "07/04") << "before the first later date";
  EXPECT_EQ(form.Grid0.TextMatrix(10, colType), "Appt");
  EXPECT_EQ(form.lblInfo2.Caption(), "6  Events");
  EXPECT_TRUE(form.bSave.Enabled());
  EXPECT_TRUE(form.mnuSave.Enabled());
  EXPECT_EQ(form.defaultButton(), &form.bSave);
  EXPECT_EQ(GetFocus(), form.Grid0.hwnd());

  form.Grid0.setTopRow(1);
  form.Grid0.Refresh();
  RECT cell = form.Grid0.cellRect(8, colEvent);
  ASSERT_FALSE(IsRectEmpty(&cell));
  fillEventForm("Event Update", "5/13", "Mum's birthday", "1950", 2);
  answers_.answer("UPDATE", IDYES);
  doubleClick(form.Grid0.hwnd(), cell.left + 3, cell.top + 3);
  EXPECT_EQ(listedRows()[7], "05/13|Mum's birthday|1950|Birth");

  // From the bottom up, over two separators: only the two events are marked.
  selectRows(4, 1);
  answers_.answer("DELETE", IDYES);
  pressKey(form.Grid0.hwnd(), VK_DELETE);
  EXPECT_EQ(form.Grid0.TextMatrix(2, colDate), "*01/01");
  EXPECT_EQ(form.Grid0.TextMatrix(4, colDate), "*02/14");
  EXPECT_EQ(form.Grid0.TextMatrix(3, colDate), "=====");
  EXPECT_EQ(form.lblInfo2.Caption(), "4  Events");

  form.bSave.press();
  EXPECT_EQ(dataFile(), dataFileBytes({"03/20|Spring||99", "05/13|Mum's birthday|1950|03", "07/04|Picnic||02",
                                       "12/25|Christmas||04"}));
  EXPECT_EQ(readFile(dir_.file("PLOVERA.BAK")), dataFileBytes(kEvents));
  EXPECT_FALSE(form.bSave.Enabled());
  EXPECT_FALSE(form.mnuSave.Enabled());
  EXPECT_EQ(form.defaultButton(), &form.bExit);
  EXPECT_EQ(form.lblInfo2.Caption(), "4  Events");
}

TEST_F(PloveraTest, TheConfirmSettingAsksOnlyWhenItIsY) {
  struct Case {
    char confirm;
    int answer; // 0: no question expected
    bool added;
  };
  const Case cases[] = {{'Y', IDNO, false}, {'Y', IDYES, true}, {'N', 0, true}, {'x', 0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("Confirm ") + c.confirm + " answer " + std::to_string(c.answer));
    size_t seenBefore = answers_.seen().size();
    auto& form = start(kEvents);
    form.Settings.Confirm = c.confirm;
    fillEventForm("Event Add", "04/01", "Fools", "", 5);
    if (c.answer)
      answers_.answer("ADD", c.answer);
    form.bAdd.press();
    EXPECT_EQ(form.Grid0.TextMatrix(8, colDate) == "04/01", c.added);
    EXPECT_EQ(form.bSave.Enabled(), c.added);
    EXPECT_EQ(form.EventCount(), c.added ? 6 : 5);
    EXPECT_EQ(GetFocus(), form.Grid0.hwnd());
    // The event form, then the question if there is one.
    EXPECT_EQ(answers_.seen().size() - seenBefore, c.answer ? 2u : 1u) << answers_.describeSeen();
    form_.reset();
  }
}

// Cancel, the close box, a date that is no day and a tab typed into the description.
TEST_F(PloveraTest, TheEventFormKeepsTheListSound) {
  auto& form = start(kEvents);
  form.Settings.Confirm = 'N';
  auto before = listedRows();

  fillEventForm("Event Add", "06/01", "Cancelled", "", 0, false);
  form.bAdd.press();
  freshEventForm();
  answers_.act("Event Add", [this](HWND window) {
    form_->eventForm().txtDate.setText("06/01");
    PostMessageA(window, WM_CLOSE, 0, 0);
  });
  form.bAdd.press();
  EXPECT_EQ(listedRows(), before);
  EXPECT_FALSE(form.bSave.Enabled());

  form.Grid0.setRow(6);
  freshEventForm();
  answers_.act("Event Update", [this](HWND window) { PostMessageA(window, WM_CLOSE, 0, 0); });
  form.bUpdate.press();
  EXPECT_EQ(listedRows(), before) << "the close box does not wipe the event";

  fillEventForm("Event Add", "13/45", "Nowhere", "", 0);
  answers_.act("is not a date", [this](HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    PostMessageA(form_->eventForm().bCancel.hwnd(), BM_CLICK, 0, 0);
  });
  form.bAdd.press();
  EXPECT_EQ(listedRows(), before);
  EXPECT_EQ(form.EventCount(), 5);

  fillEventForm("Event Add", "6/1", "Tab\there", "2001", 4);
  form.bAdd.press();
  EXPECT_EQ(listedRows()[9], "06/01|Tab\there|2001|Work");
  EXPECT_EQ(listedRows()[10], "12/25|Christmas||Holiday") << "the rows below keep their cells";
}

TEST_F(PloveraTest, DeleteCountsOnlyEventRows) {
  auto& form = start(kEvents);
  form.Settings.Confirm = 'N';
  selectRows(16, 9); // December's separator, its event, the closing separator and empty rows
  form.bDelete.press();
  EXPECT_EQ(form.EventCount(), 4);
  selectRows(9, 16);
  form.bDelete.press();
  EXPECT_EQ(form.EventCount(), 4) << "a deleted row is not counted again";
  EXPECT_EQ(form.Grid0.TextMatrix(12, colDate), "");
  EXPECT_TRUE(form.bSave.Enabled());

  form.bSave.press();
  EXPECT_EQ(dataFile(), dataFileBytes({"01/01|New Year||04", "02/14|Valentine||01", "03/20|Spring||99",
                                       "05/12|Mum|1950|03"}));
}

TEST_F(PloveraTest, DeleteAnsweredNoChangesNothing) {
  auto& form = start(kEvents);
  selectRows(2, 4);
  answers_.answer("DELETE", IDNO);
  form.mnuDelete.Click();
  EXPECT_EQ(form.Grid0.TextMatrix(2, colDate), "01/01");
  EXPECT_FALSE(form.bSave.Enabled());
  EXPECT_EQ(GetFocus(), form.Grid0.hwnd());
}

// From March: months without events are passed over, and the year wraps both ways.
TEST_F(PloveraTest, MonthCommandsMoveToTheNextMonthWithEvents) {
  auto& form = start(kEvents);
  struct Step {
    formsrt::CommandButton* button;
    const char* date;
    int month;
  };
  const Step steps[] = {{&form.bMonthU, "05/12", 5}, {&form.bMonthU, "12/25", 12},
                        {&form.bMonthU, "01/01", 1}, {&form.bMonthD, "12/25", 12},
                        {&form.bToday, "03/20", 3},  {&form.bMonthD, "02/14", 2},
                        {&form.bMonthD, "01/01", 1}, {&form.bMonthD, "12/25", 12}};
  for (const Step& step : steps) {
    step.button->press();
    EXPECT_EQ(form.Grid0.TextMatrix(form.Grid0.Row(), colDate), step.date);
    EXPECT_EQ(form.CurrentMonth, step.month);
    EXPECT_TRUE(form.Grid0.isSelected(form.Grid0.Row(), colType));
  }
  EXPECT_THAT(answers_.seen(), IsEmpty()) << answers_.describeSeen();
}

TEST_F(PloveraTest, SaveReturnsTheMonthCommandsToTodaysMonth) {
  auto& form = start(kEvents);
  form.bMonthU.press();
  form.bMonthU.press();
  ASSERT_EQ(form.CurrentMonth, 12);
  form.mnuSave.Click();
  EXPECT_EQ(form.Grid0.TextMatrix(form.Grid0.Row(), colDate), "03/20");
  EXPECT_EQ(form.CurrentMonth, 3);
  form.bMonthU.press();
  EXPECT_EQ(form.Grid0.TextMatrix(form.Grid0.Row(), colDate), "05/12");
}

// The current month's calendar never has the focus: today is marked by the selection's colours.
TEST_F(PloveraTest, TodayIsMarkedInTheCurrentMonthsCalendar) {
  auto& form = start(kEvents);
  ASSERT_NE(GetFocus(), form.Grid1.hwnd());
  RECT client;
  GetClientRect(form.Grid1.hwnd(), &client);
  MemoryDib dib(client.right, client.bottom);
  paintClient(form.Grid1.hwnd(), dib);
  RECT today = form.Grid1.cellRect(2, 2); // Tuesday the 10th
  ASSERT_EQ(form.Grid1.TextMatrix(2, 2), "10");
  EXPECT_EQ(dib.pixel(today.left + 2, today.top + 2), form.Grid1.BackColorSel);
  RECT other = form.Grid1.cellRect(2, 3);
  EXPECT_EQ(dib.pixel(other.left + 2, other.top + 2), form.Grid1.BackColor);

  // The next month's calendar marks no day, not even the cell it starts on.
  MemoryDib next(client.right, client.bottom);
  paintClient(form.Grid2.hwnd(), next);
  EXPECT_EQ(next.count(form.Grid2.BackColorSel), 0);
}

TEST_F(PloveraTest, MonthCommandsOnAListWithoutEventsSaySo) {
  auto& form = start({});
  answers_.answer("There are no events", IDOK);
  form.mnuMonthU.Click();
  EXPECT_EQ(answers_.pending(), 0u);
}

struct CloseCase {
  int answer;
  bool written;
};

TEST_F(PloveraTest, ClosingAsksToSaveChangesOnly) {
  const CloseCase cases[] = {{0, false}, {IDNO, false}, {IDYES, true}};
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.answer);
    ModalAnswerer answers;
    auto& form = start(kEvents);
    std::string original = dataFile();
    if (c.answer) {
      form.Settings.Confirm = 'N';
      selectRows(2, 2);
      form.bDelete.press();
      answers.answer("Data File has not been saved", c.answer);
    }
    SendMessageA(form.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(form.isLoaded());
    EXPECT_EQ(dataFile() != original, c.written);
    EXPECT_EQ(answers.seen().size(), c.answer ? 1u : 0u) << answers.describeSeen();
    form_.reset();
    pumpMessages();
  }
}

TEST_F(PloveraTest, AFailedSaveOnClosingKeepsTheFormAndTheChanges) {
  auto& form = start(kEvents);
  form.eventForm(); // loaded: closing unloads it before the save is asked for
  form.Settings.Confirm = 'N';
  selectRows(2, 2);
  form.bDelete.press();
  CreateDirectoryA(dir_.file("PLOVERA.NEW").c_str(), nullptr); // the new file cannot be written
  answers_.answer("Data File has not been saved", IDYES);
  answers_.answer("could not be written", IDOK);
  form.bExit.press();
  EXPECT_TRUE(form.isLoaded());
  EXPECT_TRUE(form.bSave.Enabled());
  EXPECT_EQ(form.Grid0.TextMatrix(2, colDate), "*01/01");
  EXPECT_EQ(dataFile(), dataFileBytes(kEvents));
  EXPECT_EQ(form.eventForm().cmbType.ListCount(), 6) << "the reloaded event form lists each type once";
}

} // namespace

namespace {

TEST_F(PloveraTest, ContentsOpensTheProgramsHelpFileAndAboutShowsTheAboutText) {
  std::vector<std::string> opened;
  formsrt::setHelpLauncher([&](const std::string& file) { opened.push_back(file); });
  auto& form = start(kEvents);
  form.mnuContents.Click();
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    formsrt::processMessage(message);
  formsrt::setHelpLauncher(nullptr);
  EXPECT_THAT(opened, ElementsAre(dir_.file("PLOVERA.HLP")));

  answers_.answer("Web:", IDOK);
  form.mnuAbout.Click();
  ASSERT_EQ(answers_.seen().size(), 1u);
  EXPECT_EQ(answers_.seen()[0].caption, "Plovera v4.0");
  std::vector<std::string> lines;
  std::stringstream text(answers_.seen()[0].text);
  for (std::string line; std::getline(text, line, '\n');)
    lines.push_back(line);
  ASSERT_EQ(lines.size(), 11u) << answers_.seen()[0].text;
  EXPECT_EQ(lines[0], "Plovera v4.0");
  for (int blank : {2, 6, 9})
    EXPECT_EQ(lines[blank], "") << blank;
  EXPECT_EQ(answers_.seen()[0].text.find('\r'), std::string::npos);
}

TEST_F(PloveraTest, ASettingThatCannotBeReadIsReportedAtStartUp) {
  formsrt::SaveSetting("Harnfield", "Plovera", "WDate", "wide");
  answers_.answer("WDate", IDOK);
  auto& form = start(kEvents);
  EXPECT_EQ(form.Settings.WDate, 520);
  EXPECT_GE(form.Grid0.ColWidth(colDate), 520);
  EXPECT_EQ(form.lblInfo2.Caption(), "5 Events") << "start-up goes on";
}

// Dark grey above and left, bright white below and right of each etched box (the right edges lie just
// outside the client area).
TEST_F(PloveraTest, TheFormPaintsItsEtchedFrames) {
  auto& form = start(kEvents);
  RECT client;
  GetClientRect(form.hwnd(), &client);
  MemoryDib dib(client.right, client.bottom, RGB(1, 2, 3));
  paintClient(form.hwnd(), dib);
  auto band = [](int leftTwips, int topTwips, int rightTwips, int bottomTwips) {
    return RECT{leftTwips / 15 - 1, topTwips / 15 - 1, rightTwips / 15 + 2, bottomTwips / 15 + 2};
  };
  const COLORREF grey = RGB(128, 128, 128), white = RGB(255, 255, 255);
  EXPECT_GT(dib.count(grey, band(300, 25, 4000, 25)), 200) << "the big box's top";
  EXPECT_GT(dib.count(white, band(300, 5250, 4000, 5250)), 200) << "its bottom";
  EXPECT_GT(dib.count(grey, band(25, 300, 25, 4000)), 200) << "its left";
  EXPECT_GT(dib.count(grey, band(300, 5310, 4000, 5310)), 200) << "the data file's box";
  EXPECT_GT(dib.count(white, band(4950, 5570, 6300, 5570)), 50) << "the count's box";
}

} // namespace

namespace {

POINT centreOf(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The size of a text drawn in a grid's own font.
SIZE textSize(const formsrt::FlexGrid& grid, const std::string& text) {
  HDC dc = GetDC(nullptr);
  HFONT font = formsrt::Form::makeFont(grid.FontName, grid.FontSize, grid.FontBold, grid.FontItalic);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteObject(font);
  ReleaseDC(nullptr, dc);
  return size;
}

// A cell draws its text 2 pixels in from each side and 1 from the top and bottom.
void expectTextFits(const formsrt::FlexGrid& grid, int row, int col, bool acrossOnly = false) {
  const std::string& text = grid.TextMatrix(row, col);
  RECT client;
  GetClientRect(grid.hwnd(), &client);
  RECT cell = grid.cellRect(row, col);
  ASSERT_FALSE(IsRectEmpty(&cell)) << "row " << row << " column " << col << " is not shown";
  EXPECT_LE(cell.right, client.right) << text << ": column " << col << " is cut at the right";
  SIZE size = textSize(grid, text);
  EXPECT_LE(size.cx + 4, cell.right - cell.left) << "\"" << text << "\" is wider than its cell";
  if (acrossOnly)
    return;
  EXPECT_LE(cell.bottom, client.bottom) << text << ": row " << row << " is cut at the bottom";
  EXPECT_LE(size.cy + 2, cell.bottom - cell.top) << "\"" << text << "\" is taller than its cell";
}

RECT windowRect(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r;
}

bool inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// In December the next month is January 2027, which starts on a Friday and needs six weeks.
TEST_F(PloveraTest, MonthCalendarsShowTheirDayNamesAndSixWeeksWhole) {
  platform::Clock::set(2026, 12, 10, 9, 0);
  auto& form = start(kEvents);
  ASSERT_EQ(form.fMonth2.Caption(), "January 2027");
  ASSERT_EQ(form.Grid2.TextMatrix(6, 0), "31");
  for (const formsrt::FlexGrid* grid : {&form.Grid1, &form.Grid2}) {
    for (int row = 0; row < grid->Rows(); ++row) {
      for (int col = 0; col < grid->Cols(); ++col) {
        if (!grid->TextMatrix(row, col).empty())
          expectTextFits(*grid, row, col);
      }
    }
  }
  RECT first = windowRect(form.fMonth1.hwnd()), second = windowRect(form.fMonth2.hwnd());
  EXPECT_TRUE(inside(windowRect(form.Grid1.hwnd()), first));
  EXPECT_TRUE(inside(windowRect(form.Grid2.hwnd()), second));
  EXPECT_LE(first.bottom, second.top) << "the calendars overlap";
  EXPECT_LE(second.bottom, windowRect(form.lblDay.hwnd()).top) << "the second calendar covers today's name";
  RECT client;
  GetClientRect(form.hwnd(), &client);
  MapWindowPoints(form.hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_TRUE(inside(second, client));
  // The labels stay inside the etched box around the calendars, whose bottom lies at 5250 twips.
  EXPECT_LE(windowRect(form.lblKwes.hwnd()).bottom, client.top + formsrt::twipsToPixelsY(5250));
}

// The date column is as wide as the settings say, and wider where a deleted date would not fit.
TEST_F(PloveraTest, ADeletedEventsDateShowsWholeInTheDateColumn) {
  for (const char* size : {"8", "14"}) {
    SCOPED_TRACE(std::string("font size ") + size);
    formsrt::SaveSetting("Harnfield", "Plovera", "FontSize", size);
    auto& form = start(kEvents);
    form.Settings.Confirm = 'N';
    selectRows(2, 2);
    form.bDelete.press();
    ASSERT_EQ(form.Grid0.TextMatrix(2, colDate), "*01/01");
    form.Grid0.setTopRow(1);
    expectTextFits(form.Grid0, 2, colDate, true);
    form_.reset();
  }
}

TEST_F(PloveraTest, TheEventAndSettingsFormsOpenCentredOnTheMainForm) {
  auto& form = start(kEvents);
  SetWindowPos(form.hwnd(), nullptr, 260, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  const POINT main = centreOf(windowRect(form.hwnd()));
  std::vector<POINT> placed;
  answers_.act("Event Add", [&](HWND shown) {
    placed.push_back(centreOf(windowRect(shown)));
    PostMessageA(form.eventForm().bCancel.hwnd(), BM_CLICK, 0, 0);
  });
  answers_.act("Settings", [&](HWND shown) {
    placed.push_back(centreOf(windowRect(shown)));
    PostMessageA(form.settingsForm().bCancel.hwnd(), BM_CLICK, 0, 0);
  });
  form.bAdd.press();
  form.mnuSettings.Click();
  ASSERT_EQ(placed.size(), 2u) << answers_.describeSeen();
  for (const POINT& centre : placed) {
    EXPECT_NEAR(centre.x, main.x, 1);
    EXPECT_NEAR(centre.y, main.y, 1);
  }
}

// A user who takes a question's default with Enter.
struct PloveraByUser : PloveraTest {};

TEST_F(PloveraByUser, EnterOnTheDeleteQuestionDeletesNothing) {
  auto& form = start(kEvents);
  realinput::click(form.Grid0.hwnd(), centreOf(form.Grid0.cellRect(2, colEvent)));
  ASSERT_EQ(form.Grid0.Row(), 2);
  answers_.enterOn("DELETE");
  realinput::pressKey(VK_DELETE);
  EXPECT_EQ(form.Grid0.TextMatrix(2, colDate), "01/01");
  EXPECT_FALSE(form.bSave.Enabled());
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

// A list read only in part: Enter on the question does not replace the whole file with that part.
TEST_F(PloveraByUser, EnterOnTheSaveAnywayQuestionKeepsTheFile) {
  const std::string broken =
      "\"02/01\",\"B\",\"\",\"01\"\r\n\"01/01\",\"A\",\"\",\"04\"\r\n\"03/01\",\"C\"\r\n";
  answers_.answer("62 - Input past end of file", IDOK);
  writeFile(dir_.file("PLOVERA.DAT"), broken);
  form_ = std::make_unique<Form1>(dir_.path());
  form_->Load();
  Form1& form = *form_;
  form.Settings.Confirm = 'N';
  realinput::click(form.Grid0.hwnd(), centreOf(form.Grid0.cellRect(2, colEvent)));
  realinput::pressKey(VK_DELETE);
  ASSERT_TRUE(form.bSave.Enabled());
  answers_.enterOn("could not be read completely");
  realinput::click(form.hwnd(), realinput::centreOf(form.bSave.hwnd()));
  EXPECT_EQ(readFile(dir_.file("PLOVERA.DAT")), broken);
  EXPECT_TRUE(form.bSave.Enabled());
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

// The event form as a user fills it: each field clicked and typed over, so the date field loses the focus
// to the mouse (and is made mm/dd then), and the form's button clicked.
void typeOver(formsrt::TextBox& field, const std::string& text) { realinput::typeOver(field.hwnd(), text); }

void clickButton(formsrt::CommandButton& button) { realinput::clickControl(button.hwnd()); }

TEST_F(PloveraByUser, AnEventAddedWithTheMouseIsListedAndSaved) {
  auto& form = start(kEvents);
  std::string dateAfterLeaving;
  actByUser(answers_, "Event Add", [&](HWND) {
    Form2& event = form.eventForm();
    typeOver(event.txtDate, "7/4");
    typeOver(event.txtEvent, "Picnic");
    dateAfterLeaving = event.txtDate.Text();
    typeOver(event.txtYear, "1999");
    clickButton(event.bUpdate);
  });
  answers_.answer("ADD", IDYES);
  clickButton(form.bAdd);
  EXPECT_EQ(dateAfterLeaving, "07/04");
  ASSERT_GE(listedRows().size(), 10u);
  EXPECT_EQ(listedRows()[9], "07/04|Picnic|1999|Birth");
  EXPECT_EQ(form.lblInfo2.Caption(), "6  Events");

  clickButton(form.bSave);
  EXPECT_EQ(dataFile(), dataFileBytes({"01/01|New Year||04", "02/14|Valentine||01", "03/20|Spring||99",
                                       "05/12|Mum|1950|03", "07/04|Picnic|1999|03", "12/25|Christmas||04"}));
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

// The date typed last: the click on Update is what takes the focus from it.
TEST_F(PloveraByUser, AnEventUpdatedWithTheMouseIsListedAndSaved) {
  auto& form = start(kEvents);
  RECT mum = form.Grid0.cellRect(8, colEvent);
  ASSERT_FALSE(IsRectEmpty(&mum));
  ASSERT_EQ(form.Grid0.TextMatrix(8, colDate), "05/12");
  actByUser(answers_, "Event Update", [&](HWND) {
    Form2& event = form.eventForm();
    typeOver(event.txtEvent, "Mum turns 76");
    typeOver(event.txtDate, "5/13");
    clickButton(event.bUpdate);
  });
  answers_.answer("UPDATE", IDYES);
  realinput::doubleClick(form.Grid0.hwnd(), centreOf(mum));
  ASSERT_GE(listedRows().size(), 8u);
  EXPECT_EQ(listedRows()[7], "05/13|Mum turns 76|1950|Birth");

  clickButton(form.bSave);
  EXPECT_EQ(dataFile(), dataFileBytes({"01/01|New Year||04", "02/14|Valentine||01", "03/20|Spring||99",
                                       "05/13|Mum turns 76|1950|03", "12/25|Christmas||04"}));
  EXPECT_EQ(answers_.pending(), 0u) << answers_.describeSeen();
}

// The date typed last and Cancel clicked: the click takes the focus from the date field (which is made
// mm/dd then) before Cancel marks the form cancelled, and the form going takes it once more.
TEST_F(PloveraByUser, AnEventFormCancelledWithTheMouseChangesNothing) {
  auto& form = start(kEvents);
  RECT mum = form.Grid0.cellRect(8, colEvent);
  ASSERT_FALSE(IsRectEmpty(&mum));
  const std::vector<std::string> before = listedRows();
  actByUser(answers_, "Event Update", [&](HWND) {
    Form2& event = form.eventForm();
    typeOver(event.txtEvent, "Mum turns 76");
    typeOver(event.txtDate, "5/13");
    clickButton(event.bCancel);
  });
  realinput::doubleClick(form.Grid0.hwnd(), centreOf(mum));
  EXPECT_EQ(listedRows(), before);
  EXPECT_EQ(answers_.pending(), 0u);
  EXPECT_EQ(answers_.seen().size(), 1u) << "nothing to confirm after the form: " << answers_.describeSeen();
}

} // namespace
