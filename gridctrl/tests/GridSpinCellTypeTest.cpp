#include <gridctrl/tests/CellTypeFixture.h>

#include <gridctrl/GridSpinCellType.h>
#include <tests/support/RealInput.h>

using namespace testsupport;
using Lines = std::vector<std::string>;

namespace {

using GridSpinCellTypeTest = CellTypeFixture;

TEST_F(GridSpinCellTypeTest, ButtonsShowTrianglesOnlyInTallCells) {
  const int button = GetSystemMetrics(SM_CXVSCROLL);
  for (int height : {20, 10}) {
    SCOPED_TRACE(height);
    grid.SetRowHeight(1, height);
    SetType(1, 1, 6, -1, "7");
    Paint();
    const CRect inner = Inner(1, 1);
    const int middle = inner.top + inner.Height() / 2;
    CRect up(inner.right - button + 2, inner.top + 2, inner.right - 2, middle - 1);
    CRect down(inner.right - button + 2, middle + 1, inner.right - 2, inner.bottom - 2);
    EXPECT_GT(dib.count(GetSysColor(COLOR_BTNFACE),
                        CRect(inner.right - button, inner.top, inner.right, inner.bottom)),
              0);
    if (height > 10) {
      EXPECT_EQ(Ink(up), 9); // rows 1, 3 and 5 pixels wide
      EXPECT_EQ(Ink(down), 9);
    } else {
      EXPECT_EQ(Ink(CRect(inner.right - button + 1, inner.top + 1, inner.right - 1, inner.bottom - 1)), 0);
    }
  }
}

TEST_F(GridSpinCellTypeTest, PressesNotifyAndLeaveTheValue) {
  SetType(1, 1, 6, -1, "7");
  grid.SetCurCell(1, 1);
  const CRect inner = Inner(1, 1);
  const int x = inner.right - 5;
  click(body, x, inner.top + 3);
  click(body, x, inner.bottom - 3);
  click(body, inner.left + 10, inner.top + 5); // on the text: nothing
  EXPECT_EQ(grid.Calls("OnCellNotify"), (Lines{"OnCellNotify(6,1,1,16,)", "OnCellNotify(6,1,1,17,)"}));
  EXPECT_STREQ(Merged(1, 1).m_strText, "7");
}

TEST(GridSpinCaptureByUser, AButtonHeldWhenTheCaptureGoesIsNoLongerDrawnPressed) {
  CaptureStealingHost host;
  host.SetType(1, 1, 6);
  const CRect face = host.ButtonFace(1, 1);
  realinput::drag(host.body(), {face.left + 3, face.top + 3}, {face.left + 2, face.top + 4}, 2);
  ASSERT_EQ(GetCapture(), host.parent_.m_hWnd);
  EXPECT_EQ(host.grid.Calls("OnCellNotify"), (Lines{"OnCellNotify(6,1,1,16,)"}));
  EXPECT_FALSE(host.DrawnPressed(face)); // the up button, in the upper half
}

} // namespace
