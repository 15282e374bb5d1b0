#pragma once

#include <calendar2/PloveraSettings.h>

#include <formsrt/FlexGridModel.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace plovera {

// One event as the data file holds it: the date normalised (mm/dd), the description and year as views
// into the file's text that was read with them, and the type as its place in kEventTypes.
struct EventRecord {
  std::array<char, 5> date;
  int type;
  std::string_view text;
  std::string_view year;

  std::string_view dateText() const { return {date.data(), date.size()}; }
};

// "PLOVERA.DAT" beside the program, one line per event: four fields in double quotes separated by commas
// (date mm/dd, description, year, type code), each line ending with carriage return and line feed. A
// double quote inside the date, description or year is stored as the character 255. Files of the older
// form hold two fields per line (date and description); they read as type "03" with no year, and the
// next save writes the current form. "PLOVERA.BAK" is the file as it was before the last save.
//
// Loading reads every record, sorts them by date and builds the event grid; Save writes the grid's event
// rows to a new file, keeps the old file as the backup, puts the new one in its place and loads it again.
class EventDataFile {
public:
  explicit EventDataFile(std::string folder);

  std::string dataPath() const { return folder_ + "\\PLOVERA.DAT"; }
  std::string backupPath() const { return folder_ + "\\PLOVERA.BAK"; }

  // Reads the file into the grid. A missing file is created with a New Year's Day holiday and read; an
  // empty file is an empty list. A read error is reported; the events read before it are still shown,
  // and the next save asks before it replaces the file.
  void load(formsrt::FlexGridModel& grid, const PloveraSettings& settings);
  // Writes the grid's event rows and reloads. Answers false, with the file and the grid unchanged, when
  // the user declines to replace a file that was not read completely or a step of the save fails (the
  // failure is reported).
  bool save(formsrt::FlexGridModel& grid, const PloveraSettings& settings);

  // Events read by the last load; the Add and Delete commands keep it up to date.
  int EventCount = 0;
  bool readIncomplete() const { return readIncomplete_; }

  // The steps of loading, for those who time them.
  // Reads the file's text into `text` and appends its records, which view into `text`; on a read error
  // the records before it stay in `records`.
  static void readRecords(const std::string& path, std::string& text, std::vector<EventRecord>& records);
  static void sortByDate(std::vector<EventRecord>& records);
  static void buildGrid(formsrt::FlexGridModel& grid, const std::vector<EventRecord>& records,
                        const PloveraSettings& settings);
  static void writeGridEvents(const formsrt::FlexGridModel& grid, const std::string& path);

private:
  void createDefaultFile();
  bool replaceDataFile(const std::string& newPath);

  std::string folder_;
  bool readIncomplete_ = false;
  // Empty between loads; its memory is kept for the next one.
  std::vector<EventRecord> records_;
};

} // namespace plovera
