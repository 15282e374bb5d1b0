#include <calendar2/EventDataFile.h>

#include <calendar2/EventGridLayout.h>
#include <calendar2/EventTypes.h>
#include <calendar2/GridAppearance.h>
#include <calendar2/MonthDay.h>

#include <formsrt/Application.h>
#include <formsrt/FileChannels.h>
#include <formsrt/FileSystem.h>
#include <formsrt/RuntimeError.h>
#include <formsrt/Text.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <iterator>
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
int firstLineFieldCount(std::string_view line) {
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

// The field without the blanks around it.
std::string_view trimBlanks(std::string_view field) {
  std::size_t last = field.find_last_not_of(' ');
  field = field.substr(0, last == std::string_view::npos ? 0 : last + 1);
  return field.substr(std::min(field.find_first_not_of(' '), field.size()));
}

// Whether the text holds the stored quote anywhere, looked for eight bytes at a time: a byte of x is
// 0xFF exactly when that byte of ~x is zero.
bool holdsStoredQuote(std::string_view text) {
  const std::uint64_t ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
  std::size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    std::uint64_t x;
    std::memcpy(&x, text.data() + at, 8);
    x = ~x;
    if ((x - ones) & ~x & highs)
      return true;
  }
  return text.find(kStoredQuote, at) != std::string_view::npos;
}

// A field of `text` with its stored quotes turned back into double quotes, in place in `text`, and
// without the blanks around it; `storedQuotes` says whether the text holds any at all.
std::string_view restore(std::string& text, std::string_view field, bool storedQuotes) {
  std::size_t stored = storedQuotes ? field.find(kStoredQuote) : std::string_view::npos;
  if (stored != std::string_view::npos) {
    char* first = text.data() + (field.data() - text.data());
    std::replace(first + stored, first + field.size(), kStoredQuote, '"');
  }
  return trimBlanks(field);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The date normalised to mm/dd; a date already written so (as every save writes it) stays as it is.
void setDate(EventRecord& record, std::string_view date) {
  bool normal = date.size() == 5 && isDigit(date[0]) && isDigit(date[1]) && date[2] == '/' &&
                isDigit(date[3]) && isDigit(date[4]);
  if (normal) {
    std::copy_n(date.begin(), record.date.size(), record.date.begin());
    return;
  }
  std::string normalised = NormalizeMonthDay(std::string(date));
  std::copy_n(normalised.begin(), record.date.size(), record.date.begin());
}

// A date as a number that orders as its text does: its five character codes, the first the most
// significant.
std::uint64_t sortKey(const std::array<char, 5>& date) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 5; ++i)
    key = key << 8 | static_cast<unsigned char>(date[i]);
  return key;
}

// A file copied from a read-only medium keeps its read-only mark, which refuses its deletion: the mark
// goes before the file does.
void dropReadOnlyMark(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

// A file set aside by a save that could not finish tidying up: the old backup cannot step aside while it
// is there. When it cannot go, the user is told which file is in the way.
bool removeLeftover(const std::string& aside) {
  if (!formsrt::FileExists(aside))
    return true;
  try {
    dropReadOnlyMark(aside);
    formsrt::Kill(aside);
    return true;
  } catch (const RuntimeError& error) {
    formsrt::MsgBox(
        "The data file could not be saved: " + aside + ", left by an earlier save, cannot be removed (" +
            error.describe() + ").\n\nRemove " + aside +
            " and save again. PLOVERA.DAT is as it was before, and your changes are still in the list.",
        formsrt::mbOKOnly | formsrt::mbExclamation);
    return false;
  }
}

void report(const RuntimeError& error) {
  formsrt::MsgBox(error.describe(), formsrt::mbOKOnly);
  formsrt::Screen.setMousePointer(formsrt::pointerDefault);
}

} // namespace

EventDataFile::EventDataFile(std::string folder) : folder_(std::move(folder)) {}

void EventDataFile::readRecords(const std::string& path, std::string& text,
                                std::vector<EventRecord>& records) {
  OpenChannel file(path, formsrt::OpenMode::Input);
  text = formsrt::TakeInput(kChannel);
  formsrt::TextInput input(text);
  // Blank lines carry no record, wherever they stand.
  input.skipBlankLines();
  if (input.atEnd())
    return;
  bool current = firstLineFieldCount(formsrt::TextInput(text, input.position()).line()) > 2;
  // Room for a record on every 16 bytes, more than a usual file needs (memory reserved and not used is
  // never touched), so that a long list is not moved again and again while it grows.
  records.reserve(records.size() + text.size() / 16 + 1);
  bool storedQuotes = holdsStoredQuote(text);
  while (!input.atEnd()) {
    EventRecord record;
    std::string_view date = input.field();
    record.text = input.field();
    if (current) {
      record.year = input.field();
      record.type = typeOfCode(input.field());
    } else {
      record.type = typeOfCode("03");
    }
    setDate(record, restore(text, date, storedQuotes));
    record.text = restore(text, record.text, storedQuotes);
    record.year = restore(text, record.year, storedQuotes);
    records.push_back(record);
    input.skipBlankLines();
  }
}

