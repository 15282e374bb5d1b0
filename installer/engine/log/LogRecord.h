#pragma once

#include <foundation/streams/porttype.h>

#include <memory>
#include <string>
#include <vector>

// The 23 kinds of change an installation logs, by their type id in the file.
enum LogType {
  LogDirCreated = 0,
  LogDirRemoved = 1,
  LogFileRenamed = 2,
  LogFileDeleted = 3,
  LogFileCreated = 4,
  LogFileExtended = 5,
  LogAttributesChanged = 6,
  LogIniEntryCreated = 7,
  LogIniEntryDeleted = 8,
  LogIniEntryChanged = 9,
  LogIniSectionAdded = 10,
  LogIniSectionDeleted = 11,
  LogGroupCreated = 12,
  LogItemCreated = 13,
  LogGroupDeleted = 14,
  LogItemDeleted = 15,
  LogKeyCreated = 16,
  LogKeyDeleted = 17,
  LogValueCreated = 18,
  LogValueOverwritten = 19,
  LogValueDeleted = 20,
  LogFontInstalled = 21,
  LogDataBlock = 22,
  LogTypeCount = 23
};

// Status of a record in the uninstaller.
enum LogStatus { ToUndo = 0, Kept = 1, CannotUndo = 2, Undone = 3, UndoFailed = 4 };

// How a body field is stored: a path (a stream string below 260 characters), a text (a stream
// string), a 4-byte integer, a registry key (its path as a stream string below 260 characters, then
// its root index), a program item's 1112 raw bytes, or a block of bytes behind its 4-byte size.
enum LogFieldKind { FieldPath, FieldText, FieldNumber, FieldKey, FieldItem, FieldBytes };

struct LogField {
  LogFieldKind kind;
  std::string text; // path, text, key path, item image or the bytes
  long number = 0;  // number, or the key's root index
};

// One logged change: its type, the state it was written with, its status, and its body fields in
// file order.
class LogRecord {
public:
  explicit LogRecord(int type);

  int type() const { return type_; }
  int state = 0;
  int status = ToUndo;
  std::vector<LogField> fields;

  const std::string& text(int index) const { return fields[static_cast<size_t>(index)].text; }
  const char* str(int index) const { return text(index).c_str(); }
  long number(int index) const { return fields[static_cast<size_t>(index)].number; }

  int canundo() const { return type_ != LogFileDeleted; }
  // Writes the body; 1 when every byte went out.
  int save(portostream& stream) const;
  // Reads the body, refusing anything out of bounds: paths and key paths of 260 characters or more,
  // sizes below 0 or beyond `bytesleft`.
  int load(portistream& stream, long bytesleft);

private:
  int type_;
};

// The field kinds of each type's body, in file order.
const std::vector<LogFieldKind>& LogLayout(int type);

// Whether a field's text, or a whole record, fits what the reader takes back: paths and key paths
// below 260 characters, texts below 65536; the writer refuses what does not, so that every log it
// writes can be read.
int LogFieldFits(LogFieldKind kind, size_t length);
int LogRecordFits(const LogRecord& record);

// A new empty record of the type; none outside 0..22.
std::unique_ptr<LogRecord> CreateLogRecord(int type);
int WriteLogRecord(const LogRecord& record, portostream& stream);
// The state and the body; a state outside 0..2 is a failed check and the record is kept.
int ReadLogRecord(LogRecord& record, portistream& stream, long bytesleft);
int CanSwitchStatus(const LogRecord& record, int want);
