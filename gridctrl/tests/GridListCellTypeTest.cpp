#include <gridctrl/tests/CellTypeFixture.h>

#include <gridctrl/GridBody.h>
#include <gridctrl/GridListCellType.h>
#include <tests/support/RealInput.h>

#include <windowsx.h>

using namespace testsupport;
using Lines = std::vector<std::string>;

namespace {

const char kColours[] = "Red\nGreen\nBlue\n";

struct GridListCellTypeTest : CellTypeFixture {
  const int button = GetSystemMetrics(SM_CXVSCROLL);
  HWND List() { return GetDlgItem(body, 123); }
  CGridListCellType* Type() { return static_cast<CGridListCellType*>(grid.GetCellType(2)); }
  CPoint Button(int col, int row) {
    const CRect inner = Inner(col, row);
    return CPoint(inner.right - button / 2, (inner.top + inner.bottom) / 2);
  }
  // The list's place in body coordinates.
  CRect ListPlace() {
    CRect place;
    GetWindowRect(List(), &place);
    MapWindowPoints(nullptr, body, reinterpret_cast<POINT*>(&place), 2);
    return place;
  }
};

// What a user does with the list: presses on the button, clicks in the list, keys.
struct GridListCellTypeByUser : GridListCellTypeTest {
  // Presses in a row alternate between two points of the button, too far apart for a double click.
  void PressButton(int col, int row) {
    const CPoint at = Button(col, row);
    presses_ = (presses_ + 1) % 2;
    realinput::click(body, {at.x, at.y + (presses_ ? -4 : 4)});
  }
  // A click on the text part of a cell.
  void ClickText(int col, int row) {
    const CRect inner = Inner(col, row);
    realinput::click(body, {inner.left + 5, (inner.top + inner.bottom) / 2});
  }
  int presses_ = 0;
  void ClickItem(int index) {
    RECT item{};
    ASSERT_NE(
        SendMessageA(List(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)),
        LB_ERR);
    realinput::click(List(), {(item.left + item.right) / 2, (item.top + item.bottom) / 2});
  }
};

TEST(GridListItemsTest, EachItemEndsWithALineFeed) {
  EXPECT_EQ(CGridListCellType::Items("Red\nGreen\nBlue\n"),
            (std::vector<std::string>{"Red", "Green", "Blue"}));
  EXPECT_EQ(CGridListCellType::Items("Red\nGreen"), (std::vector<std::string>{"Red"}));
  EXPECT_TRUE(CGridListCellType::Items("").empty());
}

TEST_F(GridListCellTypeTest, TheButtonIsDrawnAtTheRightEdge) {
  SetType(1, 1, 2, -1, "Red", kColours);
  SetType(1, 2, 2, CGridListCellType::kButtonOnCurrentOnly, "Red", kColours);
  grid.SetCurCell(3, 5);
  Paint();
  const CRect face1(Inner(1, 1).right - button + 1, Inner(1, 1).top + 1, Inner(1, 1).right - 1,
                    Inner(1, 1).bottom - 1);
  EXPECT_GT(dib.count(GetSysColor(COLOR_BTNFACE), face1), face1.Width() * face1.Height() / 2);
  EXPECT_EQ(Ink(face1), 9); // the triangle, rows 5, 3 and 1 wide
  const CRect inner2 = Inner(1, 2);
  EXPECT_EQ(dib.count(GetSysColor(COLOR_BTNFACE), inner2), 0); // only on the current cell
  grid.SetCurCell(1, 2);
  Paint();
  EXPECT_GT(dib.count(GetSysColor(COLOR_BTNFACE), inner2), 0);
}

TEST_F(GridListCellTypeTest, AListInAFontGivenByCharacterHeightShowsItsLastItemWhole) {
  LOGFONTA logFont{};
  logFont.lfHeight = -16; // the character height: a line is taller
  lstrcpyA(logFont.lfFaceName, "Tahoma");
  HFONT font = CreateFontIndirectA(&logFont);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, old);
  DeleteDC(dc);
  ASSERT_GT(metrics.tmHeight, 16);
  grid.SetFont(font);
  grid.SetRowCount(40);
  SetType(1, 1, 2, -1, "", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n");
  grid.SetCurCell(1, 1);
  Type()->OpenList(1, 1);
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(ListPlace().Height(), 13 * metrics.tmHeight + 2); // 12 items and a line to spare
  CRect client;
  GetClientRect(List(), &client);
  RECT last{};
  SendMessageA(List(), LB_GETITEMRECT, 11, reinterpret_cast<LPARAM>(&last));
  EXPECT_LE(last.bottom, client.bottom);
  EXPECT_EQ(SendMessageA(List(), LB_GETTOPINDEX, 0, 0), 0);
  SendMessageA(List(), WM_SETFONT, 0, 0); // the grid's font goes before the list does
  DestroyWindow(List());
  grid.SetFont(nullptr);
  DeleteObject(font);
}

TEST_F(GridListCellTypeByUser, APressOpensTheListAndAClickOnAnItemFillsTheCell) {
  SetType(1, 1, 2, -1, "Red", kColours);
  grid.SetCurCell(1, 1);
  PressButton(1, 1);
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(SendMessageA(List(), LB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(GetFocus(), List());
  CRect cell;
  grid.GetCellRect(1, 1, &cell);
  // No font anywhere: a line counts 12 pixels; (3 items + 1) lines and 2 for the border.
  EXPECT_EQ(ListPlace(), CRect(cell.left + 10, cell.bottom, cell.right + 10, cell.bottom + 4 * 12 + 2));

  ClickItem(2);
  EXPECT_EQ(List(), nullptr);
  EXPECT_STREQ(Merged(1, 1).m_strText, "Blue");
  EXPECT_EQ(grid.Calls("OnCellNotify"),
            (Lines{"OnCellNotify(2,1,1,100,Red\nGreen\nBlue\n)", "OnCellNotify(2,1,1,101,Blue)"}));
  EXPECT_EQ(GetFocus(), body);
}

TEST_F(GridListCellTypeByUser, TheKeyboardOpensTheListAndChoosesInIt) {
  SetType(1, 1, 2, -1, "Red", kColours);
  ClickText(1, 1);
  ASSERT_EQ(List(), nullptr);
  realinput::pressKey(VK_RETURN); // Enter opens it, and moves nowhere
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(grid.GetCurRow(), 1);
  for (int i = 0; i < 3; ++i) // from no item to the first, the second and the third
    realinput::pressKey(VK_DOWN);
  realinput::pressKey(VK_RETURN);
  EXPECT_EQ(List(), nullptr);
  EXPECT_STREQ(Merged(1, 1).m_strText, "Blue");

  realinput::pressKey(VK_DOWN, {VK_CONTROL}); // so does Control with Down
  ASSERT_NE(List(), nullptr);
  realinput::pressKey(VK_HOME);
  realinput::pressKey(VK_DOWN);
  realinput::pressKey(VK_RETURN);
  EXPECT_STREQ(Merged(1, 1).m_strText, "Green");

  realinput::pressKey(VK_RETURN);
  ASSERT_NE(List(), nullptr);
  realinput::pressKey(VK_ESCAPE);
  EXPECT_EQ(List(), nullptr);
  EXPECT_STREQ(Merged(1, 1).m_strText, "Green");
}

TEST_F(GridListCellTypeByUser, ALongListScrollsUnderTheMouseAndStaysOpen) {
  SetType(1, 1, 2, -1, "", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n19\n20\n");
  grid.SetCurCell(1, 1);
  PressButton(1, 1);
  ASSERT_NE(List(), nullptr);
  CRect client;
  GetClientRect(List(), &client);
  const int bar = GetSystemMetrics(SM_CXVSCROLL);
  // The scroll bar's down arrow, right of the client area.
  realinput::click(List(), {client.right + bar / 2, client.bottom - bar / 2});
  ASSERT_NE(List(), nullptr);
  EXPECT_EQ(GetFocus(), List());
  EXPECT_GT(SendMessageA(List(), LB_GETTOPINDEX, 0, 0), 0);
  const int top = static_cast<int>(SendMessageA(List(), LB_GETTOPINDEX, 0, 0));
  ClickItem(top);
  EXPECT_EQ(List(), nullptr);
  EXPECT_STREQ(Merged(1, 1).m_strText, std::to_string(top + 1).c_str());
}

TEST_F(GridListCellTypeByUser, TheListStaysInsideTheBody) {
  grid.SetRowCount(30);
  grid.SetColWidth(2, 130); // its list would reach past the body's right edge
  const int last = grid.Dims().bodyHeight / 20 - 1;
  SetType(2, last, 2, -1, "", "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n12\n13\n14\n15\n16\n17\n18\n");
  grid.SetCurCell(2, last);
  PressButton(2, last);
  ASSERT_NE(List(), nullptr);
  const CRect place = ListPlace();
  const CRect client = grid.GetBody()->GetClientRect();
  EXPECT_EQ(place.Height(), 16 * 12 + 2); // at most 16 lines
  EXPECT_LE(place.bottom, client.bottom);
  EXPECT_LE(place.right, client.right);
  EXPECT_GE(place.top, 0);
}

TEST_F(GridListCellTypeByUser, OnlyThePressThatClosesTheListLeavesItClosed) {
  SetType(1, 1, 2, -1, "Red", kColours);
  SetType(2, 1, 2, -1, "Red", kColours);
  grid.SetCurCell(1, 1);
  PressButton(1, 1);
  ASSERT_NE(List(), nullptr);
  PressButton(1, 1); // takes the focus from the open list: it closes and stays closed
  EXPECT_EQ(List(), nullptr);
  PressButton(1, 1); // the next press opens it again
  EXPECT_NE(List(), nullptr);
  PressButton(2, 1); // another cell's button closes this list and opens its own at once
  EXPECT_NE(List(), nullptr);
  EXPECT_EQ(grid.GetCurCol(), 2);
}

TEST_F(GridListCellTypeByUser, AfterEscapeOrOtherClicksAndKeysTheNextPressOpensTheList) {
  SetType(1, 1, 2, -1, "Red", kColours);
  grid.SetCurCell(1, 1);
  PressButton(1, 1);
  ASSERT_NE(List(), nullptr);
  realinput::pressKey(VK_ESCAPE);
  ASSERT_EQ(List(), nullptr);
  PressButton(1, 1);
  EXPECT_NE(List(), nullptr);

  ClickText(3, 1); // closes the list somewhere else
  ASSERT_EQ(List(), nullptr);
  realinput::pressKey(VK_LEFT);
  realinput::pressKey(VK_LEFT);
  ASSERT_EQ(grid.GetCurCol(), 1);
  PressButton(1, 1);
  EXPECT_NE(List(), nullptr);
}

TEST(GridListCaptureByUser, AButtonHeldWhenTheCaptureGoesIsNoLongerDrawnPressed) {
  CaptureStealingHost host;
  host.SetType(1, 1, 2, kColours);
  const CRect face = host.ButtonFace(1, 1);
  realinput::drag(host.body(), {face.left + 3, face.top + 3}, {face.left + 2, face.top + 4}, 2);
  ASSERT_EQ(GetCapture(), host.parent_.m_hWnd);
  EXPECT_NE(GetDlgItem(host.body(), 123), nullptr); // the list opened by the press stays open
  EXPECT_FALSE(host.DrawnPressed(face));
}

} // namespace
