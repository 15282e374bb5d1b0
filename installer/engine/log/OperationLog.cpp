// How this works: each writer operation builds one record (type, the current state, the body in
// the layout of its type) and hands it to record(). The file writer builds the record's bytes in
// memory, writes them with one call and flushes, so a log cut short by a crash ends with whole
// records; the reader takes "nothing where a record would start" as the clean end and everything
// else that does not fit the layouts as bad data.
#include <engine/log/OperationLog.h>

#include <engine/dialogs/EngineBox.h>
#include <engine/log/ByteStreams.h>

#include <windows.h>

#include <cerrno>
#include <cstring>
#include <io.h>

namespace {

const char* const BadData = "Log file contains bad data";

LogRecord Make(int type, std::initializer_list<std::string> texts, std::initializer_list<long> numbers) {
  LogRecord entry(type);
  auto text = texts.begin();
  auto number = numbers.begin();
  for (LogField& field : entry.fields) {
    if (field.kind == FieldNumber) {
      field.number = *number++;
      continue;
    }
    field.text = *text++;
    if (field.kind == FieldKey)
      field.number = *number++;
  }
  return entry;
}

// The system's own words for an error ("There is not enough space on the disk."), without the line
// end; the code itself when the system has none.
std::string SystemReason(DWORD code) {
  char text[256];
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                           sizeof text, nullptr);
  while (n && (text[n - 1] == '\n' || text[n - 1] == '\r' || text[n - 1] == ' '))
    --n;
  return n ? std::string(text, n) : "error " + std::to_string(code);
}

} // namespace

int LogHeader::write(portostream& stream) const {
  return WriteInt(stream, dialogmode) && WriteInt(stream, language) && WriteLong(stream, versionhigh) &&
         WriteLong(stream, versionlow) && WriteLong(stream, mintime) && WriteCString(stream, product.c_str());
}

int LogHeader::read(portistream& stream) {
  std::vector<char> name(65536);
  if (!ReadInt(stream, dialogmode) || !ReadInt(stream, language) || !ReadLong(stream, versionhigh) ||
      !ReadLong(stream, versionlow) || !ReadLong(stream, mintime) ||
      !ReadCString(stream, name.data(), static_cast<int>(name.size())))
    return 0;
  product = name.data();
  return 1;
}

void OperationLog::dircreated(const char* path) {
  LogRecord entry = Make(LogDirCreated, {path}, {});
  record(entry);
}

void OperationLog::dirremoved(const char* path) {
  LogRecord entry = Make(LogDirRemoved, {path}, {});
  record(entry);
}

void OperationLog::filedeleted(const char* path) {
  LogRecord entry = Make(LogFileDeleted, {path}, {});
  record(entry);
}

void OperationLog::filerenamed(const char* oldpath, const char* newpath) {
  LogRecord entry = Make(LogFileRenamed, {oldpath, newpath}, {});
  record(entry);
}

void OperationLog::filecreated(const char* path) {
  LogRecord entry = Make(LogFileCreated, {path}, {});
  record(entry);
}

void OperationLog::fileextended(const char* path, long oldsize) {
  LogRecord entry = Make(LogFileExtended, {path}, {oldsize});
  record(entry);
}

void OperationLog::attributeschanged(const char* path, long oldattributes, long newattributes) {
  LogRecord entry = Make(LogAttributesChanged, {path}, {oldattributes, newattributes});
  record(entry);
}

void OperationLog::inisectionadded(const char* file, const char* section) {
  LogRecord entry = Make(LogIniSectionAdded, {file, section}, {});
  record(entry);
}

void OperationLog::inisectiondeleted(const char* file, const char* section) {
  LogRecord entry = Make(LogIniSectionDeleted, {file, section}, {});
  record(entry);
}

void OperationLog::inientrycreated(const char* file, const char* section, const char* entry, int occurrence) {
  LogRecord made = Make(LogIniEntryCreated, {file, section, entry}, {occurrence});
  record(made);
}

void OperationLog::inientrydeleted(const char* file, const char* section, const char* entry,
                                   const char* oldvalue, int occurrence) {
  LogRecord made = Make(LogIniEntryDeleted, {file, section, entry, oldvalue}, {occurrence});
  record(made);
}

void OperationLog::inientrychanged(const char* file, const char* section, const char* entry,
                                   const char* oldvalue, int occurrence) {
  LogRecord made = Make(LogIniEntryChanged, {file, section, entry, oldvalue}, {occurrence});
  record(made);
}

void OperationLog::groupcreated(const char* group) {
  LogRecord entry = Make(LogGroupCreated, {group}, {});
  record(entry);
}

void OperationLog::groupdeleted(const char* group) {
  LogRecord entry = Make(LogGroupDeleted, {group}, {});
  record(entry);
}