// A shell sort over gaps 2^k - 1, comparing dates by character codes. Equal dates are never swapped with
// each other directly; their order is whatever these steps leave, as the list has always shown it. The
// gaps are those of the list with an empty entry below every date in front, which never moves and so is
// left out here.
void EventDataFile::sortByDate(std::vector<EventRecord>& records) {
  // Records already in date order, as every save writes them, are never moved by the steps below.
  if (std::is_sorted(records.begin(), records.end(), [](const EventRecord& a, const EventRecord& b) {
        return sortKey(a.date) < sortKey(b.date);
      }))
    return;
  std::size_t count = records.size();
  std::size_t n = count + 1;
  std::size_t gap = 1;
  while (gap <= n)
    gap *= 2;
  gap = gap / 2 - 1;
  while (gap > 0) {
    // Each record moves down past every higher one a gap away, as a chain of swaps would move it.
    for (std::size_t i = gap; i < count; ++i) {
      std::uint64_t key = sortKey(records[i].date);
      if (key >= sortKey(records[i - gap].date))
        continue;
      EventRecord moving = records[i];
      std::size_t j = i;
      for (; j >= gap && key < sortKey(records[j - gap].date); j -= gap)
        records[j] = records[j - gap];
      records[j] = moving;
    }
    gap = (gap - 1) / 2;
  }
}

void EventDataFile::buildGrid(FlexGridModel& grid, const std::vector<EventRecord>& records,
                              const PloveraSettings& settings) {
  grid.setRow(0);
  for (int col = 0; col < kEventColumns; ++col) {
    grid.setColAlignment(col, 2);
    grid.setFixedAlignment(col, 4);
    grid.setTextMatrix(0, col, kHeaderRow[col]);
  }
  // The grid is sized once for the events, a separator before each month's first and the closing one,
  // so that its cells are not moved again and again as it grows.
  auto monthOf = [](const EventRecord& record) { return record.dateText().substr(0, 2); };
  int separators = 0;
  std::string_view lastMonth = "00";
  for (const EventRecord& record : records) {
    if (monthOf(record) != lastMonth) {
      ++separators;
      lastMonth = monthOf(record);
    }
  }
  grid.resetRows(1, static_cast<int>(records.size()) + separators + 2);
  grid.setRow(0);
  lastMonth = "00";
  auto fillRow = [&](const char* const cells[]) {
    for (int col = 0; col < kEventColumns; ++col)
      grid.setTextMatrix(grid.Row(), col, cells[col]);
  };
  // Each type's colours and word, once.
  COLORREF fores[kTypeCount], backs[kTypeCount];
  std::string_view words[kTypeCount];
  for (int type = 0; type < kTypeCount; ++type) {
    fores[type] = colourValue(settings.CF[type]);
    backs[type] = colourValue(settings.CB[type]);
    words[type] = kEventTypes[type].word;
  }
  int seq = 0;
  char seqText[16];
  for (const EventRecord& record : records) {
    ++seq;
    grid.setRow(grid.Row() + 1);
    if (monthOf(record) != lastMonth) {
      fillRow(kMonthSeparator);
      grid.setRow(grid.Row() + 1);
      lastMonth = monthOf(record);
    }
    std::string_view seqDecimal(seqText, std::to_chars(seqText, std::end(seqText), seq).ptr - seqText);
    grid.setRowCells(grid.Row(),
                     {record.dateText(), record.text, record.year, words[record.type], seqDecimal},
                     backs[record.type], fores[record.type]);
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
  std::string text;
  std::vector<EventRecord>& records = records_;
  records.clear();
  try {
    if (!formsrt::FileExists(dataPath()))
      createDefaultFile();
    readRecords(dataPath(), text, records);
  } catch (const RuntimeError& error) {
    // The records read before the failure are still listed; a file that is there but was not read
    // whole is not replaced by the next save without asking.
    readIncomplete_ = formsrt::FileExists(dataPath());
    report(error);
  }
  sortByDate(records);
  EventCount = static_cast<int>(records.size());
  buildGrid(grid, records, settings);
  records.clear();
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
  if (!removeLeftover(aside)) {
    DeleteFileA(newPath.c_str());
    return false;
  }
  try {
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
  dropReadOnlyMark(aside);
  DeleteFileA(aside.c_str());
  return true;
}

bool EventDataFile::save(FlexGridModel& grid, const PloveraSettings& settings) {
  if (readIncomplete_ &&
      formsrt::MsgBox("PLOVERA.DAT could not be read completely, so the list may lack some of its events."
                      "\n\nSaving replaces it with the list as shown (the file as it is now is kept as "
                      "PLOVERA.BAK).\n\nSave anyway?",
                      formsrt::mbYesNo | formsrt::mbExclamation | formsrt::mbDefaultButton2) !=
          formsrt::answerYes)
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
