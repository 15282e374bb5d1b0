#include <calendar/data/CEventFile.h>

#include <calendar/data/CAppSettings.h>
#include <calendar/data/DataFolder.h>
#include <calendar/data/FileBytes.h>
#include <calendar/data/RecordBytes.h>
#include <calendar/data/UserMessage.h>

#include <iterator>

using namespace recordbytes;

namespace {

// Record layouts: integers are signed 16-bit little-endian, texts NUL-terminated in their slots.
struct IntField {
  size_t offset;
  int CEventItem::*member;
};

struct TextField {
  size_t offset;
  size_t width;
  CEventText CEventItem::*member;
};

const IntField kIntFields[] = {
    {0, &CEventItem::month},         {2, &CEventItem::day},
    {4, &CEventItem::year},          {6, &CEventItem::eventTime},
    {8, &CEventItem::leadMinutes},   {10, &CEventItem::alarmEnabled},
    {12, &CEventItem::daysPrior},    {294, &CEventItem::notifyDisabled},
    {296, &CEventItem::monthly},     {298, &CEventItem::yearly},
    {300, &CEventItem::noYear},      {302, &CEventItem::oneTime},
    {304, &CEventItem::custom},      {306, &CEventItem::quarterMask},
    {308, &CEventItem::monthMask},   {310, &CEventItem::weekMask},
    {312, &CEventItem::weekdayMask}, {314, &CEventItem::patternYear},
    {316, &CEventItem::weekly},      {318, &CEventItem::weeksInterval},
};
// Bytes 320 to 457 are reserved: written as zeros, ignored when read.
const TextField kTextFields[] = {
    {14, 40, &CEventItem::name},
    {54, 40, &CEventItem::type},
    {94, 200, &CEventItem::notes},
};

// The previous version's 112-byte record; bytes 54 to 111 are not used.
const IntField kOldIntFields[] = {
    {0, &CEventItem::month},
    {2, &CEventItem::day},
    {4, &CEventItem::year},
    {6, &CEventItem::daysPrior},
    {44, &CEventItem::notifyDisabled},
    {46, &CEventItem::monthly},
    {48, &CEventItem::yearly},
    {50, &CEventItem::noYear},
    {52, &CEventItem::oneTime},
};
const TextField kOldTextFields[] = {
    {8, 21, &CEventItem::name},
    {29, 15, &CEventItem::type},
};

const char kErrorCaption[] = "Error";
constexpr size_t kRecordsPerRead = 2048;

// A record's texts go into the arena when there is one.
void setTexts(CEventItem& event, const char* record, const TextField* first, const TextField* end,
              CEventTextArena* texts) {
  for (const TextField* field = first; field != end; ++field) {
    std::string_view text = TextIn(record, field->offset, field->width);
    if (texts)
      (event.*field->member).AssignIn(*texts, text);
    else
      event.*field->member = text;
  }
}

void numberFrom(CEventArray& events, size_t first) {
  for (size_t i = first; i < events.size(); ++i)
    events[i]->listIndex = static_cast<int>(i);
}

} // namespace

std::string CEventFile::Path(const std::string& name) const { return DataFolder::Path(name); }

bool CEventFile::HasHeader(const std::string& bytes) {
  return bytes.size() >= kHeaderSize && bytes.compare(0, kHeaderSize, kHeader) == 0;
}

std::string CEventFile::PackEventRecord(const CEventItem& event) {
  std::string record(kRecordSize, '\0');
  for (const IntField& field : kIntFields)
    PutInt16(record, field.offset, event.*field.member);
  for (const TextField& field : kTextFields)
    PutText(record, field.offset, field.width, (event.*field.member).View());
  return record;
}

std::unique_ptr<CEventItem> CEventFile::UnpackEventRecord(const char* record, const CDate& today,
                                                          CEventTextArena* texts) {
  auto event = std::make_unique<CEventItem>(today, CEventText());
  for (const IntField& field : kIntFields)
    (*event).*field.member = GetInt16(record, field.offset);
  setTexts(*event, record, std::begin(kTextFields), std::end(kTextFields), texts);
  if (event->monthly != 0 && event->monthMask == 0)
    event->monthMask = CEventItem::kAllMonths;
  return event;
}

