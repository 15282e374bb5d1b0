#include <calendar2/EventGridLayout.h>
#include <calendar2/GridAppearance.h>

#include <clock/Clock.h>

#include <gtest/gtest.h>

using formsrt::FlexGridModel;
using namespace plovera;

namespace {

// A grid laid out as the loader builds it, from date cells ("=" rows are separators).
FlexGridModel gridOf(const std::vector<std::string>& dates) {
  FlexGridModel grid(1, 5, 1, 0);
  for (const std::string& date : dates)
    grid.AddItem(date == "=" ? "=====\t===" : date + "\tevent\t\tWork");
  return grid;
}

TEST(GoToTodayTest, SelectsTheFirstEventOnOrAfterToday) {
  const std::vector<std::string> list = {"=", "03/10", "=", "04/01", "*04/02", "=", "05/20", "="};
  struct Case {
    const char* name;
    int month;
    int day;
    std::vector<std::string> dates;
    int row;
  } cases[] = {
      {"between events", 4, 1, {"=", "03/10", "=", "05/20", "="}, 4},
      {"an event today", 4, 1, list, 4},
      {"deleted rows are passed over", 4, 2, list, 7},
      {"after the last event: the year's first", 12, 31, {"=", "03/10", "=", "05/20", "=", "", ""}, 2},
      {"before the first event", 1, 1, list, 2},
      {"no events at all", 6, 1, {"=", "", ""}, 2},
      {"a grid of two rows", 6, 1, {""}, 1},
      {"a grid of the header only", 6, 1, {}, 0},
  };
  for (const Case& c : cases) {
    platform::ClockOverride clock(2026, c.month, c.day);
    FlexGridModel grid = gridOf(c.dates);
    EXPECT_EQ(GoToToday(grid), c.month) << c.name;
    EXPECT_EQ(grid.Row(), c.row) << c.name;
    if (grid.Rows() > 1) {
      EXPECT_EQ(grid.RowSel(), c.row) << c.name;
      EXPECT_EQ(grid.Col(), 4) << c.name;
      EXPECT_EQ(grid.ColSel(), 0) << c.name;
    }
  }
}

TEST(GoToTodayTest, ScrollsTheSelectedRowNearTheTop) {
  std::vector<std::string> dates;
  for (int day = 1; day <= 28; ++day)
    dates.push_back((day < 10 ? "02/0" : "02/") + std::to_string(day));
  platform::ClockOverride clock(2026, 2, 20);
  FlexGridModel grid = gridOf(dates);
  GoToToday(grid);
  EXPECT_EQ(grid.Row(), 20);
  EXPECT_EQ(grid.TopRow(), 16);
  platform::ClockOverride early(2026, 2, 2);
  GoToToday(grid);
  EXPECT_EQ(grid.TopRow(), 1);
}

TEST(ColorRowsByTypeTest, TypeWordsChooseTheirColourPair) {
  PloveraSettings settings;
  const int back[6] = {1, 2, 3, 4, 5, 6};
  const int fore[6] = {0, 16, 15, 14, 13, 17};
  for (int type = 0; type < 6; ++type) {
    settings.CB[type] = back[type];
    settings.CF[type] = fore[type];
  }
  struct Case {
    const char* word;
    COLORREF back;
    COLORREF fore;
  } cases[] = {
      {"Anniv", RGB(0, 0, 128), 1},
      {" Appt ", RGB(0, 128, 0), 0},
      {"Birth", RGB(0, 128, 128), RGB(255, 255, 255)},
      {"Holiday", RGB(128, 0, 0), RGB(255, 255, 0)},
      {"Work", RGB(128, 0, 128), RGB(255, 0, 255)},
      {"Other", RGB(128, 128, 0), 0},
      {"work", RGB(128, 128, 0), 0},
      {"", RGB(128, 128, 0), 0},
  };
  for (const Case& c : cases) {
    FlexGridModel grid(3, 5, 1, 0);
    grid.setTextMatrix(2, colType, c.word);
    ColorRowsByType(grid, settings, 2);
    for (int col = 0; col < 5; ++col) {
      EXPECT_EQ(grid.cellBack(2, col), c.back) << c.word;
      EXPECT_EQ(grid.cellFore(2, col), c.fore) << c.word;
      EXPECT_EQ(grid.cellBack(1, col), 0u);
    }
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.Col(), 4);
  }
}

TEST(ApplyGridSettingsTest, LinesFontAndWidthsFromTheSettings) {
  PloveraSettings settings;
  settings.Grid = 'N';
  settings.FontBold = 'Y';
  settings.FontName = "Arial";
  settings.FontSize = 11;
  settings.WEvent = -5; // refused by the grid; the others still apply
  settings.WType = 700;
  FlexGridModel grid(2, 5, 1, 0);
  ApplyGridSettings(grid, settings);
  EXPECT_EQ(grid.GridLines, 0);
  EXPECT_EQ(grid.FontName, "Arial");
  EXPECT_EQ(grid.FontSize, 11);
  EXPECT_TRUE(grid.FontBold);
  EXPECT_FALSE(grid.FontItalic);
  EXPECT_EQ(settings.FontBoldFlag, 1);
  EXPECT_EQ(settings.FontItalicFlag, 0);
  EXPECT_EQ(grid.ColWidth(0), 520);
  EXPECT_EQ(grid.ColWidth(1), 960);
  EXPECT_EQ(grid.ColWidth(3), 700);
  EXPECT_EQ(grid.ColWidth(4), 510);
  settings.Grid = 'Y';
  ApplyGridSettings(grid, settings);
  EXPECT_EQ(grid.GridLines, 2);
}

} // namespace
