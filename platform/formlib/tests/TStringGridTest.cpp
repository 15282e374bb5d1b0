#include <formlib/TApplication.h>
#include <formlib/TForm.h>
#include <formlib/TStringGrid.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/MetafileText.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>

using namespace formlib;
using namespace testsupport;

namespace {

// A 100-row grid whose client area holds exactly the title row and 9 rows of 20 pixels (plus lines).
struct StringGridTest : ::testing::Test {
  StringGridTest() {
    form->SetClientSize(300, 10 * 21 + 4);
    grid->SetAlign(TAlign::alClient);
    grid->SetColWidths({100, 80});
    grid->SetDefaultRowHeight(20);
    grid->SetRowCount(101);
    grid->OnTopLeftChanged = [this](TObject*) { ++topChanges; };
    form->Show();
  }
  ~StringGridTest() override {
    form.reset();
    pumpMessages();
  }
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TStringGrid* grid = new TStringGrid(form.get(), form.get());
  int topChanges = 0;
};

TEST_F(StringGridTest, PaintsOnlyTheRowsOnScreen) {
  ASSERT_EQ(grid->VisibleRowCount(), 9);
  grid->SetTopRow(40);
  std::set<int> painted;
  grid->OnDrawCell = [&](TObject*, int, int row, const RECT&) { painted.insert(row); };
  MemoryDib dib(grid->ClientWidth(), grid->ClientHeight());
  paintClient(grid->Handle(), dib);
  std::set<int> expected = {0, 40, 41, 42, 43, 44, 45, 46, 47, 48};
  // A part of the next row may show below the last whole one.
  painted.erase(49);
  EXPECT_EQ(painted, expected);
}

// Columns wider together than the grid scroll across by whole columns, with a bar that shows only then.
TEST_F(StringGridTest, ColumnsWiderThanTheGridScrollAcross) {
  auto barShown = [this] {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(grid->Handle(), SB_HORZ, &info);
    return info.nMax - info.nMin + 1 > static_cast<int>(info.nPage);
  };
  EXPECT_FALSE(barShown()) << "100 + 80 fit in 300";
  grid->SetColWidths({100, 80, 150, 90});
  ASSERT_TRUE(barShown());
  struct Case {
    const char* name;
    int code;
    int leftCol;
  } cases[] = {{"a line right", SB_LINERIGHT, 1}, {"the right end shows the last column whole", SB_RIGHT, 2},
               {"no further", SB_LINERIGHT, 2},   {"a line left", SB_LINELEFT, 1},
               {"the left end", SB_LEFT, 0},      {"a page right", SB_PAGERIGHT, 2}};
  for (const Case& c : cases) {
    SendMessageA(grid->Handle(), WM_HSCROLL, static_cast<WPARAM>(c.code), 0);
    EXPECT_EQ(grid->LeftCol(), c.leftCol) << c.name;
  }
  EXPECT_GE(topChanges, 4);

  std::set<int> drawn;
  int firstLeft = -1;
  grid->OnDrawCell = [&](TObject*, int col, int row, const RECT& rect) {
    if (row == 0 && drawn.insert(col).second && firstLeft < 0)
      firstLeft = rect.left;
  };
  MemoryDib dib(grid->ClientWidth(), grid->ClientHeight());
  paintClient(grid->Handle(), dib);
  EXPECT_EQ(drawn, (std::set<int>{2, 3}));
  EXPECT_EQ(firstLeft, 0) << "the left column starts at the grid's edge";

  // A grid wide enough again shows every column from the first.
  form->SetClientSize(600, 10 * 21 + 4);
  EXPECT_EQ(grid->LeftCol(), 0);
  EXPECT_FALSE(barShown());
}

TEST_F(StringGridTest, SelectedRowIsHighlightedAcrossTheWholeRow) {
  grid->SetRow(3);
  MemoryDib dib(grid->ClientWidth(), grid->ClientHeight());
  paintClient(grid->Handle(), dib);
  int y = 3 * 21 + 10; // the title row and two rows above it
  EXPECT_EQ(dib.pixel(50, y), clHighlight());
  EXPECT_EQ(dib.pixel(150, y), clHighlight());
  EXPECT_EQ(dib.pixel(50, y + 21), clWindow());
}

TEST_F(StringGridTest, TopRowChangesRaiseTheEventFromCodeScrollingAndKeys) {
  grid->SetTopRow(10);
  EXPECT_EQ(topChanges, 1);
  grid->SetTopRow(10);
  EXPECT_EQ(topChanges, 1) << "no event when the top row stays";
  SendMessageA(grid->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 11);
  SendMessageA(grid->Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(grid->TopRow(), 20);
  EXPECT_EQ(topChanges, 3);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(grid->Handle(), SB_VERT, &info);
  EXPECT_EQ(info.nPos, 19);
  EXPECT_EQ(info.nMax, 99);
  EXPECT_EQ(info.nPage, 9u);
  // Selecting a row below the screen scrolls it into view as the last whole row.
  grid->SetRow(50);
  EXPECT_EQ(grid->TopRow(), 42);
  EXPECT_EQ(topChanges, 4);
  pressKey(grid->Handle(), VK_END);
  EXPECT_EQ(grid->Row(), 100);
  EXPECT_EQ(grid->TopRow(), 92);
}

// A fine wheel or a touchpad sends steps below one notch; together they scroll as a notch does.
TEST_F(StringGridTest, WheelStepsBelowANotchAddUp) {
  grid->SetTopRow(50);
  struct Case {
    const char* name;
    int delta;
    int topRow;
  } cases[] = {{"a third of a notch scrolls a line", -40, 51},
               {"and the next third another", -40, 52},
               {"a quarter leaves a part over", -30, 52},
               {"which the next quarter completes", -30, 53},
               {"a whole notch back scrolls three lines up", 120, 50}};
  for (const Case& c : cases) {
    SendMessageA(grid->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), 0);
    EXPECT_EQ(grid->TopRow(), c.topRow) << c.name;
  }
}

TEST_F(StringGridTest, TopRowIsClampedToTheLastScreenful) {
  struct Case {
    int asked;
    int expected;
  } cases[] = {{0, 1}, {-5, 1}, {92, 92}, {93, 92}, {5000, 92}};
  for (const Case& c : cases) {
    grid->SetTopRow(c.asked);
    EXPECT_EQ(grid->TopRow(), c.expected) << "asked " << c.asked;
  }
}

TEST_F(StringGridTest, ClickSelectsTheRowUnderTheMouse) {
  grid->SetTopRow(30);
  click(grid->Handle(), 20, 2 * 21 + 5);
  EXPECT_EQ(grid->Row(), 31);
  click(grid->Handle(), 20, 5); // the title row is not selectable
  EXPECT_EQ(grid->Row(), 31);
}

// What the grid's paint routine draws, recorded in a metafile.
std::vector<DrawnText> paintedTexts(TStringGrid& grid) {
  HDC screen = GetDC(nullptr);
  HDC dc = CreateEnhMetaFileA(screen, nullptr, nullptr, nullptr);
  ReleaseDC(nullptr, screen);
  SendMessageA(grid.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  std::vector<DrawnText> texts = metafileTexts(metafile);
  DeleteEnhMetaFile(metafile);
  return texts;
}

int textWidth(TStringGrid& grid, const std::string& text) {
  HDC dc = GetDC(grid.Handle());
  HGDIOBJ old = SelectObject(dc, grid.Font().Handle());
  SIZE size{0, 0};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(grid.Handle(), dc);
  return size.cx;
}

// A text that fits shows whole; one too wide for its column shows its beginning and an ellipsis, within
// the cell (the text is drawn 2 pixels in from either side).
TEST_F(StringGridTest, ATextWiderThanItsColumnEndsInAnEllipsis) {
  const std::string place = "Alderney, Channel Islands";
  grid->SetCell(0, 1, place);
  grid->SetCell(1, 1, "Jersey");
  std::vector<std::string> drawn;
  for (const DrawnText& text : paintedTexts(*grid))
    drawn.push_back(text.text);
  auto find = [&](const std::string& start) {
    for (const std::string& text : drawn) {
      if (text.rfind(start, 0) == 0)
        return text;
    }
    return std::string();
  };
  std::string cut = find("Alder");
  ASSERT_GT(cut.size(), 3u) << "the long text is not drawn";
  EXPECT_EQ(cut.substr(cut.size() - 3), "...") << cut;
  EXPECT_EQ(place.rfind(cut.substr(0, cut.size() - 3), 0), 0u) << cut;
  EXPECT_LE(textWidth(*grid, cut), 100 - 4) << cut;
  EXPECT_EQ(find("Jers"), "Jersey");
}

} // namespace