std::unique_ptr<CEventItem> CEventFile::UnpackOldEventRecord(const char* record, const CDate& today,
                                                             CEventTextArena* texts) {
  auto event = std::make_unique<CEventItem>(today, CEventText());
  for (const IntField& field : kOldIntFields)
    (*event).*field.member = GetInt16(record, field.offset);
  setTexts(*event, record, std::begin(kOldTextFields), std::end(kOldTextFields), texts);
  event->eventTime = -1;
  event->leadMinutes = 10;
  event->alarmEnabled = 0;
  event->notes.clear();
  event->quarterMask = CEventItem::kAllQuarters;
  event->monthMask = CEventItem::kAllMonths;
  event->weekMask = 0;
  event->weekdayMask = 0;
  event->patternYear = -1;
  event->custom = 0;
  event->weekly = 0;
  event->weeksInterval = 1;
  return event;
}

int CEventFile::ReadEvents(CEventArray& events) {
  filebytes::Reader file;
  filebytes::ReadResult opened = file.Open(Path(currentName));
  fileMissing = opened == filebytes::ReadResult::Missing ? 1 : 0;
  m_readIncomplete = opened == filebytes::ReadResult::Failed;
  if (opened == filebytes::ReadResult::Missing)
    return 0;
  std::string header(kHeaderSize, '\0');
  if (opened == filebytes::ReadResult::Failed || file.Read(header.data(), kHeaderSize) < kHeaderSize ||
      !HasHeader(header)) {
    bool unreadable = opened == filebytes::ReadResult::Failed || file.Failed();
    m_readIncomplete = unreadable;
    ShowUserMessage(unreadable ? "Error Reading Events File\n'" + Path(currentName) + "' could not be read."
                               : "Error Reading Events File\nNot a Valid 2.0 File",
                    kErrorCaption, MB_OK | MB_ICONWARNING);
    return 0;
  }
  // Records are read a block at a time; a last piece shorter than a record is ignored.
  size_t first = events.size();
  if (file.Size() > static_cast<long long>(kHeaderSize)) {
    size_t count = static_cast<size_t>((file.Size() - kHeaderSize) / kRecordSize);
    events.reserve(first + count);
    CEventItem::ReserveSlots(count);
  }
  CDate today;
  CEventTextArena texts;
  std::string block(kRecordsPerRead * kRecordSize, 0);
  for (;;) {
    size_t got = file.Read(block.data(), block.size());
    for (size_t at = 0; at + kRecordSize <= got; at += kRecordSize)
      events.push_back(UnpackEventRecord(block.data() + at, today, &texts));
    if (got < block.size())
      break;
  }
  numberFrom(events, first);
  if (file.Failed()) {
    m_readIncomplete = true;
    ShowUserMessage("Error Reading Events File\n'" + Path(currentName) + "' could not be read to its end.",
                    kErrorCaption, MB_OK | MB_ICONWARNING);
    return 0;
  }
  return 1;
}

CEventFile::OnDisk CEventFile::Inspect(long long& size) const {
  std::string head;
  switch (filebytes::ReadHead(Path(currentName), kHeaderSize, head, size)) {
  case filebytes::ReadResult::Missing:
    return OnDisk::Missing;
  case filebytes::ReadResult::Failed:
    return OnDisk::Unreadable;
  case filebytes::ReadResult::Ok:
    break;
  }
  if (size == 0)
    return OnDisk::Empty;
  return HasHeader(head) ? OnDisk::EventFile : OnDisk::Foreign;
}

std::string CEventFile::Pack(const CEventArray& events) {
  std::string bytes(kHeader, kHeaderSize);
  bytes.reserve(kHeaderSize + events.size() * kRecordSize);
  for (const auto& event : events)
    bytes += PackEventRecord(*event);
  return bytes;
}

bool CEventFile::Replace(const CEventArray& events) const {
  return filebytes::Replace(Path(currentName), Pack(events));
}

