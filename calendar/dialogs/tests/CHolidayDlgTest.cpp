#include <calendar/dialogs/CHolidayDlg.h>

#include <calendar/frame/CDorvixDoc.h>
#include <calendar/tests/CalendarFixture.h>
#include <calendar/tests/DialogSteps.h>
#include <gridctrl/GridBody.h>
#include <tests/support/SentInput.h>

#include <clock/Clock.h>

#include <functional>

using testsupport::readFile;

namespace {

CHoliday holiday(const std::string& name, int enabled, int notifyDays, int day, int month) {
  CHoliday h;
  h.name = name;
  h.enabled = enabled;
  h.notifyDays = notifyDays;
  h.ruleKind = CHoliday::FixedDate;
  h.ruleA = month;
  h.ruleB = day;
  h.description = name + " of the year";
  return h;
}

class CHolidayDlgTest : public CalendarFixture {
protected:
  CHolidayDlgTest() {
    AppSettings().firstRun = 0;
    testsupport::writeFile(
        file("holidays.dat"),
        CHolidayTable::PackHolidays({holiday("Yule", 1, 30, 25, 12), holiday("Spring", 0, 10, 21, 3),
                                     holiday("Harvest", 1, 99, 22, 9)}));
    original = readFile(file("holidays.dat"));
    doc = std::make_unique<CDorvixDoc>();
  }
  // Runs the dialog with `steps` done on its grid, then the button `end`.
  INT_PTR run(std::function<void(CHolidayDlg&)> steps, int end, int firstRow = 0) {
    CHolidayDlg dialog(doc.get(), firstRow);
    answerer.act("Holiday Setup", [&dialog, steps, end](HWND hwnd) {
      steps(dialog);
      PostMessageA(hwnd, WM_COMMAND, static_cast<WPARAM>(end), 0);
    });
    return dialog.DoModal();
  }
  static std::string text(CHolidayGrid& grid, int col, int row) {
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    return static_cast<const char*>(cell.m_strText);
  }
  // The stored fields of each record: everything before the computed ones.
  static std::vector<std::string> storedFields(const std::string& bytes) {
    std::vector<std::string> fields;
    for (size_t at = 0; at + 133 <= bytes.size(); at += 133)
      fields.push_back(bytes.substr(at, 113));
    return fields;
  }

