#include <calendar2/EventDataFile.h>
#include <calendar2/EventGridLayout.h>
#include <calendar2/GridAppearance.h>

#include <formsrt/Application.h>
#include <formsrt/FileChannels.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <clock/Clock.h>

#include <gtest/gtest.h>

#include <functional>

using formsrt::FlexGridModel;
using namespace plovera;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// The grid's rows as "date|event|year|type|seq" lines, for comparing with a hand-written layout.
std::vector<std::string> rowsOf(const FlexGridModel& grid) {
  std::vector<std::string> rows;
  for (int row = 0; row < grid.Rows(); ++row) {
    std::string line;
    for (int col = 0; col < kEventColumns; ++col)
      line += (col ? "|" : "") + grid.TextMatrix(row, col);
    rows.push_back(line);
  }
  return rows;
}

const std::string kSep = "=====|==================================|====|=======|=====";
const std::string kClose = "=====|================================|====|=======|=====";
const std::string kEmpty = "||||";

// The program's messages are owned by its active window, as they are when a form is shown.
struct ActiveWindow {
  HWND hwnd = CreateWindowExA(0, "STATIC", "Plovera", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                              nullptr, nullptr, nullptr, nullptr);
  ActiveWindow() {
    formsrt::App.Title = "Plovera";
    SetActiveWindow(hwnd);
  }
  ~ActiveWindow() { DestroyWindow(hwnd); }
};

struct EventDataFileTest : ::testing::Test {
  ActiveWindow owner;
  TempDir dir;
  EventDataFile file{dir.path()};
  FlexGridModel grid{2, 5, 1, 0};
  PloveraSettings settings;
  platform::ClockOverride clock{2026, 4, 1};

  ~EventDataFileTest() override { formsrt::CloseAll(); }

  void load(const std::string& bytes) {
    writeFile(file.dataPath(), bytes);
    file.load(grid, settings);
  }
  std::vector<std::string> firstRows(std::size_t count) {
    std::vector<std::string> rows = rowsOf(grid);
    rows.resize(count);
    return rows;
  }
};

TEST_F(EventDataFileTest, LoadSortsByDateAndBuildsSeparatorsAndFillerRows) {
  load("\"05/05\",\"Y\",\"\",\"02\"\r\n"
       "\"05/05\",\"Z\",\"1999\",\"APP\"\r\n"
       "\"2/2\",\"B \xFFquoted\xFF\",\"\",\"Birth\"\r\n"
       "\"01/01\",\"A\",\"\",\"04\"\r\n");
  EXPECT_EQ(file.EventCount, 4);
  std::vector<std::string> expected = {"Date|Event|Year|Type|Seq",
                                       kSep,
                                       "01/01|A||Holiday|1",
                                       kSep,
                                       "02/02|B \"quoted\"||Other|2",
                                       kSep,
                                       "05/05|Z|1999|Appt|3",
                                       "05/05|Y||Appt|4",
                                       kClose};
  expected.resize(kMinimumRows, kEmpty);
  // Equal dates come out in the order the sort's steps leave them: Z before Y here.
  EXPECT_EQ(rowsOf(grid), expected);
}

TEST_F(EventDataFileTest, EventCellsTakeTheTypeColoursAndTheSeqCellIsCentred) {
  settings.CB[3] = 12; // Holiday: light red on black
  settings.CF[3] = 0;
  settings.CB[0] = 17; // out of range: the grid's own colour
  settings.CF[0] = -1;
  load("\"01/01\",\"A\",\"\",\"04\"\r\n\"02/01\",\"B\",\"\",\"01\"\r\n");
  for (int col = 0; col < kEventColumns; ++col) {
    EXPECT_EQ(grid.cellBack(2, col), RGB(255, 0, 0));
    EXPECT_EQ(grid.cellFore(2, col), 1u) << "black is 1, not the grid's own 0";
    EXPECT_EQ(grid.cellBack(4, col), 0u);
    EXPECT_EQ(grid.cellFore(4, col), 0u);
    EXPECT_EQ(grid.cellBack(1, col), 0u) << "separators keep the grid's colours";
    EXPECT_EQ(grid.alignmentOf(0, col), 4);
  }
  EXPECT_EQ(grid.alignmentOf(2, colEvent), 2);
  EXPECT_EQ(grid.alignmentOf(2, colSeq), 4);
}

