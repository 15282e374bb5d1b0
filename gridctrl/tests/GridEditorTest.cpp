#include <gridctrl/tests/RecordingGrid.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridMask.h>
#include <tests/support/RealInput.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testsupport;
using Lines = std::vector<std::string>;

namespace {

TEST(GridMaskTest, ReformatsAlongTheMask) {
  struct {
    const char* mask;
    const char* text;
    const char* expected;
  } const cases[] = {
      {"00/00", "1231", "12/31"},
      {"00/00", "12/31", "12/31"}, // already formatted: unchanged
      {"00/00", "12", "12"},       // stops where the text ends
      {"00/00", "1a2b3", "12/3"},  // characters a position does not take are skipped
      {"aaa aaa", "abc def", "abc def"},
      {"\\0\\0-00", "7", "00-7"}, // backslash literals, which take no position of their own
      {"\\0\\0-00", "00-78", "00-78"},
      {"LL-##", "ab+3", "ab-+3"},
      {"", "anything", ""},
  };
  for (const auto& c : cases) {
    CGridMask mask;
    mask.Set(c.mask);
    EXPECT_EQ(mask.Reformat(c.text), c.expected) << c.mask << " / " << c.text;
  }
  CGridMask mask;
  mask.Set("\\0\\0-00");
  EXPECT_EQ(mask.Positions(), 5);
  EXPECT_TRUE(mask.IsLiteral(0));
  EXPECT_FALSE(mask.IsLiteral(3));
}

TEST(GridMaskTest, EachMaskCharacterTakesItsKind) {
  // Columns: digit, letter, space, '+', '-', punctuation.
  const char probes[] = {'7', 'k', ' ', '+', '-', '!'};
  struct {
    char mask;
    const char* takes; // one flag per probe
  } const cases[] = {
      {'0', "100000"}, {'9', "101000"}, {'#', "101110"}, {'L', "010000"}, {'?', "011000"},
      {'A', "110000"}, {'a', "111000"}, {'&', "111111"}, {'C', "111111"},
  };
  for (const auto& c : cases)
    for (size_t i = 0; i < sizeof probes; ++i)
      EXPECT_EQ(CGridMask::Accepts(c.mask, probes[i]), c.takes[i] == '1')
          << "mask '" << c.mask << "' with '" << probes[i] << "'";
  EXPECT_FALSE(CGridMask::Accepts('#', 'm')); // letters are no signs
}

struct GridEditorTest : ::testing::Test {
  GridHost<RecordingGrid> host;
  RecordingGrid& grid = host.grid;
  HWND body = host.body();

