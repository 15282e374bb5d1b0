#include <calendar/data/CHolidayTable.h>

#include <calendar/data/DataFolder.h>
#include <calendar/data/FileBytes.h>
#include <calendar/data/HolidayRules.h>
#include <calendar/data/RecordBytes.h>
#include <calendar/data/UserMessage.h>

using namespace recordbytes;

namespace {

// The 133-byte record: integers signed 16-bit little-endian, texts NUL-terminated in their slots.
struct IntField {
  size_t offset;
  int CHoliday::*member;
};

struct TextField {
  size_t offset;
  size_t width;
  std::string CHoliday::*member;
};

const IntField kIntFields[] = {
    {41, &CHoliday::enabled}, {43, &CHoliday::notifyDays}, {45, &CHoliday::ruleKind},
    {47, &CHoliday::ruleA},   {49, &CHoliday::ruleB},      {51, &CHoliday::ruleC},
    {113, &CHoliday::listed}, {115, &CHoliday::daysLeft},  {117, &CHoliday::month},
    {119, &CHoliday::day},    {121, &CHoliday::year},
};

const TextField kTextFields[] = {
    {0, 41, &CHoliday::name},
    {53, 9, &CHoliday::feastCode},
    {62, 51, &CHoliday::description},
    {123, 10, &CHoliday::weekdayName},
};

} // namespace

CHolidayTable::CHolidayTable() { LoadHolidays(); }

std::string CHolidayTable::PackHolidayRecord(const CHoliday& holiday) {
  std::string record(kRecordSize, '\0');
  for (const IntField& field : kIntFields)
    PutInt16(record, field.offset, holiday.*field.member);
  for (const TextField& field : kTextFields)
    PutText(record, field.offset, field.width, holiday.*field.member);
  return record;
}

CHoliday CHolidayTable::UnpackHolidayRecord(const char* record, int index) {
  CHoliday holiday;
  for (const IntField& field : kIntFields)
    holiday.*field.member = GetInt16(record, field.offset);
  for (const TextField& field : kTextFields)
    GetText(record, field.offset, field.width, holiday.*field.member);
  if (holiday.name == "Easter")
    holiday.description = kEasterDescription;
  holiday.index = index;
  return holiday;
}

std::string CHolidayTable::PackHolidays(const std::vector<CHoliday>& list) {
  std::string bytes;
  bytes.reserve(list.size() * kRecordSize);
  for (const CHoliday& holiday : list)
    bytes += PackHolidayRecord(holiday);
  return bytes;
}

int CHolidayTable::LoadHolidays() {
  holidays.clear();
  std::string bytes;
  filebytes::ReadResult result = filebytes::ReadAll(DataFolder::Path(kFileName), bytes);
  m_readFailed = result == filebytes::ReadResult::Failed;
  for (size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize)
    holidays.push_back(UnpackHolidayRecord(bytes.data() + at, GetCount()));
  return GetCount();
}

int CHolidayTable::SaveHolidays() {
  std::string path = DataFolder::Path(kFileName);
  if (m_readFailed) {
    ShowUserMessage("Error Writing Holidays File\n'" + path +
                        "' could not be read when the program started.\nThe file has been kept as it is.",
                    "Error", MB_OK | MB_ICONWARNING);
    return 0;
  }
  if (!filebytes::Replace(path, PackHolidays(holidays))) {
    ShowUserMessage("Error Writing Holidays File\nThe holidays could not be saved to '" + path + "'.",
                    "Error", MB_OK | MB_ICONWARNING);
    return 0;
  }
  return 1;
}

int CHolidayTable::CountListedHolidays(int showAll) {
  CDate today;
  int count = 0;
  for (CHoliday& holiday : holidays) {
    holiday.listed = 0;
    if (!holiday.enabled)
      continue;
    // A rule may have no date in a year (a fifth Monday); then the next year's date is the next one.
    CDate date = holidayrules::DateInYear(holiday, today.Year());
    if (!date.IsValid() || date < today)
      date = holidayrules::DateInYear(holiday, today.Year() + 1);
    if (!date.IsValid())
      continue;
    holiday.daysLeft = date - today;
    if (holiday.daysLeft > holiday.notifyDays && !showAll)
      continue;
    holiday.weekdayName = CDate::WeekdayName(date.Weekday());
    holiday.listed = 1;
    date.GetDMY(holiday.day, holiday.month, holiday.year);
    ++count;
  }
  return count;
}