TEST_F(EventDataFileTest, FormatIsDecidedByTheFirstLinesFieldCount) {
  struct Case {
    const char* name;
    const char* bytes;
    std::vector<std::string> rows;
  } cases[] = {
      {"one record of the older form", "\"03/04\",\"Old\"\r\n", {"03/04|Old||Birth|1"}},
      {"older form, unquoted",
       "3/4,Old one\r\n3/5,Old two\r\n",
       {"03/04|Old one||Birth|1", "03/05|Old two||Birth|2"}},
      {"a hand-edited type word",
       "\"03/04\",\"New\",\"\",\"Birth\"\r\n\"03/05\",\"Next\",\"\",\"05\"\r\n",
       {"03/04|New||Other|1", "03/05|Next||Work|2"}},
      {"commas inside quotes", "\"03/04\",\"a, b, c\",\"\",\"01\"\r\n", {"03/04|a, b, c||Anniv|1"}},
      {"blank lines before, between and after the records",
       "\r\n  \r\n\"03/04\",\"New\",\"\",\"01\"\r\n\r\n\"03/05\",\"Next\",\"\",\"05\"\r\n\r\n \r\n",
       {"03/04|New||Anniv|1", "03/05|Next||Work|2"}},
      {"older form after a blank line", "\n3/4,Old one\n\n", {"03/04|Old one||Birth|1"}},
  };
  for (const Case& c : cases) {
    ModalAnswerer answerer; // no message expected
    load(c.bytes);
    std::vector<std::string> expected = {"Date|Event|Year|Type|Seq", kSep};
    expected.insert(expected.end(), c.rows.begin(), c.rows.end());
    expected.push_back(kClose);
    EXPECT_EQ(firstRows(expected.size()), expected) << c.name;
    EXPECT_FALSE(file.readIncomplete()) << c.name;
  }
}

TEST_F(EventDataFileTest, EmptyFileIsAnEmptyListWithoutAnError) {
  ModalAnswerer answerer;
  load("");
  EXPECT_EQ(file.EventCount, 0);
  std::vector<std::string> expected = {"Date|Event|Year|Type|Seq", kClose};
  expected.resize(kMinimumRows, kEmpty);
  EXPECT_EQ(rowsOf(grid), expected);
  EXPECT_TRUE(answerer.seen().empty());
}

TEST_F(EventDataFileTest, MissingFileIsCreatedWithNewYearsDay) {
  ModalAnswerer answerer;
  file.load(grid, settings);
  EXPECT_EQ(readFile(file.dataPath()), "\"01/01\",\"New Year's Day\",\"\",\"04\"\r\n");
  EXPECT_EQ(firstRows(3)[2], "01/01|New Year's Day||Holiday|1");
  EXPECT_EQ(file.EventCount, 1);
}

TEST_F(EventDataFileTest, DefaultFileThatCannotBeCreatedIsReportedOnce) {
  EventDataFile nowhere(dir.file("no such folder"));
  ModalAnswerer answerer;
  answerer.answer("76 - Path not found", IDOK);
  nowhere.load(grid, settings);
  EXPECT_EQ(answerer.seen().size(), 1u) << answerer.describeSeen();
  EXPECT_EQ(nowhere.EventCount, 0);
  EXPECT_EQ(grid.Rows(), kMinimumRows);
}

TEST_F(EventDataFileTest, ReadErrorMidFileKeepsWhatWasReadAndSaveAsksFirst) {
  const std::string broken =
      "\"02/01\",\"B\",\"\",\"01\"\r\n\"01/01\",\"A\",\"\",\"04\"\r\n\"03/01\",\"C\"\r\n";
  {
    ModalAnswerer answerer;
    answerer.answer("62 - Input past end of file", IDOK);
    load(broken);
  }
  EXPECT_TRUE(file.readIncomplete());
  EXPECT_EQ(file.EventCount, 2);
  EXPECT_EQ(firstRows(6), (std::vector<std::string>{"Date|Event|Year|Type|Seq", kSep, "01/01|A||Holiday|1",
                                                    kSep, "02/01|B||Anniv|2", kClose}));
  {
    ModalAnswerer answerer;
    answerer.answer("could not be read completely", IDNO);
    EXPECT_FALSE(file.save(grid, settings));
  }
  EXPECT_EQ(readFile(file.dataPath()), broken);
  EXPECT_FALSE(testsupport::fileExists(file.backupPath()));
  {
    ModalAnswerer answerer;
    answerer.answer("could not be read completely", IDYES);
    EXPECT_TRUE(file.save(grid, settings));
  }
  EXPECT_EQ(readFile(file.backupPath()), broken);
  EXPECT_FALSE(file.readIncomplete());
}

