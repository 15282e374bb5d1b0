#include "EventDataFile.h"

#include "EventGridLayout.h"
#include "EventTypes.h"
#include "GridAppearance.h"
#include "MonthDay.h"

#include <formsrt/Application.h>
#include <formsrt/FileChannels.h>
#include <formsrt/FileSystem.h>
#include <formsrt/RuntimeError.h>
#include <formsrt/Text.h>

#include <algorithm>
#include <cstdint>
#include <utility>

namespace plovera {

using formsrt::FlexGridModel;
using formsrt::RuntimeError;

namespace {

const int kChannel = 2;
const char kStoredQuote = '\xFF';

// Closes the channel however the reading or writing ends.
struct OpenChannel {
  OpenChannel(const std::string& path, formsrt::OpenMode mode) { formsrt::Open(path, mode, kChannel); }
  ~OpenChannel() {
    try {
      formsrt::Close(kChannel);
    } catch (const RuntimeError&) {
      // Only an unwinding error gets here; it is the one reported.
    }
  }
  void close() { formsrt::Close(kChannel); }
};

// Fields in the first line, commas inside double quotes not counted: four in the current form, two in
// the older one.
int firstLineFieldCount(const std::string& line) {
  int fields = 1;
  bool quoted = false;
  for (char c : line) {
    if (c == '"')
      quoted = !quoted;
    else if (c == ',' && !quoted)
      ++fields;
  }
  return fields;
}

// The blanks around a field removed, in place.
void trimBlanks(std::string& field) {
  std::size_t last = field.find_last_not_of(' ');
  field.erase(last == std::string::npos ? 0 : last + 1);
  field.erase(0, std::min(field.find_first_not_of(' '), field.size()));
}

// The stored quote back to a double quote, and the blanks around the field removed, in place.
void restore(std::string& field) {
  std::replace(field.begin(), field.end(), kStoredQuote, '"');
  trimBlanks(field);
}

// A date as a number that orders as its text does: its five character codes, the first the most
// significant. The empty entry below every date is 0.
std::uint64_t sortKey(const std::string& date) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 5; ++i)
    key = key << 8 | (i < date.size() ? static_cast<unsigned char>(date[i]) : 0u);
  return key;
}

void report(const RuntimeError& error) {
  formsrt::MsgBox(error.describe(), formsrt::mbOKOnly);
  formsrt::Screen.setMousePointer(formsrt::pointerDefault);
}

} // namespace

EventDataFile::EventDataFile(std::string folder) : folder_(std::move(folder)) {}

void EventDataFile::readRecords(const std::string& path, std::vector<EventRecord>& records) {
  OpenChannel file(path, formsrt::OpenMode::Input);
  // Blank lines carry no record, wherever they stand.
  formsrt::SkipBlankLines(kChannel);
  if (formsrt::EndOfFile(kChannel))
    return;
  bool current = firstLineFieldCount(formsrt::LineInput(kChannel)) > 2;
  formsrt::Seek(kChannel, 1);
  formsrt::SkipBlankLines(kChannel);
  // Room for about as many records as lines of a usual length, so that a long list is not moved again
  // and again while it grows.
  records.reserve(records.size() + static_cast<std::size_t>(formsrt::LOF(kChannel) / 32));
  while (!formsrt::EndOfFile(kChannel)) {
    EventRecord record;
    record.date = formsrt::InputField(kChannel);
    record.text = formsrt::InputField(kChannel);
    if (current) {
      record.year = formsrt::InputField(kChannel);
      record.type = formsrt::InputField(kChannel);
    } else {
      record.type = "03";
    }
    restore(record.date);
    record.date = NormalizeMonthDay(record.date);
    restore(record.text);
    restore(record.year);
    trimBlanks(record.type);
    records.push_back(std::move(record));
    formsrt::SkipBlankLines(kChannel);
  }
}