void OperationLog::itemcreated(const char* group, const char* item) {
  LogRecord entry = Make(LogItemCreated, {group, item}, {});
  record(entry);
}

void OperationLog::itemdeleted(const char* group, const std::string& itemimage) {
  LogRecord entry = Make(LogItemDeleted, {group, itemimage}, {});
  record(entry);
}

void OperationLog::keycreated(int root, const char* path) {
  LogRecord entry = Make(LogKeyCreated, {path}, {root});
  record(entry);
}

void OperationLog::keydeleted(int root, const char* path) {
  LogRecord entry = Make(LogKeyDeleted, {path}, {root});
  record(entry);
}

void OperationLog::valuecreated(int root, const char* path, const char* name) {
  LogRecord entry = Make(LogValueCreated, {path, name}, {root});
  record(entry);
}

void OperationLog::valueoverwritten(int root, const char* path, const char* name, long oldtype,
                                    const std::string& olddata) {
  LogRecord entry = Make(LogValueOverwritten, {path, name, olddata}, {root, oldtype});
  record(entry);
}

void OperationLog::valuedeleted(int root, const char* path, const char* name, long oldtype,
                                const std::string& olddata) {
  LogRecord entry = Make(LogValueDeleted, {path, name, olddata}, {root, oldtype});
  record(entry);
}

void OperationLog::fontinstalled(const char* path) {
  LogRecord entry = Make(LogFontInstalled, {path}, {});
  record(entry);
}

void OperationLog::datablock(int number, const std::string& data) {
  LogRecord entry = Make(LogDataBlock, {data}, {number});
  record(entry);
}

std::unique_ptr<LogFileWriter> LogFileWriter::OpenLogFile(const char* folder, const LogHeader& header) {
  std::string path = folder;
  if (!path.empty() && path.back() != '\\')
    path += '\\';
  return OpenLogPath((path + "kxlog3.nnn").c_str(), header);
}

std::unique_ptr<LogFileWriter> LogFileWriter::OpenLogPath(const char* path, const LogHeader& header) {
  FILE* file = std::fopen(path, "wb");
  if (!file)
    return nullptr;
  std::unique_ptr<LogFileWriter> writer(new LogFileWriter(file, path));
  StringOStream bytes;
  if (!header.write(bytes) || !writer->Put(bytes.bytes))
    return nullptr;
  return writer;
}

LogFileWriter::~LogFileWriter() {
  if (file_)
    std::fclose(file_);
}

int LogFileWriter::Put(const std::string& bytes) {
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size() && std::fflush(file_) == 0;
}

void LogFileWriter::record(LogRecord& entry) {
  if (failed_)
    return;
  entry.state = state;
  // A record the reader could not take back would make the whole log unreadable: it alone stays out.
  if (!LogRecordFits(entry)) {
    EngineError("A change too large for the log file %s is not logged", path_.c_str());
    return;
  }
  // Every write is flushed, so the position is the size after the last whole record.
  long long whole = _ftelli64(file_);
  StringOStream bytes;
  SetLastError(ERROR_SUCCESS);
  errno = 0;
  if (WriteLogRecord(entry, bytes) && Put(bytes.bytes))
    return;
  // The system's code when a call of the system failed, else the C library's.
  DWORD code = GetLastError();
  std::string reason = code != ERROR_SUCCESS ? SystemReason(code) : std::strerror(errno);
  failed_ = 1;
  CutBack(whole);
  EngineError("Unable to write the log file %s: %s", path_.c_str(), reason.c_str());
}

// Whatever part of a record reached the file goes again, so the log ends with its last whole record.
void LogFileWriter::CutBack(long long whole) {
  std::fflush(file_);
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file_)));
  LARGE_INTEGER size;
  size.QuadPart = whole;
  if (whole >= 0 && handle != INVALID_HANDLE_VALUE && SetFilePointerEx(handle, size, nullptr, FILE_BEGIN))
    SetEndOfFile(handle);
}

int ReadLog(const char* path, LogHeader& header, std::vector<std::unique_ptr<LogRecord>>& records,
            std::string& error) {
  records.clear();
  FILE* file = std::fopen(path, "rb");
  if (!file) {
    error = std::string("Unable to open ") + path;
    return 0;
  }
  std::string bytes;
  char block[65536];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, file)) > 0)
    bytes.append(block, n);
  int readerror = std::ferror(file);
  std::fclose(file);
  error = BadData;
  StringIStream stream(bytes);
  if (readerror || !header.read(stream))
    return 0;
  while (stream.left() > 0) {
    int type = -1;
    if (!ReadInt(stream, type))
      return 0;
    std::unique_ptr<LogRecord> entry = CreateLogRecord(type);
    if (!entry || !ReadLogRecord(*entry, stream, stream.left()))
      return 0;
    if (entry->state != 2)
      records.push_back(std::move(entry));
  }
  error.clear();
  return 1;
}
