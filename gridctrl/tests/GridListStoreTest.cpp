#include <gridctrl/GridListStore.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CGridCell Text(const char* text) {
  CGridCell cell;
  cell.SetText(text);
  return cell;
}

std::string ReadText(CGridListStore& store, int col, int row) {
  CGridCell cell;
  cell.SetText("untouched");
  int answer = store.ReadCell(col, row, cell);
  return answer == 0 ? std::string(cell.m_strText) : "<" + std::string(cell.m_strText) + ">";
}

std::vector<std::string> Column(CGridListStore& store, int col) {
  std::vector<std::string> texts;
  for (int row = 0; row < store.RowNodeCount(); ++row)
    texts.push_back(ReadText(store, col, row));
  return texts;
}

TEST(GridListStoreTest, StoresOnlyWhatWasWrittenAndCreatesTheWayThere) {
  CGridListStore store;
  EXPECT_EQ(store.WriteCell(5, 3, Text("x")), 0);
  EXPECT_EQ(store.RowNodeCount(), 4);
  EXPECT_EQ(store.CellNodeCount(3), 6);
  EXPECT_EQ(store.CellNodeCount(0), 0);
  EXPECT_EQ(ReadText(store, 5, 3), "x");
  EXPECT_EQ(ReadText(store, 4, 3), "<untouched>"); // an empty node counts as nothing stored
  EXPECT_EQ(ReadText(store, 0, 9), "<untouched>");
  EXPECT_EQ(store.WriteCell(-1, 2, Text("header")), 0);
  EXPECT_EQ(ReadText(store, -1, 2), "header");
  EXPECT_EQ(store.WriteCell(-2, 2, Text("no")), 1);
  // Reading back and forth walks from the cursor and gives the same cells.
  store.WriteCell(0, 0, Text("a"));
  EXPECT_EQ(ReadText(store, 5, 3), "x");
  EXPECT_EQ(ReadText(store, 0, 0), "a");
  EXPECT_EQ(ReadText(store, 5, 3), "x");
}

TEST(GridListStoreTest, RowsAndColumnsAreInsertedAndDeleted) {
  CGridListStore store;
  for (int row = 0; row < 5; ++row)
    store.WriteCell(0, row, Text(("r" + std::to_string(row)).c_str()));
  EXPECT_EQ(store.DeleteRow(9), 0); // never written: nothing changes
  EXPECT_EQ(store.DeleteRow(2), 0);
  EXPECT_EQ(Column(store, 0), (std::vector<std::string>{"r0", "r1", "r3", "r4"}));
  EXPECT_EQ(store.DeleteRow(3), 0); // the last row: the cursor steps back
  EXPECT_EQ(store.InsertRow(1), 0);
  EXPECT_EQ(Column(store, 0), (std::vector<std::string>{"r0", "<untouched>", "r1", "r3"}));

  store.WriteCell(1, 0, Text("b"));
  store.WriteCell(2, 0, Text("c"));
  EXPECT_EQ(store.DeleteColumn(1), 0);
  EXPECT_EQ(ReadText(store, 1, 0), "c");
  EXPECT_EQ(store.InsertColumn(0), 0);
  EXPECT_EQ(ReadText(store, 1, 0), "r0");
  EXPECT_EQ(store.DeleteCell(0, 0), 0);
  EXPECT_EQ(ReadText(store, 0, 0), "r0");
  EXPECT_EQ(store.DeleteCell(7, 0), 1);
  EXPECT_EQ(store.ClearAll(), -1);
  EXPECT_EQ(store.RowNodeCount(), 0);
  EXPECT_EQ(store.DeleteColumn(0), 1);
}

TEST(GridListStoreTest, FindsTextsCaseInsensitivelyAndContinuesAfterTheHit) {
  CGridListStore store;
  const char* names[] = {"Easter", "election day", "Yule", "Election Day"};
  for (int row = 0; row < 4; ++row)
    store.WriteCell(1, row, Text(names[row]));
  int row = -1;
  EXPECT_EQ(store.FindNext(1, "x", &row), 1); // nothing found yet
  EXPECT_EQ(store.FindFirst(1, "ELECTION DAY", &row), 0);
  EXPECT_EQ(row, 1);
  EXPECT_EQ(store.FindNext(1, "ELECTION DAY", &row), 0);
  EXPECT_EQ(row, 3);
  EXPECT_EQ(store.FindNext(1, "ELECTION DAY", &row), 1);
  EXPECT_EQ(store.FindFirst(0, "Yule", &row), 1);
  store.DeleteRow(3);
  store.DeleteRow(2);
  EXPECT_EQ(store.FindNext(1, "Yule", &row), 1); // the last hit's row is gone
}

TEST(GridListStoreTest, FindNextFollowsItsHitWhenRowsComeAndGoAboveIt) {
  CGridListStore store;
  const char* names[] = {"a", "x", "b", "x", "x"};
  for (int row = 0; row < 5; ++row)
    store.WriteCell(0, row, Text(names[row]));
  int row = -1;
  ASSERT_EQ(store.FindFirst(0, "x", &row), 0);
  ASSERT_EQ(row, 1);
  store.DeleteRow(0); // a, x... -> x, b, x, x: the hit is row 0 now
  EXPECT_EQ(store.FindNext(0, "x", &row), 0);
  EXPECT_EQ(row, 2);
  store.InsertRow(0); // -, x, b, x, x: the hit is row 3 now
  EXPECT_EQ(store.FindNext(0, "x", &row), 0);
  EXPECT_EQ(row, 4);
}

TEST(GridListStoreTest, SortKeepsEveryRowAndTheOrderOfEqualKeys) {
  CGridListStore store;
  // Column 0 holds the key, column 1 says which row it was.
  const char* keys[] = {"c", "a", nullptr, "b", "a"};
  for (int row = 0; row < 5; ++row) {
    if (keys[row])
      store.WriteCell(0, row, Text(keys[row]));
    store.WriteCell(1, row, Text(std::to_string(row).c_str()));
  }
  EXPECT_EQ(store.SortByColumn(0), 0);
  EXPECT_EQ(Column(store, 1), (std::vector<std::string>{"1", "4", "3", "0", "2"}));
}

} // namespace
