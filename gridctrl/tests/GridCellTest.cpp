#include <gridctrl/GridCell.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

std::string Data(const CGridCell& cell) {
  if (!cell.m_nDataFlag || !cell.m_pData)
    return "<none>";
  return std::string(reinterpret_cast<const char*>(cell.m_pData.get()), static_cast<size_t>(cell.m_nDataLen));
}

// Every attribute set, a data block and a place in a joined block: what copies and overlays act on.
CGridCell FullTarget() {
  CGridCell cell;
  cell.m_nDecimals = 1;
  cell.SetDouble(7.5);
  cell.SetText("old");
  cell.m_strText2 = "00/00";
  cell.m_strDisplay = "label";
  cell.SetRange(1, 9);
  cell.m_nRangeFlag = 1;
  cell.SetTextColor(RGB(1, 2, 3));
  cell.SetBkColor(RGB(4, 5, 6));
  cell.SetAlign(2);
  cell.SetFrameStyle(15);
  cell.SetNoEdit(1);
  cell.SetCellType(4);
  cell.SetTypeFlags(8);
  cell.SetData("xy", 2);
  cell.m_nJoined = 1;
  cell.m_nAnchor = 1;
  cell.m_nJoinCol = 3;
  cell.m_nJoinRow = 4;
  return cell;
}

struct Case {
  const char* name;
  bool overlay;
  std::function<void(CGridCell&)> source;
  std::function<void(const CGridCell&)> expect;
};

TEST(GridCellTest, CopiesAndOverlaysTakeWhatTheyShould) {
  const Case cases[] = {
      {"copy of a fresh cell unsets everything and frees the block", false, [](CGridCell&) {},
       [](const CGridCell& c) {
         EXPECT_EQ(c.m_strText, "");
         EXPECT_EQ(c.m_nValueType, -1);
         EXPECT_EQ(static_cast<LONG>(c.m_crText), -1);
         EXPECT_EQ(c.m_nFrameStyle, -1);
         EXPECT_EQ(c.m_nRangeFlag, -1);
         EXPECT_EQ(Data(c), "<none>");
         EXPECT_EQ(c.m_nDataLen, 0);
         EXPECT_EQ(c.m_nJoined, 0);
         EXPECT_EQ(c.m_dNumber, 7.5); // the number travels only with a value type
       }},
      {"overlay of a fresh cell changes nothing", true, [](CGridCell&) {},
       [](const CGridCell& c) {
         EXPECT_EQ(c.m_strText, "old");
         EXPECT_EQ(c.m_strText2, "00/00");
         EXPECT_EQ(c.m_nValueType, 2);
         EXPECT_EQ(c.m_dMax, 9);
         EXPECT_EQ(c.m_crBk, RGB(4, 5, 6));
         EXPECT_EQ(c.m_nCellType, 4);
         EXPECT_EQ(Data(c), "xy");
         EXPECT_EQ(c.m_nJoinCol, 3);
       }},
      {"overlay takes only the colour that is set", true,
       [](CGridCell& s) { s.SetTextColor(RGB(255, 0, 0)); },
       [](const CGridCell& c) {
         EXPECT_EQ(c.m_crText, RGB(255, 0, 0));
         EXPECT_EQ(c.m_crBk, RGB(4, 5, 6));
         EXPECT_EQ(c.m_strText, "old");
       }},
      {"overlay of a text replaces it", true, [](CGridCell& s) { s.SetText("new"); },
       [](const CGridCell& c) { EXPECT_EQ(c.m_strText, "new"); }},
      {"overlay brings the number with its value type", true,
       [](CGridCell& s) {
         s.m_nDecimals = 3;
         s.SetDouble(2.25);
       },
       [](const CGridCell& c) {
         EXPECT_EQ(c.m_dNumber, 2.25);
         EXPECT_EQ(c.m_nDecimals, 3);
         EXPECT_EQ(c.m_strText, "2.250");
       }},
      {"a cleared number does not travel", true,
       [](CGridCell& s) {
         s.SetDouble(99);
         s.Clear();
       },
       [](const CGridCell& c) { EXPECT_EQ(c.m_dNumber, 7.5); }},
      {"range travels only with a range flag", true,
       [](CGridCell& s) {
         s.SetRange(-5, 5);
         s.m_nSpareFlag = 0;
       },
       [](const CGridCell& c) {
         EXPECT_EQ(c.m_dMin, 1);
         EXPECT_EQ(c.m_nSpareFlag, 0);
       }},
      {"range with flag 0 travels", true,
       [](CGridCell& s) {
         s.SetRange(-5, 5);
         s.m_nRangeFlag = 0;
       },
       [](const CGridCell& c) {
         EXPECT_EQ(c.m_dMin, -5);
         EXPECT_EQ(c.m_dMax, 5);
         EXPECT_EQ(c.m_nRangeFlag, 0);
       }},
      {"overlay replaces the data block", true, [](CGridCell& s) { s.SetData("abc", 3); },
       [](const CGridCell& c) { EXPECT_EQ(Data(c), "abc"); }},
      {"copy duplicates the data block", false, [](CGridCell& s) { s.SetData("q", 1); },
       [](const CGridCell& c) {
         EXPECT_EQ(Data(c), "q");
         EXPECT_EQ(c.m_nDataLen, 1);
       }},
      {"overlay takes a join only when the joined flag is 1", true,
       [](CGridCell& s) {
         s.m_nJoined = 2;
         s.m_nJoinCol = 9;
       },
       [](const CGridCell& c) { EXPECT_EQ(c.m_nJoinCol, 3); }},
      {"overlay takes a member's join", true,
       [](CGridCell& s) {
         s.m_nJoined = 1;
         s.m_nAnchor = 0;
         s.m_nJoinCol = 0;
         s.m_nJoinRow = 2;
       },
       [](const CGridCell& c) {
         EXPECT_EQ(c.m_nAnchor, 0);
         EXPECT_EQ(c.m_nJoinRow, 2);
       }},
      {"copy of an unjoined cell keeps the old join position", false, [](CGridCell& s) { s.SetText("t"); },
       [](const CGridCell& c) {
         EXPECT_EQ(c.m_nJoined, 0);
         EXPECT_EQ(c.m_nJoinCol, 3);
       }},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    CGridCell source;
    test.source(source);
    CGridCell target = FullTarget();
    if (test.overlay)
      target.OverlayFrom(source);
    else
      source.CopyTo(target);
    test.expect(target);
  }
}