void CEventFile::TellNotSaved(OnDisk state) const {
  std::string file = Path(currentName);
  std::string text = state == OnDisk::Foreign || state == OnDisk::Unreadable
                         ? "Error Writing Events File\n'" + file +
                               "' is not a valid 2.0 event file.\nThe file has been kept as it is."
                         : "Error Writing Events File\nThe events could not be saved to '" + file + "'.";
  ShowUserMessage(text, kErrorCaption, MB_OK | MB_ICONWARNING);
}

bool CEventFile::MayReplaceAfterIncompleteRead() const {
  return ShowUserMessage("Error Writing Events File\n'" + Path(currentName) +
                             "' could not be read completely, so the list may lack some of its events.\n\n"
                             "Replace the file with the events in the list?",
                         kErrorCaption, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

int CEventFile::WriteEvents(const CEventArray& events) {
  long long size = 0;
  OnDisk state = Inspect(size);
  if (state == OnDisk::Foreign || state == OnDisk::Unreadable) {
    TellNotSaved(state);
    return 0;
  }
  if (m_readIncomplete && state == OnDisk::EventFile && !MayReplaceAfterIncompleteRead())
    return 0;
  if (!Replace(events)) {
    TellNotSaved(state);
    return 0;
  }
  m_readIncomplete = false;
  return 1;
}

int CEventFile::AppendEvent(const CEventItem& event) {
  long long size = 0;
  OnDisk state = Inspect(size);
  bool written = false;
  switch (state) {
  case OnDisk::Missing:
  case OnDisk::Empty:
    written =
        filebytes::Replace(Path(currentName), std::string(kHeader, kHeaderSize) + PackEventRecord(event));
    break;
  case OnDisk::EventFile: {
    // A record cut short by an earlier failed write goes, so that the new one starts on a record boundary.
    long long whole = kHeaderSize + (size - kHeaderSize) / kRecordSize * kRecordSize;
    written = filebytes::AppendAfter(Path(currentName), whole, PackEventRecord(event));
    break;
  }
  case OnDisk::Foreign:
  case OnDisk::Unreadable:
    break;
  }
  if (!written)
    TellNotSaved(state);
  return written ? 1 : 0;
}

int CEventFile::ConvertOldEventFile(CEventArray& events) {
  std::string bytes;
  filebytes::ReadResult result = filebytes::ReadAll(Path(oldName), bytes);
  fileMissing = result == filebytes::ReadResult::Missing ? 1 : 0;
  if (result != filebytes::ReadResult::Ok)
    return 0;
  size_t first = events.size();
  CDate today;
  CEventTextArena texts;
  for (size_t at = 0; at + kOldRecordSize <= bytes.size(); at += kOldRecordSize)
    events.push_back(UnpackOldEventRecord(bytes.data() + at, today, &texts));
  numberFrom(events, first);
  return 1;
}

int CEventFile::ConvertAndRewrite(CEventArray& events) {
  CEventArray converted;
  if (!ConvertOldEventFile(converted))
    return 0;
  if (!filebytes::ReplaceKeeping(Path(currentName), Pack(converted), Path(keptName)))
    return 0;
  events = std::move(converted);
  m_readIncomplete = false;
  return 1;
}

int CEventFile::LoadEvents(CEventArray& events) {
  CAppSettings& settings = AppSettings();
  int result = 0;
  if (settings.firstRun == 1 && filebytes::Exists(Path(oldName))) {
    int answer =
        ShowUserMessage("Version 1.2 event file exists.\n\nConvert file to 2.0 format?",
                        "Calvorne Event File Conversion", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2);
    if (answer == IDYES) {
      result = ConvertAndRewrite(events);
      if (!result) {
        ShowUserMessage("Error converting file.", "Version 1.2 File Conversion", MB_OK | MB_ICONINFORMATION);
        result = ReadEvents(events);
      }
    } else {
      ShowUserMessage(
          "Event file not converted.\nYou may convert later by selecting the\n'File | Convert Data "
          "File' menu option",
          "Version 1.2 File Conversion", MB_OK | MB_ICONINFORMATION);
      result = ReadEvents(events);
    }
  } else {
    result = ReadEvents(events);
  }
  settings.firstRun = 0;
  settings.SaveSettings();
  return result;
}
