#include <calendar/views/CGridView.h>

#include <calendar/dialogs/CAlarmDlg.h>
#include <calendar/resource.h>
#include <calendar/tests/DialogSteps.h>
#include <calendar/tests/DorvixAppFixture.h>
#include <calendar/tests/RecordingView.h>
#include <calendar/views/Hints.h>
#include <gridctrl/GridBody.h>
#include <gridctrl/GridHeaders.h>
#include <gridctrl/GridPrintTarget.h>
#include <tests/support/MetafileText.h>
#include <tests/support/SentInput.h>

#include <algorithm>

namespace {

// A print dialog the user confirms (or cancels) at once.
class AnsweredPrintDialog : public CPrintDialog {
public:
  explicit AnsweredPrintDialog(INT_PTR answer) : CPrintDialog(FALSE), answer_(answer) {}
  INT_PTR DoModal() override {
    ++shown;
    owner = m_pd.hwndOwner;
    return answer_;
  }
  int shown = 0;
  HWND owner = nullptr;

private:
  INT_PTR answer_;
};

class CGridViewTest : public DorvixAppFixture {
protected:
  CGridViewTest() {
    writeHolidays({fixedHoliday("Solstice", 21, 12)}); // Monday 21 December 2026, 11 days ahead
  }
  ~CGridViewTest() override {
    if (doc)
      doc->RemoveView(&recorder);
  }
  void startWith(const std::vector<std::pair<std::string, int>>& events) {
    ASSERT_TRUE(start());
    for (const auto& [name, days] : events)
      addEvent(name, days);
    view = dynamic_cast<CGridView*>(frame->m_wndSplitter.GetPane(0, 0));
    ASSERT_NE(view, nullptr);
    doc->AddView(&recorder);
  }
  CEventGrid& grid() { return view->Grid(); }
  std::string text(int col, int row) {
    CGridCell cell;
    grid().GetCell(col, row, &cell);
    return static_cast<const char*>(cell.m_strText);
  }
  std::vector<std::string> names() {
    std::vector<std::string> found;
    for (int row = 0; row < grid().GetRowCount(); ++row)
      found.push_back(text(0, row));
    return found;
  }
  CPoint cellCentre(int col, int row) {
    CRect rect;
    grid().GetCellRect(col, row, &rect);
    return CPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  }
  void clickRow(int row) {
    CPoint p = cellCentre(0, row);
    testsupport::click(grid().GetBody()->m_hWnd, p.x, p.y);
    testsupport::pumpMessages();
  }
  void command(UINT id) { SendMessageA(view->m_hWnd, WM_COMMAND, id, 0); }
  COLORREF headerColour(int col) {
    CGridCell cell;
    grid().GetCell(col, -1, &cell);
    return cell.m_crText;
  }