TEST_F(EventDataFileTest, SaveWritesEventRowsByteForByteAndKeepsTheBackup) {
  const std::string before = "\"01/01\",\"old\",\"\",\"04\"\r\n";
  writeFile(file.dataPath(), before);
  writeFile(file.backupPath(), "older");
  grid.setRows(1);
  const char* rows[] = {"=====\t====\t\t\t",
                        "12/25\tSay \"hi\"\t 1999 \tHoliday\t7",
                        "13/01\tbad month\t\tWork",
                        "00/15\tbad month\t\tWork",
                        "*05/12\tdeleted\t\tWork",
                        "02/30\t  padded  \t\tAnniv",
                        "03/10\tappt\t\tAppt",
                        "03/11\tbirth\t\tBirth",
                        "03/12\twork\t\tWork",
                        "03/13\tunknown\t\tParty",
                        "",
                        "01/2x\tshort date kept as is\t\tOther"};
  for (const char* row : rows)
    grid.AddItem(row);
  ModalAnswerer answerer;
  ASSERT_TRUE(file.save(grid, settings));
  EXPECT_EQ(readFile(file.backupPath()), before);
  // The writer's order is the grid's; the reload sorts.
  EXPECT_EQ(readFile(file.dataPath()), "\"12/25\",\"Say \xFFhi\xFF\",\"1999\",\"04\"\r\n"
                                       "\"02/30\",\"padded\",\"\",\"01\"\r\n"
                                       "\"03/10\",\"appt\",\"\",\"02\"\r\n"
                                       "\"03/11\",\"birth\",\"\",\"03\"\r\n"
                                       "\"03/12\",\"work\",\"\",\"05\"\r\n"
                                       "\"03/13\",\"unknown\",\"\",\"99\"\r\n"
                                       "\"01/2x\",\"short date kept as is\",\"\",\"99\"\r\n");
  EXPECT_EQ(file.EventCount, 7);
  EXPECT_EQ(firstRows(4)[2], "01/02|short date kept as is||Other|1");
  EXPECT_EQ(grid.TextMatrix(grid.Row(), colDate), "12/25") << "the reload goes to today or later";
  EXPECT_FALSE(testsupport::fileExists(dir.file("PLOVERA.NEW")));
  EXPECT_FALSE(testsupport::fileExists(dir.file("PLOVERA.BK~")));
}

// A window repaints on every change it is told of: loading and saving tell it once, at the end.
TEST_F(EventDataFileTest, LoadAndSaveTellTheGridOfTheirChangesOnce) {
  std::string bytes;
  for (int i = 1; i <= 200; ++i)
    bytes += "\"0" + std::to_string(i % 9 + 1) + "/15\",\"event " + std::to_string(i) + "\",\"\",\"04\"\r\n";
  writeFile(file.dataPath(), bytes);
  int changes = 0;
  grid.changed = [&] { ++changes; };
  file.load(grid, settings);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(file.EventCount, 200);
  changes = 0;
  GoToToday(grid);
  EXPECT_LE(changes, 6) << "today's row is found without stepping the current row through the list";
  changes = 0;
  ModalAnswerer answerer;
  ASSERT_TRUE(file.save(grid, settings));
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(grid.Redraw());
}

TEST_F(EventDataFileTest, SaveWithoutADataFileCreatesIt) {
  grid.AddItem("06/01\tx\t\tWork");
  ModalAnswerer answerer;
  ASSERT_TRUE(file.save(grid, settings));
  EXPECT_EQ(readFile(file.dataPath()), "\"06/01\",\"x\",\"\",\"05\"\r\n");
  EXPECT_FALSE(testsupport::fileExists(file.backupPath()));
}