  platform::ClockOverride clock{2026, 12, 10, 9, 0};
  std::string original;
  std::unique_ptr<CDorvixDoc> doc;
};

TEST_F(CHolidayDlgTest, ListsEveryHolidayAndCancelLeavesTheFile) {
  std::vector<std::string> seen;
  int current = -1;
  EXPECT_EQ(run(
                [&](CHolidayDlg& d) {
                  CHolidayGrid& grid = d.Grid();
                  for (int row = 0; row < grid.GetRowCount(); ++row)
                    seen.push_back(text(grid, 0, row) + "|" + text(grid, 1, row) + "|" + text(grid, 2, row) +
                                   "|" + text(grid, 3, row));
                  current = grid.GetCurRow();
                  grid.SetCurCell(0, 0);
                  testsupport::pressKey(grid.GetBody()->m_hWnd, VK_SPACE);
                },
                IDCANCEL, 2),
            IDCANCEL);
  EXPECT_EQ(seen, (std::vector<std::string>{"1|Yule|30|Yule of the year", "0|Spring|10|Spring of the year",
                                            "1|Harvest|99|Harvest of the year"}));
  EXPECT_EQ(current, 2);
  EXPECT_EQ(readFile(file("holidays.dat")), original);
  EXPECT_EQ(doc->holidays->GetAt(0).enabled, 1);
}

TEST_F(CHolidayDlgTest, OkRewritesTheFileAndKeepsWhatWasNotChanged) {
  EXPECT_EQ(run([](CHolidayDlg&) {}, IDOK), IDOK);
  std::string rewritten = readFile(file("holidays.dat"));
  EXPECT_EQ(rewritten.size(), original.size());
  EXPECT_EQ(storedFields(rewritten), storedFields(original));

  EXPECT_EQ(run(
                [](CHolidayDlg& d) {
                  d.Grid().SetCurCell(0, 1);
                  testsupport::pressKey(d.Grid().GetBody()->m_hWnd, VK_SPACE);
                },
                IDOK),
            IDOK);
  CHolidayTable reread;
  EXPECT_EQ(reread.GetAt(1).enabled, 1);
  EXPECT_EQ(reread.GetAt(0).enabled, 1);
}

class CHolidayDlgByUser : public CHolidayDlgTest {};

TEST_F(CHolidayDlgByUser, NotifyDaysTakeOnlyWholeNumbersFrom1To99AndSaySo) {
  struct {
    const char* typed;
    const char* kept;
    bool told;
  } const cases[] = {{"0", "30", true}, {"100", "30", true}, {"abc", "30", true}, {"5", "5", false}};
  for (const auto& c : cases)
    if (c.told)
      answerer.answer("Notify Days takes a whole number from 1 to 99", IDOK);
  std::vector<std::string> kept;
  std::vector<size_t> toldAfter;
  CHolidayDlg dialog(doc.get(), 0);
  actByUser(answerer, "Holiday Setup", [&](HWND hwnd) {
    CHolidayGrid& grid = dialog.Grid();
    for (const auto& c : cases) {
      grid.SetCurCell(CHolidayGrid::kNotifyDays, 0);
      CRect rect;
      grid.GetCellRect(CHolidayGrid::kNotifyDays, 0, &rect);
      testsupport::realinput::click(grid.GetBody()->m_hWnd,
                                    {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
      testsupport::realinput::pressKey(VK_END);
      for (int i = 0; i < 8; ++i)
        testsupport::realinput::pressKey(VK_BACK);
      if (*c.typed)
        testsupport::realinput::typeText(c.typed);
      testsupport::realinput::pressKey(VK_RETURN);
      testsupport::realinput::settle();
      kept.push_back(text(grid, CHolidayGrid::kNotifyDays, 0));
      toldAfter.push_back(answerer.seen().size());
    }
    pressButton(hwnd, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  ASSERT_EQ(kept.size(), std::size(cases));
  size_t told = 1; // the dialog itself
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(kept[i].substr(0, kept[i].find('.')), cases[i].kept) << cases[i].typed;
    told += cases[i].told ? 1 : 0;
    EXPECT_EQ(toldAfter[i], told) << cases[i].typed << ": " << answerer.describeSeen();
  }
  CHolidayTable reread;
  EXPECT_EQ(reread.GetAt(0).notifyDays, 5);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

TEST_F(CHolidayDlgByUser, EnterAfterAnEditKeepsTheFirstColumnsInView) {
  int leftCol = -1, curCol = -1;
  CHolidayDlg dialog(doc.get(), 0);
  actByUser(answerer, "Holiday Setup", [&](HWND hwnd) {
    CHolidayGrid& grid = dialog.Grid();
    CRect rect;
    grid.GetCellRect(CHolidayGrid::kNotifyDays, 1, &rect);
    testsupport::realinput::click(grid.GetBody()->m_hWnd,
                                  {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    testsupport::realinput::pressKey(VK_END);
    testsupport::realinput::pressKey(VK_BACK);
    testsupport::realinput::typeText("2");
    testsupport::realinput::pressKey(VK_RETURN);
    testsupport::realinput::settle();
    leftCol = grid.GetLeftCol();
    curCol = grid.GetCurCol();
    pressButton(hwnd, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(curCol, CHolidayGrid::kDescription);
  EXPECT_EQ(leftCol, CHolidayGrid::kEnabled);
  EXPECT_EQ(CHolidayTable().GetAt(1).notifyDays, 12);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

// Names and descriptions are fixed in the holiday file: an editor on them would take a change that OK
// then drops without a word.
TEST_F(CHolidayDlgByUser, NoEditorOpensOnTheNameOrTheDescription) {
  using namespace testsupport::realinput;
  CHolidayDlg dialog(doc.get(), 0);
  CHolidayGrid& grid = dialog.Grid();
  auto cellCentre = [&grid](int col) {
    CRect rect;
    grid.GetCellRect(col, 0, &rect);
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  };
  auto editNotifyDays = [&] {
    click(grid.GetBody()->m_hWnd, cellCentre(CHolidayGrid::kNotifyDays));
    pressKey(VK_END);
    pressKey(VK_BACK);
    typeText("7");
  };
  const struct {
    const char* name;
    std::function<void()> steps;
  } cases[] = {
      {"Enter after a Notify Days edit",
       [&] {
         editNotifyDays();
         pressKey(VK_RETURN);
       }},
      {"Tab after a Notify Days edit",
       [&] {
         editNotifyDays();
         pressKey(VK_TAB);
       }},
      {"Shift+Tab after a Notify Days edit",
       [&] {
         editNotifyDays();
         pressKey(VK_TAB, {VK_SHIFT});
       }},
      {"a click on the name", [&] { click(grid.GetBody()->m_hWnd, cellCentre(CHolidayGrid::kName)); }},
      {"a click on the description",
       [&] { click(grid.GetBody()->m_hWnd, cellCentre(CHolidayGrid::kDescription)); }},
      {"a double click on the name",
       [&] { doubleClick(grid.GetBody()->m_hWnd, cellCentre(CHolidayGrid::kName)); }},
  };
  std::vector<std::string> editors, shown;
  actByUser(answerer, "Holiday Setup", [&](HWND hwnd) {
    for (const auto& c : cases) {
      c.steps();
      settle();
      HWND editor = grid.GetBody()->GetEditor()->m_hWnd;
      if (editor && IsWindow(editor) && IsWindowVisible(editor))
        editors.push_back(c.name);
      typeText("zz"); // whatever an editor took is committed by the next click
    }
    click(grid.GetBody()->m_hWnd, cellCentre(CHolidayGrid::kName));
    settle();
    shown = {text(grid, CHolidayGrid::kName, 0), text(grid, CHolidayGrid::kDescription, 0)};
    pressButton(hwnd, IDOK);
  });
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_EQ(editors, std::vector<std::string>{}) << "an editor opened on the name or the description";
  EXPECT_EQ(shown, (std::vector<std::string>{"Yule", "Yule of the year"}));
  CHolidayTable reread;
  EXPECT_EQ(reread.GetAt(0).name, "Yule");
  EXPECT_EQ(reread.GetAt(0).description, "Yule of the year");
  EXPECT_EQ(reread.GetAt(0).notifyDays, 37);
  EXPECT_EQ(answerer.pending(), 0u) << answerer.describeSeen();
}

} // namespace