TEST(GridCellTest, CopyingOrOverlayingACellOntoItselfKeepsItsBlock) {
  CGridCell cell = FullTarget();
  EXPECT_EQ(cell.CopyFrom(cell), 0);
  EXPECT_EQ(Data(cell), "xy");
  EXPECT_EQ(cell.OverlayFrom(cell), 0);
  EXPECT_EQ(Data(cell), "xy");
  EXPECT_EQ(cell.m_strText, "old");
}

TEST(GridCellTest, FreshCellHasEverythingUnsetAndItsNumbersAtZero) {
  CGridCell cell;
  EXPECT_EQ(cell.m_dNumber, 0);
  EXPECT_EQ(cell.m_dMin, 0);
  EXPECT_EQ(cell.m_dMax, 0);
  EXPECT_EQ(cell.m_nDecimals, 2);
  EXPECT_EQ(cell.m_nAlign, -1);
  EXPECT_EQ(cell.m_hFont, nullptr);
  EXPECT_EQ(cell.m_nDataFlag, 0);
}

TEST(GridCellTest, SetDoubleFormatsWithTheDecimals) {
  struct {
    double value;
    short decimals;
    const char* text;
  } const cases[] = {
      {3.14159, 2, "3.14"},
      {3.14159, 0, "3"},
      {-2.5, 2, "-2.50"},
      {3.14159, -1, "3"}, // no decimals rather than a broken format
      {1.5, 3000, "1.500000000000000000000000000000"},
  };
  for (const auto& c : cases) {
    CGridCell cell;
    cell.m_nDecimals = c.decimals;
    EXPECT_EQ(cell.SetDouble(c.value), 0);
    EXPECT_EQ(cell.m_strText, c.text) << c.value << " with " << c.decimals;
    EXPECT_EQ(cell.m_nValueType, 2);
    EXPECT_EQ(cell.m_dNumber, c.value);
  }
  CGridCell huge;
  huge.SetDouble(1e300);
  EXPECT_EQ(huge.m_strText.GetLength(), 304); // 301 digits, the point and two decimals
  EXPECT_EQ(huge.GetDouble(), 1e300);
  huge.SetText("abc");
  EXPECT_EQ(huge.GetDouble(), 0);
}

} // namespace