  CGridView* view = nullptr;
  RecordingView recorder;
};

TEST_F(CGridViewTest, RowsShowTheListedEntriesInDateOrder) {
  startWith({{"Dentist", 3}, {"Party", 0}, {"Far away", 300}, {"Lunch", 3}});
  ASSERT_EQ(grid().GetRowCount(), 4); // the far event is not listed
  EXPECT_EQ(names(), (std::vector<std::string>{"Party", "Lunch", "Dentist", "Solstice"}));
  EXPECT_EQ(text(3, 0), "Today!!");
  EXPECT_EQ(text(3, 1), "3");
  EXPECT_EQ(text(6, 3), "Holiday");
  EXPECT_EQ(text(6, 0), "Birthday");
  EXPECT_EQ(text(4, 0), ""); // no time
  for (int col = 0; col < 7; ++col)
    EXPECT_EQ(headerColour(col), col == 2 || col == 4 ? RGB(32, 32, 255) : RGB(0, 0, 0)) << col;
}

TEST_F(CGridViewTest, TheTimeColumnFollowsTheProgramsOwnClock) {
  startWith({});
  addEvent("Tea", 1, 14 * 60 + 5);
  const struct {
    const char* name;
    int timeFormat;
    const char* starts;
    const char* absent;
  } cases[] = {{"24-hour clock", 1, "14:05", "M"}, {"12-hour clock", 0, "2:05 ", "14"}};
  for (const auto& c : cases) {
    AppSettings().timeFormat = c.timeFormat;
    doc->UpdateAllViews(nullptr, kHintListChanged); // as the options do when the clock changes
    ASSERT_EQ(text(0, 0), "Tea");
    std::string shown = text(4, 0);
    EXPECT_EQ(shown.find(c.starts), 0u) << c.name << ": " << shown;
    EXPECT_EQ(shown.find(c.absent), std::string::npos) << c.name << ": " << shown;
  }
}

TEST_F(CGridViewTest, AChangeOfCurrentRowAnnouncesItsEntry) {
  startWith({{"One", 1}, {"Two", 2}});
  recorder.updates.clear();
  clickRow(1);
  grid().SetCurRow(2);
  EXPECT_EQ(recorder.updates, (std::vector<std::string>{"2:Two", "2:Solstice"}));
}

TEST_F(CGridViewTest, HeaderClicksSortByThatColumnAlone) {
  startWith({{"Beta", 2}, {"Alpha", 5}, {"Gamma", 1}});
  CRect header;
  grid().GetColHeader()->GetClientRect(&header);
  int x = 10; // inside the Name column, right of the row headers
  testsupport::click(grid().GetColHeader()->m_hWnd, x, header.Height() / 2);
  testsupport::pumpMessages();
  EXPECT_EQ(view->SortColumns(), (std::vector<int>{0}));
  EXPECT_EQ(AppSettings().sortMode, 0);
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Solstice"}));
  EXPECT_EQ(headerColour(0), RGB(32, 32, 255));
  EXPECT_EQ(headerColour(2), RGB(0, 0, 0));

  command(ID_SORT_4); // type, then name
  EXPECT_EQ(AppSettings().sortMode, 4);
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Solstice"}));
  EXPECT_EQ(headerColour(6), RGB(32, 32, 255));
}

TEST_F(CGridViewTest, DeleteAsksAndLeavesThePreviousRowCurrent) {
  startWith({{"One", 1}, {"Two", 2}, {"Three", 12}});
  ASSERT_EQ(names(), (std::vector<std::string>{"One", "Two", "Solstice", "Three"}));
  grid().SetCurRow(3);
  answerer.answer("Delete Current Event?", IDYES);
  command(ID_DELETE);
  EXPECT_EQ(names(), (std::vector<std::string>{"One", "Two", "Solstice"}));
  EXPECT_EQ(grid().GetCurRow(), 2);
  EXPECT_EQ(doc->GetEventCount(), 2);
  EXPECT_EQ(recorder.updates.back(), "3:Solstice");

  answerer.answer("Cannot Delete Holidays", IDOK);
  command(IDC_DELETE);
  EXPECT_EQ(grid().GetRowCount(), 3);

  grid().SetCurRow(0);
  answerer.answer("Delete Current Event?", IDNO);
  command(ID_DELETE);
  EXPECT_EQ(grid().GetRowCount(), 3);
  EXPECT_EQ(answerer.seen().at(1).caption, "Information");
  EXPECT_EQ(answerer.seen().at(2).caption, "Delete Event");
}

TEST_F(CGridViewTest, AnAlarmWindowDeletesThroughTheListOrFindsTheEventGone) {
  startWith({{"One", 1}, {"Two", 2}});
  CEventItem gone = *doc->GetEvent(0);
  CListEntry entry(&gone);
  answerer.answer("Delete Current Event?", IDYES);
  doc->UpdateAllViews(nullptr, kHintDeleteEvent, &entry);
  EXPECT_EQ(names(), (std::vector<std::string>{"Two", "Solstice"}));
  answerer.answer("Event Already Deleted", IDOK);
  doc->UpdateAllViews(nullptr, kHintDeleteEvent, &entry);
  EXPECT_EQ(answerer.pending(), 0u);
}

TEST_F(CGridViewTest, AChosenDaySelectsExactlyItsRows) {
  startWith({{"A", 2}, {"B", 3}, {"C", 2}, {"D", 11}});
  ASSERT_EQ(names(), (std::vector<std::string>{"C", "A", "B", "Solstice", "D"}));
  CDateObject day(CDate() + 11);
  doc->UpdateAllViews(nullptr, kHintDayChosen, &day);
  std::vector<int> selected;
  for (int row = 0; row < grid().GetRowCount(); ++row)
    if (grid().GetSelection().IsSelected(0, row))
      selected.push_back(row);
  EXPECT_EQ(selected, (std::vector<int>{3, 4}));
  EXPECT_EQ(grid().GetCurRow(), 4);
}

TEST_F(CGridViewTest, ColumnWidthsAreStoredInTheSettings) {
  startWith({});
  grid().SetColWidth(0, 211);
  grid().SetColWidth(6, 77);
  doc->UpdateAllViews(nullptr, kHintStoreColumns);
  EXPECT_EQ(AppSettings().widthName, 211);
  EXPECT_EQ(AppSettings().widthType, 77);
  AppSettings().saveOnExit = 1;
  doc->RemoveView(&recorder);
  stop(); // the window state is saved with the widths
  CAppSettings reread;
  reread.LoadSettings();
  EXPECT_EQ(reread.widthName, 211);
}

TEST_F(CGridViewTest, FindOpensTheFindDialogOnly) {
  startWith({{"Dentist", 1}, {"Election Day", 2}});
  answerer.leaveOpen("Find");
  int row = grid().GetCurRow();
  command(ID_EDIT_FIND);
  EXPECT_TRUE(grid().IsFindDialogOpen());
  EXPECT_EQ(grid().GetCurRow(), row);
}

TEST_F(CGridViewTest, PrintPrintsEveryRowWithColumnHeadersOrReportsTheAbort) {
  startWith({{"Dentist", 1}, {"Party", 2}});
  auto* pages = new CGridMetafilePages;
  grid().GetPrinter().SetTarget(std::unique_ptr<CGridPrintTarget>(pages));
  AnsweredPrintDialog ok(IDOK);
  view->SetPrintDialog(&ok);
  command(ID_FILE_PRINT);
  EXPECT_EQ(ok.owner, frame->m_hWnd) << "the dialog is owned by the main window";
  ASSERT_EQ(pages->m_pages.size(), 1u);
  std::vector<std::string> texts;
  for (const auto& drawn : testsupport::metafileTexts(pages->m_pages[0]))
    texts.push_back(drawn.text);
  for (const char* expected : {"Name", "Days Left", "Dentist", "Party", "Solstice"})
    EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;

  AnsweredPrintDialog cancel(IDCANCEL);
  view->SetPrintDialog(&cancel);
  answerer.answer("Printing Aborted", IDOK);
  command(ID_FILE_PRINT);
  EXPECT_EQ(pages->m_pages.size(), 1u);
  EXPECT_EQ(answerer.seen().back().caption, "Printing");
  view->SetPrintDialog(nullptr);
  // Left alone, the list prints through the application's one dialog, set to print all pages.
  ASSERT_EQ(view->GetPrintDialog(), &app->m_printDialog);
  const DWORD flags = app->m_printDialog.m_pd.Flags;
  EXPECT_EQ(flags & (PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS),
            DWORD(PD_ALLPAGES | PD_NOSELECTION | PD_NOPAGENUMS));
}

class CGridViewByUser : public CGridViewTest {
protected:
  void doubleClickRow(int row) {
    testsupport::realinput::doubleClick(grid().GetBody()->m_hWnd, cellCentre(0, row));
  }
};

TEST_F(CGridViewByUser, DoubleClickAndModifyOpenTheEventDialog) {
  startWith({{"One", 1}, {"Two", 2}});
  std::string opened;
  actByUser(answerer, "Event Edit", [&](HWND dialog) {
    char name[64] = "";
    GetDlgItemTextA(dialog, IDC_EV_NAME, name, sizeof name);
    opened = name;
    pressButton(dialog, IDCANCEL);
  });
  doubleClickRow(1);
  EXPECT_EQ(opened, "Two");

  testsupport::realinput::click(grid().GetBody()->m_hWnd, cellCentre(0, 0));
  actByUser(answerer, "Event Edit", [](HWND dialog) {
    testsupport::realinput::doubleClick(GetDlgItem(dialog, IDC_EV_NAME), {5, 5});
    testsupport::realinput::typeText("Renamed");
    pressButton(dialog, IDOK);
  });
  pressButton(frame->m_wndDlgBar.m_hWnd, IDC_MODIFY);
  EXPECT_EQ(names(), (std::vector<std::string>{"Renamed", "Two", "Solstice"}));
  EXPECT_EQ(grid().GetCurRow(), 0);
  CDorvixDoc reread;
  EXPECT_EQ(reread.GetEvent(0)->name, "Renamed");
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// An alarm window stays answerable while the event dialog is open: an event deleted from it meanwhile
// moves the edited one up, and the edited one stays the current row.
TEST_F(CGridViewByUser, ModifyKeepsTheLiveIndexOfTheEditedEvent) {
  startWith({{"First", 1}, {"Edited", 5}, {"Third", 2}});
  ASSERT_EQ(names(), (std::vector<std::string>{"First", "Third", "Edited", "Solstice"}));
  int first = doc->GetEvent(0)->serialNumber;
  actByUser(answerer, "Event Edit", [&](HWND dialog) {
    auto* alarm = new CAlarmDlg(doc, first);
    ASSERT_TRUE(alarm->Create());
    answerer.answer("Delete Current Event?", IDYES);
    pressButton(alarm->m_hWnd, IDC_DELETEEVENT);
    pressButton(dialog, IDOK);
  });
  doubleClickRow(2);
  ASSERT_EQ(doc->GetEventCount(), 2);
  EXPECT_EQ((std::vector<int>{doc->GetEvent(0)->listIndex, doc->GetEvent(1)->listIndex}),
            (std::vector<int>{0, 1}));
  EXPECT_EQ(names(), (std::vector<std::string>{"Third", "Edited", "Solstice"}));
  EXPECT_EQ(grid().GetCurRow(), 1) << "the edited event stays current";
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CGridViewByUser, EnterOnTheDeleteQuestionKeepsTheEvent) {
  startWith({{"One", 1}, {"Two", 2}});
  const std::string stored = testsupport::readFile(file("events20.dat"));
  testsupport::realinput::click(grid().GetBody()->m_hWnd, cellCentre(0, 1));
  answerer.enterOn("Delete Current Event?");
  pressButton(frame->m_wndDlgBar.m_hWnd, IDC_DELETE);
  EXPECT_EQ(names(), (std::vector<std::string>{"One", "Two", "Solstice"}));
  EXPECT_EQ(doc->GetEventCount(), 2);
  EXPECT_EQ(testsupport::readFile(file("events20.dat")), stored);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