// A shell sort over gaps 2^k - 1, comparing dates by character codes. Equal dates are never swapped with
// each other directly; their order is whatever these steps leave, as the list has always shown it.
// Position 0 is the empty entry below every date, which never moves. The sort moves keys and record
// numbers; the records are put in their order once at the end.
void EventDataFile::sortByDate(std::vector<EventRecord>& records) {
  struct Entry {
    std::uint64_t key;
    std::size_t record;
  };
  std::size_t count = records.size();
  std::vector<Entry> entries(count + 1, Entry{0, 0});
  for (std::size_t i = 1; i <= count; ++i)
    entries[i] = Entry{sortKey(records[i - 1].date), i - 1};
  std::size_t n = count + 1;
  std::size_t gap = 1;
  while (gap <= n)
    gap *= 2;
  gap = gap / 2 - 1;
  while (gap > 0) {
    // Each entry moves down past every higher one a gap away, as a chain of swaps would move it.
    for (std::size_t i = gap; i <= count; ++i) {
      Entry moving = entries[i];
      std::size_t j = i;
      for (; j >= gap && moving.key < entries[j - gap].key; j -= gap)
        entries[j] = entries[j - gap];
      entries[j] = moving;
    }
    gap = (gap - 1) / 2;
  }
  // Each record moves to its place along the cycles of the permutation, without copies.
  std::vector<std::size_t> from(count);
  for (std::size_t i = 1; i <= count; ++i)
    from[i - 1] = entries[i].record;
  for (std::size_t start = 0; start < count; ++start) {
    if (from[start] == start)
      continue;
    EventRecord held = std::move(records[start]);
    std::size_t place = start;
    for (std::size_t source = from[place]; source != start; source = from[place]) {
      records[place] = std::move(records[source]);
      from[place] = place;
      place = source;
    }
    records[place] = std::move(held);
    from[place] = place;
  }
}

void EventDataFile::buildGrid(FlexGridModel& grid, std::vector<EventRecord>& records,
                              const PloveraSettings& settings) {
  grid.setRow(0);
  for (int col = 0; col < kEventColumns; ++col) {
    grid.setColAlignment(col, 2);
    grid.setFixedAlignment(col, 4);
    grid.setTextMatrix(0, col, kHeaderRow[col]);
  }
  // The grid is sized once for the events, a separator before each month's first and the closing one,
  // so that its cells are not moved again and again as it grows.
  int separators = 0;
  std::string lastMonth = "00";
  for (const EventRecord& record : records) {
    if (record.date.compare(0, 2, lastMonth) != 0) {
      ++separators;
      lastMonth = record.date.substr(0, 2);
    }
  }
  grid.setRows(1);
  grid.setRows(static_cast<int>(records.size()) + separators + 2);
  grid.setRow(0);
  lastMonth = "00";
  auto fillRow = [&](const char* const cells[]) {
    for (int col = 0; col < kEventColumns; ++col)
      grid.setTextMatrix(grid.Row(), col, cells[col]);
  };
  int seq = 0;
  for (EventRecord& record : records) {
    ++seq;
    grid.setRow(grid.Row() + 1);
    if (record.date.compare(0, 2, lastMonth) != 0) {
      fillRow(kMonthSeparator);
      grid.setRow(grid.Row() + 1);
      lastMonth = record.date.substr(0, 2);
    }
    int type = typeOfCode(record.type);
    COLORREF fore = colourValue(settings.CF[type]);
    COLORREF back = colourValue(settings.CB[type]);
    int row = grid.Row();
    grid.setTextMatrix(row, colDate, std::move(record.date));
    grid.setTextMatrix(row, colEvent, std::move(record.text));
    grid.setTextMatrix(row, colYear, std::move(record.year));
    grid.setTextMatrix(row, colType, kEventTypes[type].word);
    grid.setTextMatrix(row, colSeq, std::to_string(seq));
    for (int col = 0; col < kEventColumns; ++col)
      grid.setCellColours(row, col, back, fore);
    grid.setCol(colSeq);
    grid.setCellAlignment(4);
  }
  grid.setRow(grid.Row() + 1);
  fillRow(kClosingSeparator);
  if (grid.Rows() < kMinimumRows)
    grid.setRows(kMinimumRows);
}

void EventDataFile::createDefaultFile() {
  OpenChannel file(dataPath(), formsrt::OpenMode::Output);
  formsrt::WriteFields(kChannel, {"01/01", "New Year's Day", "", "04"});
  file.close();
}

namespace {

// Holds back the grid's repaints while it is filled; one follows at the end, however the fill ends.
class RedrawAfter {
public:
  explicit RedrawAfter(FlexGridModel& grid) : grid_(grid), was_(grid.Redraw()) { grid_.setRedraw(false); }
  ~RedrawAfter() { grid_.setRedraw(was_); }
  RedrawAfter(const RedrawAfter&) = delete;
  RedrawAfter& operator=(const RedrawAfter&) = delete;

private:
  FlexGridModel& grid_;
  bool was_;
};

} // namespace