// Each failing step leaves the data file, the backup and the grid as they were.
TEST_F(EventDataFileTest, SaveFailuresLeaveFileBackupAndGridIntact) {
  const std::string before = "\"01/01\",\"kept\",\"\",\"04\"\r\n";
  const std::string backup = "\"01/01\",\"backup\",\"\",\"04\"\r\n";
  struct Case {
    const char* name;
    std::function<HANDLE()> obstruct; // answers a handle to close afterwards, or null
  } cases[] = {
      {"new file cannot be created",
       [&] {
         CreateDirectoryA(dir.file("PLOVERA.NEW").c_str(), nullptr);
         return HANDLE(nullptr);
       }},
      {"backup cannot be moved",
       [&] {
         return CreateFileA(file.backupPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
       }},
      {"data file cannot be renamed",
       [&] {
         return CreateFileA(file.dataPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
       }},
  };
  for (const Case& c : cases) {
    writeFile(file.dataPath(), before);
    writeFile(file.backupPath(), backup);
    grid.setRows(1);
    grid.AddItem("07/04\tchanged\t\tWork");
    HANDLE held = c.obstruct();
    {
      ModalAnswerer answerer;
      answerer.answer("is as it was before", IDOK);
      EXPECT_FALSE(file.save(grid, settings)) << c.name;
    }
    if (held)
      CloseHandle(held);
    RemoveDirectoryA(dir.file("PLOVERA.NEW").c_str());
    EXPECT_EQ(readFile(file.dataPath()), before) << c.name;
    EXPECT_EQ(readFile(file.backupPath()), backup) << c.name;
    EXPECT_EQ(grid.TextMatrix(1, colEvent), "changed") << c.name;
    for (const char* left : {"PLOVERA.NEW", "PLOVERA.BK~"})
      EXPECT_FALSE(testsupport::fileExists(dir.file(left))) << c.name << ": " << left;
  }
}

// A data file copied from a read-only medium keeps its mark when it becomes the backup, and so does a
// file a save set aside and could not remove: saves go on working, and each leaves nothing behind.
TEST_F(EventDataFileTest, ReadOnlyFilesNeverStopLaterSaves) {
  writeFile(file.dataPath(), "\"01/01\",\"copied\",\"\",\"04\"\r\n");
  writeFile(dir.file("PLOVERA.BK~"), "left by an earlier save");
  for (const std::string& path : {file.dataPath(), dir.file("PLOVERA.BK~")})
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  ModalAnswerer answerer;
  for (const std::string event : {"first", "second", "third", "fourth"}) {
    SCOPED_TRACE(event);
    grid.setRows(1);
    grid.AddItem("07/04\t" + event + "\t\tWork");
    ASSERT_TRUE(file.save(grid, settings)) << answerer.describeSeen();
    EXPECT_EQ(readFile(file.dataPath()), "\"07/04\",\"" + event + "\",\"\",\"05\"\r\n");
    EXPECT_FALSE(testsupport::fileExists(dir.file("PLOVERA.BK~")));
  }
  EXPECT_EQ(readFile(file.backupPath()), "\"07/04\",\"third\",\"\",\"05\"\r\n");
}

// A leftover that cannot go (another program holds it open) stops the save, and the message names it.
TEST_F(EventDataFileTest, ALeftoverThatCannotBeRemovedIsNamed) {
  const std::string before = "\"01/01\",\"kept\",\"\",\"04\"\r\n";
  writeFile(file.dataPath(), before);
  writeFile(dir.file("PLOVERA.BK~"), "left by an earlier save");
  HANDLE held =
      CreateFileA(dir.file("PLOVERA.BK~").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  grid.setRows(1);
  grid.AddItem("07/04\tchanged\t\tWork");
  {
    ModalAnswerer answerer;
    answerer.answer("Remove " + dir.file("PLOVERA.BK~") + " and save again", IDOK);
    EXPECT_FALSE(file.save(grid, settings));
  }
  CloseHandle(held);
  EXPECT_EQ(readFile(file.dataPath()), before);
  EXPECT_FALSE(testsupport::fileExists(dir.file("PLOVERA.NEW")));
  EXPECT_EQ(grid.TextMatrix(1, colEvent), "changed");
}

TEST(EventRowTest, WhichDateCellsAreEvents) {
  struct Case {
    const char* date;
    bool event;
  } cases[] = {{"01/01", true},  {"12/31", true},  {"1/5", false},   {"13/01", false},
               {"00/15", false}, {"05/32", false}, {"05/00", false}, {"*05/12", false},
               {"=====", false}, {"", false},      {"Date", false},  {"ab/cd", false}};
  for (const Case& c : cases)
    EXPECT_EQ(isEventRow(c.date), c.event) << c.date;
}

} // namespace
