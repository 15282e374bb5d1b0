#pragma once

#include <calendar/data/CEventItem.h>

#include <memory>
#include <string>

// dorvix32's event file "events20.dat": a 24-byte header and one 458-byte record per event, in the
// order of the document's array; and the conversion of the previous version's "events.dat".
// A write never leaves a half-written file in place of a good one, and a file that is not an event file
// is never overwritten by a save.
class CEventFile {
public:
  static constexpr char kHeader[] = "Calvorne 2.00 Event File";
  static constexpr size_t kHeaderSize = 24;
  static constexpr size_t kRecordSize = 458;
  static constexpr size_t kOldRecordSize = 112;

  // Appends the file's events to the array, each with its position as list index. 0 when the file is
  // missing (fileMissing set, no message) or is not an event file (the user is told); else 1.
  int ReadEvents(CEventArray& events);
  // Replaces the file with the header and every event; 0, after telling the user, when it failed. A file
  // whose last read failed or stopped short is replaced only when the user agrees, since the array may
  // lack some of its events.
  int WriteEvents(const CEventArray& events);
  // Adds one record at the end, creating the file when it is missing or empty; 0, after telling the
  // user, when it failed or the file there is not an event file (which is then kept as it is).
  int AppendEvent(const CEventItem& event);
  // Reads "events.dat" into the array; 0 when it cannot be read (fileMissing set when it is missing).
  int ConvertOldEventFile(CEventArray& events);
  // The explicit conversion: the current file is kept as "events20.old" and replaced by the converted
  // events, which then replace the array's contents. On failure no file changes and the array is left
  // as it was; the result is 0.
  int ConvertAndRewrite(CEventArray& events);
  // Start-up: offers the conversion once (first run with "events.dat" present), else reads the file.
  int LoadEvents(CEventArray& events);

  static std::string PackEventRecord(const CEventItem& event);
  // An event from a record; its texts go into `texts` when given, else into memory of their own.
  static std::unique_ptr<CEventItem> UnpackEventRecord(const char* record, const CDate& today = CDate(),
                                                       CEventTextArena* texts = nullptr);
  static std::unique_ptr<CEventItem> UnpackOldEventRecord(const char* record, const CDate& today = CDate(),
                                                          CEventTextArena* texts = nullptr);
  static bool HasHeader(const std::string& bytes);

  std::string oldName = "events.dat";
  std::string currentName = "events20.dat";
  std::string keptName = "events20.old";
  int fileMissing = 0;

private:
  bool m_readIncomplete = false;

  enum class OnDisk { Missing, Empty, EventFile, Foreign, Unreadable };
  OnDisk Inspect(long long& size) const;
  static std::string Pack(const CEventArray& events);
  bool Replace(const CEventArray& events) const;
  void TellNotSaved(OnDisk state) const;
  bool MayReplaceAfterIncompleteRead() const;
  std::string Path(const std::string& name) const;
};
