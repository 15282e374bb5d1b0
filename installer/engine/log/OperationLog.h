#pragma once

#include <engine/log/LogRecord.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// What the uninstaller needs to know of the installation, written once before the first record.
struct LogHeader {
  int dialogmode = 0;
  int language = 0;
  long versionhigh = 0;
  long versionlow = 0;
  long mintime = 0;
  std::string product;

  int write(portostream& stream) const;
  int read(portistream& stream);
};

// The operation log's writer: one operation per kind of change, each writing one record with the
// current state. This base writes nothing and serves installations that keep no log (and undo,
// which must not log what it undoes).
class OperationLog {
public:
  virtual ~OperationLog() = default;

  void dircreated(const char* path);
  void dirremoved(const char* path);
  void filedeleted(const char* path);
  void filerenamed(const char* oldpath, const char* newpath);
  void filecreated(const char* path);
  void fileextended(const char* path, long oldsize);
  void attributeschanged(const char* path, long oldattributes, long newattributes);
  void inisectionadded(const char* file, const char* section);
  void inisectiondeleted(const char* file, const char* section);
  void inientrycreated(const char* file, const char* section, const char* entry, int occurrence);
  void inientrydeleted(const char* file, const char* section, const char* entry, const char* oldvalue,
                       int occurrence);
  void inientrychanged(const char* file, const char* section, const char* entry, const char* oldvalue,
                       int occurrence);
  void groupcreated(const char* group);
  void groupdeleted(const char* group);
  void itemcreated(const char* group, const char* item);
  void itemdeleted(const char* group, const std::string& itemimage);
  void keycreated(int root, const char* path);
  void keydeleted(int root, const char* path);
  void valuecreated(int root, const char* path, const char* name);
  void valueoverwritten(int root, const char* path, const char* name, long oldtype,
                        const std::string& olddata);
  void valuedeleted(int root, const char* path, const char* name, long oldtype, const std::string& olddata);
  void fontinstalled(const char* path);
  void datablock(int number, const std::string& data);

  int state = 0;
  // Whether the records reach a log that an uninstall reads: only then is anything worth keeping for
  // an undo (an old file under a backup name) kept.
  virtual int keepsrecords() const { return 0; }
  // Whether a record could not be written: from then on the installation must change nothing, since
  // no uninstall could undo it.
  virtual int broken() const { return 0; }

protected:
  virtual void record(LogRecord&) {}
};

// Writes each record to the log file as it is made and flushes it, so that what is on the disk
// always ends with a whole record: a write that fails is cut back to the last whole record. The first
// write error is reported once, with the system's reason; nothing more is written to that file. A record too
// large for the format is refused alone, reported, and the log goes on.
class LogFileWriter : public OperationLog {
public:
  // Opens "kxlog3.nnn" in the folder and writes the header; none when either fails.
  static std::unique_ptr<LogFileWriter> OpenLogFile(const char* folder, const LogHeader& header);
  static std::unique_ptr<LogFileWriter> OpenLogPath(const char* path, const LogHeader& header);
  ~LogFileWriter() override;

  int failed() const { return failed_; }
  const std::string& path() const { return path_; }
  int keepsrecords() const override { return 1; }
  int broken() const override { return failed_; }

protected:
  LogFileWriter(FILE* file, std::string path) : file_(file), path_(std::move(path)) {}
  void record(LogRecord& entry) override;
  // Writes and flushes the bytes; 1 when all of them reached the file.
  virtual int Put(const std::string& bytes);

private:
  void CutBack(long long whole);

  FILE* file_;
  std::string path_;
  int failed_ = 0;
};

// Reads a whole log: its header and its records in file order, without the records written with
// state 2. 0 with "Unable to open <path>" or "Log file contains bad data" in `error`.
int ReadLog(const char* path, LogHeader& header, std::vector<std::unique_ptr<LogRecord>>& records,
            std::string& error);