void EventDataFile::load(FlexGridModel& grid, const PloveraSettings& settings) {
  RedrawAfter batch(grid);
  EventCount = 0;
  readIncomplete_ = false;
  std::vector<EventRecord> records;
  try {
    if (!formsrt::FileExists(dataPath()))
      createDefaultFile();
    readRecords(dataPath(), records);
  } catch (const RuntimeError& error) {
    // The records read before the failure are still listed; a file that is there but was not read
    // whole is not replaced by the next save without asking.
    readIncomplete_ = formsrt::FileExists(dataPath());
    report(error);
  }
  sortByDate(records);
  EventCount = static_cast<int>(records.size());
  buildGrid(grid, records, settings);
}

void EventDataFile::writeGridEvents(const FlexGridModel& grid, const std::string& path) {
  OpenChannel file(path, formsrt::OpenMode::Output);
  std::string date, text, year;
  for (int row = 0; row < grid.Rows(); ++row) {
    if (!isEventRow(grid.TextMatrix(row, colDate)))
      continue;
    date = grid.TextMatrix(row, colDate);
    text = formsrt::Trim(grid.TextMatrix(row, colEvent));
    year = formsrt::Trim(grid.TextMatrix(row, colYear));
    for (std::string* field : {&date, &text, &year})
      std::replace(field->begin(), field->end(), '"', kStoredQuote);
    formsrt::WriteFields(kChannel,
                         {date, text, year, kEventTypes[typeOfWord(grid.TextMatrix(row, colType))].code});
  }
  file.close();
}

// The new file is complete and closed before anything else changes. Then the old backup steps aside,
// the data file becomes the backup and the new file the data file; the old backup goes only once the new
// pair is in place. A step that fails undoes the ones before it, and the message says whether that worked.
bool EventDataFile::replaceDataFile(const std::string& newPath) {
  const std::string aside = folder_ + "\\PLOVERA.BK~";
  std::vector<std::pair<std::string, std::string>> done; // moves made, to undo in reverse
  auto move = [&](const std::string& from, const std::string& to) {
    formsrt::Name(from, to);
    done.emplace_back(from, to);
  };
  try {
    if (formsrt::FileExists(aside))
      formsrt::Kill(aside); // left by a save that could not finish tidying up
    if (formsrt::UCase(formsrt::Dir(backupPath())) == "PLOVERA.BAK")
      move(backupPath(), aside);
    if (formsrt::FileExists(dataPath()))
      move(dataPath(), backupPath());
    move(newPath, dataPath());
  } catch (const RuntimeError& error) {
    bool undone = true;
    for (auto step = done.rbegin(); step != done.rend(); ++step)
      undone = MoveFileA(step->second.c_str(), step->first.c_str()) && undone;
    DeleteFileA(newPath.c_str());
    formsrt::MsgBox("The data file could not be saved: " + error.describe() +
                        (undone
                             ? "\n\nPLOVERA.DAT is as it was before, and your changes are still in the list."
                             : "\n\nPLOVERA.DAT could not be put back as it was: the file before this save "
                               "is PLOVERA.BAK, the backup before it PLOVERA.BK~. Your changes are still "
                               "in the list."),
                    formsrt::mbOKOnly | formsrt::mbExclamation);
    return false;
  }
  DeleteFileA(aside.c_str());
  return true;
}

bool EventDataFile::save(FlexGridModel& grid, const PloveraSettings& settings) {
  if (readIncomplete_ &&
      formsrt::MsgBox("PLOVERA.DAT could not be read completely, so the list may lack some of its events."
                      "\n\nSaving replaces it with the list as shown (the file as it is now is kept as "
                      "PLOVERA.BAK).\n\nSave anyway?",
                      formsrt::mbYesNo | formsrt::mbExclamation) != formsrt::answerYes)
    return false;
  std::string newPath = folder_ + "\\PLOVERA.NEW";
  try {
    writeGridEvents(grid, newPath);
  } catch (const RuntimeError& error) {
    DeleteFileA(newPath.c_str());
    formsrt::MsgBox("The data file could not be written: " + error.describe() +
                        "\n\nPLOVERA.DAT is as it was before, and your changes are still in the list.",
                    formsrt::mbOKOnly | formsrt::mbExclamation);
    return false;
  }
  if (!replaceDataFile(newPath))
    return false;
  RedrawAfter batch(grid);
  load(grid, settings);
  GoToToday(grid);
  return true;
}

} // namespace plovera