  GridEditorTest() {
    grid.SetColCount(5);
    grid.SetRowCount(10);
    grid.log.clear();
  }
  HWND Editor() { return GetDlgItem(body, 237); }
  std::string Text(HWND hwnd) {
    char text[64] = "";
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
  }
  std::string CellText(int col, int row) {
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    return static_cast<const char*>(cell.m_strText);
  }
  std::pair<int, int> Current() const { return {grid.GetCurCol(), grid.GetCurRow()}; }
  void StartEdit(int col, int row, const char* text) {
    grid.SetCurCell(col, row);
    grid.SetCellText(col, row, text);
    ASSERT_EQ(grid.EditCurCell(), 0);
    ASSERT_NE(Editor(), nullptr);
  }
};

TEST_F(GridEditorTest, EscapeKeepsTheCell) {
  StartEdit(1, 2, "Easter");
  typeText(Editor(), "Yule");
  EXPECT_EQ(Text(Editor()), "Yule");
  pressKey(Editor(), VK_ESCAPE);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(CellText(1, 2), "Easter");
  EXPECT_TRUE(grid.Calls("OnEndEdit").empty());
}

TEST_F(GridEditorTest, ARefusedEndKeepsTheCellAndTheEditorStillCloses) {
  StartEdit(1, 2, "Easter");
  typeText(Editor(), "Yule");
  grid.allowEndEdit = false;
  SetFocus(body);
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(CellText(1, 2), "Easter");
  EXPECT_EQ(grid.Calls("OnEndEdit"), (Lines{"OnEndEdit(1,2)"}));
}

TEST_F(GridEditorTest, MovingKeysCommitAndEditTheNextCellOnTheSameEditor) {
  struct {
    const char* name;
    int col, row;
    int key;
    std::initializer_list<int> held;
    int nextCol, nextRow;
  } const cases[] = {
      {"Tab", 1, 2, VK_TAB, {}, 2, 2},
      {"Shift+Tab on the first column", 0, 2, VK_TAB, {VK_SHIFT}, 4, 1},
      {"Enter on the last column", 4, 3, VK_RETURN, {}, 0, 4},
      {"Down", 2, 3, VK_DOWN, {}, 2, 4},
      {"Up", 2, 3, VK_UP, {}, 2, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    StartEdit(c.col, c.row, "old");
    const HWND first = Editor();
    typeText(first, "new");
    {
      HeldKeys held(c.held);
      pressKey(first, c.key);
    }
    EXPECT_EQ(CellText(c.col, c.row), "new");
    EXPECT_EQ(Current(), std::make_pair(c.nextCol, c.nextRow));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(grid.GetBody()->GetEditor()->m_hWnd, Editor());
    EXPECT_EQ(grid.GetBody()->GetEditor()->EditCol(), c.nextCol);
    EXPECT_EQ(grid.GetBody()->GetEditor()->EditRow(), c.nextRow);
    pressKey(Editor(), VK_ESCAPE);
  }
  // Down on the last row stays there and edits it again.
  StartEdit(3, 9, "last");
  pressKey(Editor(), VK_DOWN);
  EXPECT_EQ(Current(), std::make_pair(3, 9));
  EXPECT_NE(Editor(), nullptr);
}

TEST_F(GridEditorTest, ACommitAfterAProgramMoveGoesIntoTheEditedCell) {
  StartEdit(1, 2, "Easter");
  typeText(Editor(), "Yule");
  grid.log.clear();
  grid.SetCurCell(3, 5); // the body takes the focus: the edit ends and commits
  EXPECT_EQ(Editor(), nullptr);
  EXPECT_EQ(CellText(1, 2), "Yule");
  EXPECT_EQ(CellText(3, 5), "");
  EXPECT_EQ(grid.Calls("OnEndEdit"), (Lines{"OnEndEdit(1,2)"}));
}

TEST_F(GridEditorTest, AMaskFormatsWhatIsTypedAndRefusesWhatDoesNotFit) {
  CGridCell cell;
  cell.m_strText2 = "00/00";
  grid.SetCell(1, 1, &cell);
  StartEdit(1, 1, "1231");
  EXPECT_EQ(Text(Editor()), "12/31"); // the present text is formatted when the edit starts
  typeText(Editor(), "0704");         // the whole text is selected: typed over
  EXPECT_EQ(Text(Editor()), "07/04");
  typeText(Editor(), "9"); // past the end of the mask
  EXPECT_EQ(Text(Editor()), "07/04");
  SendMessageA(Editor(), EM_SETSEL, 0, -1);
  typeText(Editor(), "1x2"); // a letter is no digit
  EXPECT_EQ(Text(Editor()), "12");
  EXPECT_EQ(SendMessageA(Editor(), EM_GETLIMITTEXT, 0, 0), 5);
  DWORD margins = static_cast<DWORD>(SendMessageA(Editor(), EM_GETMARGINS, 0, 0));
  EXPECT_EQ(LOWORD(margins), 2);
}

TEST_F(GridEditorTest, TheHooksOfOneEditNameTheEditedCellAfterAProgramMove) {
  struct MovingGrid : RecordingGrid {
    BOOL OnBeginEdit(int col, int row, CEdit* editor) override {
      RecordingGrid::OnBeginEdit(col, row, editor);
      SetCurCell(3, 5); // before the editor has the focus: the edit goes on
      return TRUE;
    }
    BOOL OnEditChar(int col, int row, CEdit*, UINT* ch) override {
      Record("OnEditChar", col, row, static_cast<char>(*ch));
      return TRUE;
    }
  };
  GridHost<MovingGrid> moving;
  moving.grid.SetColCount(5);
  moving.grid.SetRowCount(10);
  moving.grid.SetCurCell(1, 2);
  ASSERT_EQ(moving.grid.EditCurCell(), 0);
  HWND editor = GetDlgItem(moving.body(), 237);
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(moving.grid.GetCurRow(), 5);
  moving.grid.log.clear();
  typeText(editor, "x");
  SetFocus(moving.body());
  EXPECT_EQ(moving.grid.Calls("OnE"), (Lines{"OnEditChar(1,2,x)", "OnEndEdit(1,2)"}));
  CGridCell cell;
  moving.grid.GetCell(1, 2, &cell);
  EXPECT_STREQ(cell.m_strText, "x");
}

// Edits as a user makes them: clicks that open and enter the editor, keys typed into it.
struct GridEditorByUser : GridEditorTest {
  GridEditorByUser() { realinput::bringToFront(body); }
  // A cell with a mask (the cell's second text) and a text.
  void SetMasked(int col, int row, const char* mask, const char* text) {
    CGridCell cell;
    cell.m_strText2 = mask;
    cell.SetText(text);
    grid.SetCell(col, row, &cell);
  }
};

TEST_F(GridEditorByUser, AClickInTheEditorPlacesTheCaretAndTheEditGoesOn) {
  // Like a dialog's column that opens its editor on a press.
  struct PressEditingGrid : RecordingGrid {
    void OnLButtonCell(int col, int, BOOL down, const CRect&, CPoint, int) override {
      if (down && col == 1)
        EditCurCell();
    }
  };
  GridHost<PressEditingGrid> pressing;
  pressing.grid.SetColCount(3);
  pressing.grid.SetRowCount(4);
  pressing.grid.SetCellText(1, 2, "Harvest fair");
  CRect cell;
  pressing.grid.GetCellRect(1, 2, &cell);
  realinput::click(pressing.body(), {cell.left + 20, (cell.top + cell.bottom) / 2});
  HWND editor = GetDlgItem(pressing.body(), 237);
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(GetFocus(), editor);

  const LRESULT fourth = SendMessageA(editor, EM_POSFROMCHAR, 4, 0);
  const LRESULT fifth = SendMessageA(editor, EM_POSFROMCHAR, 5, 0);
  const int x = (static_cast<short>(LOWORD(fourth)) * 3 + static_cast<short>(LOWORD(fifth))) / 4;
  realinput::click(editor, {x, static_cast<short>(HIWORD(fourth)) + 3});
  ASSERT_EQ(GetDlgItem(pressing.body(), 237), editor);
  EXPECT_EQ(GetFocus(), editor);
  DWORD start = 0, end = 0;
  SendMessageA(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  EXPECT_EQ(start, 4u);
  EXPECT_EQ(end, 4u);
  realinput::typeText("X");
  realinput::pressKey(VK_RETURN);
  CGridCell stored;
  pressing.grid.GetCell(1, 2, &stored);
  EXPECT_STREQ(stored.m_strText, "HarvXest fair");
}

TEST_F(GridEditorByUser, EachEditHasItsOwnMaskAndAnUnchangedEditWritesNothing) {
  SetMasked(0, 1, "00/00", "12/31/2026");
  SetMasked(1, 1, "", "Harvest fair");
  SetMasked(2, 1, "LL-00", "ab12");
  SetMasked(3, 1, "00/00", "1231");
  grid.SetCurCell(0, 1);
  ASSERT_EQ(grid.EditCurCell(), 0);
  EXPECT_EQ(Text(Editor()), "12/31");
  realinput::pressKey(VK_TAB); // nothing typed: the cell keeps its text
  EXPECT_EQ(Text(Editor()), "Harvest fair");
  realinput::pressKey(VK_TAB);
  EXPECT_EQ(Text(Editor()), "ab-12");
  realinput::pressKey(VK_TAB);
  EXPECT_EQ(Text(Editor()), "12/31");
  realinput::typeText("0704"); // typed over the whole text, which was selected
  EXPECT_EQ(Text(Editor()), "07/04");
  realinput::pressKey(VK_TAB);
  EXPECT_EQ(CellText(0, 1), "12/31/2026");
  EXPECT_EQ(CellText(1, 1), "Harvest fair");
  EXPECT_EQ(CellText(2, 1), "ab12");
  EXPECT_EQ(CellText(3, 1), "07/04");
  realinput::pressKey(VK_ESCAPE);
}

TEST_F(GridEditorByUser, ADeletedRowNeverLetsTheEditWriteAnotherRecord) {
  struct {
    const char* name;
    int deleted;
    std::vector<std::string> expected; // rows 1..5 afterwards
  } const cases[] = {
      {"a row above", 1, {"rec2", "typed", "rec4", "rec5", "rec6"}},
      {"the edited row", 3, {"rec1", "rec2", "rec4", "rec5", "rec6"}},
      {"a row below", 4, {"rec1", "rec2", "typed", "rec5", "rec6"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    grid.SetRowCount(10);
    for (int row = 0; row < 10; ++row)
      grid.SetCellText(1, row, ("rec" + std::to_string(row)).c_str());
    grid.SetCurCell(1, 3);
    ASSERT_EQ(grid.EditCurCell(), 0);
    realinput::typeText("typed");
    grid.DeleteRow(c.deleted);
    EXPECT_EQ(Editor(), nullptr);
    std::vector<std::string> rows;
    for (int row = 1; row <= 5; ++row)
      rows.push_back(CellText(1, row));
    EXPECT_EQ(rows, c.expected);
  }
}

// The store's own changes reach the rows behind the grid's back (an application calls them through
// GetStore()); the edit must still land in the record it was begun on, not in what the place holds
// afterwards. Column 1 holds rec0..rec9; column 2 holds keys that sort row 0 first and the others in
// reverse.
TEST_F(GridEditorByUser, RowsChangedThroughTheStoreNeverLetTheEditWriteAnotherRecord) {
  const Lines recs = {"rec0", "rec1", "rec2", "rec3", "rec4", "rec5", "rec6", "rec7", "rec8", "rec9"};
  struct {
    const char* name;
    void (*change)(CGridCtrl& grid);
    int col; // the column read afterwards
    Lines expected;
  } const cases[] = {
      {"a row inserted above",
       [](CGridCtrl& g) {
         g.GetStore()->InsertRow(1);
         g.SetRowCount(11);
       },
       1,
       {"rec0", "", "rec1", "rec2", "typed", "rec4", "rec5", "rec6", "rec7", "rec8", "rec9"}},
      {"a row inserted below",
       [](CGridCtrl& g) {
         g.GetStore()->InsertRow(6);
         g.SetRowCount(11);
       },
       1,
       {"rec0", "rec1", "rec2", "typed", "rec4", "rec5", "", "rec6", "rec7", "rec8", "rec9"}},
      {"the rows sorted",
       [](CGridCtrl& g) { g.GetStore()->SortByColumn(2); },
       1,
       {"rec0", "rec9", "rec8", "rec7", "rec6", "rec5", "rec4", "typed", "rec2", "rec1"}},
      {"a column deleted in front",
       [](CGridCtrl& g) { g.GetStore()->DeleteColumn(0); },
       0,
       {"rec0", "rec1", "rec2", "typed", "rec4", "rec5", "rec6", "rec7", "rec8", "rec9"}},
      {"everything cleared", [](CGridCtrl& g) { g.GetStore()->ClearAll(); }, 1, Lines(10, "")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    grid.GetStore()->ClearAll();
    grid.SetRowCount(10);
    for (int row = 0; row < 10; ++row) {
      grid.SetCellText(1, row, recs[row].c_str());
      grid.SetCellText(2, row, std::string(1, row == 0 ? 'a' : static_cast<char>('k' - row)).c_str());
    }
    grid.SetCurCell(1, 3);
    ASSERT_EQ(grid.EditCurCell(), 0);
    realinput::typeText("typed");
    c.change(grid);
    EXPECT_EQ(Editor(), nullptr);
    CRect elsewhere;
    grid.GetCellRect(0, 1, &elsewhere);
    realinput::click(body, {(elsewhere.left + elsewhere.right) / 2, (elsewhere.top + elsewhere.bottom) / 2});
    Lines rows;
    for (int row = 0; row < grid.GetRowCount(); ++row)
      rows.push_back(CellText(c.col, row));
    EXPECT_EQ(rows, c.expected);
  }
}

} // namespace
