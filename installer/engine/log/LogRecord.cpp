#include <engine/log/LogRecord.h>

#include <engine/operations/ProgramItem.h>

#include <foundation/system/checkfailed.h>

#include <new>

namespace {

constexpr CheckSite StateOutOfRange{"OPLOG", 90};
constexpr int PathLimit = 260;
constexpr int TextLimit = 65536;

using Layout = std::vector<LogFieldKind>;

// Body fields of each record type, by type id.
const Layout Layouts[LogTypeCount] = {
    {FieldPath},                                               // 0 directory created
    {FieldPath},                                               // 1 directory removed
    {FieldPath, FieldPath},                                    // 2 file renamed: old, new
    {FieldPath},                                               // 3 file deleted
    {FieldPath},                                               // 4 file created
    {FieldPath, FieldNumber},                                  // 5 file extended: old size
    {FieldPath, FieldNumber, FieldNumber},                     // 6 attributes: old, new
    {FieldPath, FieldText, FieldText, FieldNumber},            // 7 INI entry created
    {FieldPath, FieldText, FieldText, FieldText, FieldNumber}, // 8 INI entry deleted
    {FieldPath, FieldText, FieldText, FieldText, FieldNumber}, // 9 INI entry changed
    {FieldPath, FieldText},                                    // 10 INI section added
    {FieldPath, FieldText},                                    // 11 INI section deleted
    {FieldText},                                               // 12 group created
    {FieldText, FieldText},                                    // 13 item created
    {FieldText},                                               // 14 group deleted
    {FieldText, FieldItem},                                    // 15 item deleted
    {FieldKey},                                                // 16 key created
    {FieldKey},                                                // 17 key deleted
    {FieldKey, FieldText},                                     // 18 value created
    {FieldKey, FieldText, FieldNumber, FieldBytes},            // 19 value overwritten
    {FieldKey, FieldText, FieldNumber, FieldBytes},            // 20 value deleted
    {FieldPath},                                               // 21 font installed
    {FieldNumber, FieldBytes},                                 // 22 data block
};

int ReadText(portistream& stream, std::string& text, int limit) {
  std::vector<char> buffer(static_cast<size_t>(limit));
  if (!ReadCString(stream, buffer.data(), limit))
    return 0;
  text = buffer.data();
  return 1;
}

int SaveField(const LogField& field, portostream& stream) {
  switch (field.kind) {
  case FieldPath:
  case FieldText:
    return WriteCString(stream, field.text.c_str());
  case FieldNumber:
    return WriteLong(stream, field.number);
  case FieldKey:
    return WriteCString(stream, field.text.c_str()) && WriteInt(stream, static_cast<int>(field.number));
  case FieldItem:
    return field.text.size() == ProgramItem::ImageSize &&
           WriteExact(stream, field.text.data(), ProgramItem::ImageSize);
  case FieldBytes:
    return WriteLong(stream, static_cast<long>(field.text.size())) &&
           WriteExact(stream, field.text.data(), static_cast<int>(field.text.size()));
  }
  return 0;
}

// Bytes left in the stream after what the record has consumed so far.
class Budget {
public:
  explicit Budget(long bytes) : left_(bytes) {}
  int take(long n) {
    if (n < 0 || n > left_)
      return 0;
    left_ -= n;
    return 1;
  }
  long left() const { return left_; }

private:
  long left_;
};

int LoadField(LogField& field, portistream& stream, Budget& budget) {
  int ok = 0;
  switch (field.kind) {
  case FieldPath:
    ok = ReadText(stream, field.text, PathLimit);
    break;
  case FieldText:
    ok = ReadText(stream, field.text, TextLimit);
    break;
  case FieldNumber:
    return ReadLong(stream, field.number) && budget.take(4);
  case FieldKey: {
    int root = 0;
    ok = ReadText(stream, field.text, PathLimit) && ReadInt(stream, root);
    field.number = root;
    return ok && budget.take(static_cast<long>(field.text.size()) + 5);
  }
  case FieldItem: {
    if (!budget.take(ProgramItem::ImageSize))
      return 0;
    unsigned char image[ProgramItem::ImageSize];
    if (!ReadExact(stream, image, ProgramItem::ImageSize))
      return 0;
    // Terminators are forced whatever the file held.
    ProgramItem item;
    item.fromimage(image);
    item.toimage(image);
    field.text.assign(reinterpret_cast<const char*>(image), ProgramItem::ImageSize);
    return 1;
  }
  case FieldBytes: {
    long size = 0;
    if (!ReadLong(stream, size) || !budget.take(4) || !budget.take(size))
      return 0;
    field.text.assign(static_cast<size_t>(size), '\0');
    return size == 0 || ReadExact(stream, &field.text[0], static_cast<int>(size));
  }
  }
  // A stream string: its length form and its characters.
  long length = static_cast<long>(field.text.size());
  return ok && budget.take(length + (length < 255 ? 1 : 3));
}

} // namespace

LogRecord::LogRecord(int type) : type_(type) {
  for (LogFieldKind kind : LogLayout(type))
    fields.push_back(LogField{kind, std::string(), 0});
}

const std::vector<LogFieldKind>& LogLayout(int type) {
  static const Layout none;
  return type >= 0 && type < LogTypeCount ? Layouts[type] : none;
}

int LogRecord::save(portostream& stream) const {
  for (const LogField& field : fields)
    if (!SaveField(field, stream))
      return 0;
  return 1;
}

int LogRecord::load(portistream& stream, long bytesleft) {
  Budget budget(bytesleft);
  for (LogField& field : fields)
    if (!LoadField(field, stream, budget))
      return 0;
  return 1;
}

std::unique_ptr<LogRecord> CreateLogRecord(int type) {
  if (type < 0 || type >= LogTypeCount)
    return nullptr;
  return std::unique_ptr<LogRecord>(new (std::nothrow) LogRecord(type));
}

int LogFieldFits(LogFieldKind kind, size_t length) {
  switch (kind) {
  case FieldPath:
  case FieldKey:
    return length < static_cast<size_t>(PathLimit);
  case FieldText:
    return length < static_cast<size_t>(TextLimit);
  default:
    return 1;
  }
}

int LogRecordFits(const LogRecord& record) {
  for (const LogField& field : record.fields)
    if (!LogFieldFits(field.kind, field.text.size()))
      return 0;
  return 1;
}

int WriteLogRecord(const LogRecord& record, portostream& stream) {
  return WriteInt(stream, record.type()) && WriteInt(stream, record.state) && record.save(stream);
}

int ReadLogRecord(LogRecord& record, portistream& stream, long bytesleft) {
  if (bytesleft < 4 || !ReadInt(stream, record.state) || !record.load(stream, bytesleft - 4))
    return 0;
  if (!CheckFailed(StateOutOfRange, record.state >= 0 && record.state <= 2)) {
    record.status = Kept;
    return 1;
  }
  record.status = record.state == 0 ? ToUndo : Kept;
  if (!record.canundo())
    record.status = CannotUndo;
  return 1;
}

int CanSwitchStatus(const LogRecord& record, int want) {
  return (record.status == ToUndo && want == Kept) || (record.status == Kept && want == ToUndo);
}
