#pragma once

#include <engine/log/OperationLog.h>

#include <foundation/registry/versioninfo.h>
#include <foundation/streams/porttype.h>

#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>

class Installer;

enum JobState { JobInstalled = 0, JobKept = 1, JobFailed = 2, JobCancelled = 3 };

// Where a job's bytes come from.
class FileSource {
public:
  virtual ~FileSource() = default;
  virtual int open() = 0;
  // Bytes delivered, 0 at the end, -1 on an error.
  virtual int read(void* buffer, int n) = 0;
  virtual int close() = 0;
  // The number of bytes the source must deliver, -1 when not known.
  virtual long long expectedsize() { return -1; }
  // The source as a file of its own, for comparisons by version resource, time and size.
  virtual const char* filepath() { return nullptr; }
  // Why an open or a read failed, in words for the user; empty when the source cannot say.
  virtual std::string failure() { return std::string(); }
};

class PlainFileSource : public FileSource {
public:
  explicit PlainFileSource(std::string path) : path_(std::move(path)) {}
  ~PlainFileSource() override { close(); }
  int open() override;
  int read(void* buffer, int n) override;
  int close() override;
  long long expectedsize() override;
  const char* filepath() override { return path_.c_str(); }

private:
  std::string path_;
  FILE* file_ = nullptr;
};

// A stored member of the distribution's archive, or any other portable stream; a borrowed stream (the
// run's archive) outlives the source.
class StreamSource : public FileSource {
public:
  StreamSource(std::unique_ptr<portistream> stream, long long size)
      : owned_(std::move(stream)), stream_(owned_.get()), size_(size) {}
  StreamSource(portistream& stream, long long size) : stream_(&stream), size_(size) {}
  ~StreamSource() override { close(); }
  int open() override { return stream_->open(); }
  int read(void* buffer, int n) override;
  int close() override { return stream_->close(); }
  long long expectedsize() override { return size_; }

private:
  std::unique_ptr<portistream> owned_;
  portistream* stream_;
  long long size_;
};

// Where a job's bytes go. A copy that fails or is cancelled is abandoned: a file the writer
// created goes again, a file it extended gets its old size back.
class TargetWriter {
public:
  virtual ~TargetWriter() = default;
  virtual int open(const char* path) = 0;
  virtual int write(const void* buffer, int n) = 0;
  virtual int close() = 0;
  virtual void abandon() = 0;
  virtual void aftersuccess(OperationLog& log, const char* path) = 0;
  virtual int mayreplacedirectly() = 0;
};

// Writes behind: the jobs' small blocks go to the file in large writes, the last at close, whose
// answer says whether every byte reached the file.
class NewFileWriter : public TargetWriter {
public:
  ~NewFileWriter() override;
  int open(const char* path) override;
  int write(const void* buffer, int n) override;
  int close() override;
  void abandon() override;
  void aftersuccess(OperationLog& log, const char* path) override { log.filecreated(path); }
  int mayreplacedirectly() override { return 0; }

private:
  int flush();

  static constexpr size_t WriteSize = 262144;
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::string path_;
  std::string pending_;
};

class AppendWriter : public TargetWriter {
public:
  ~AppendWriter() override;
  int open(const char* path) override;
  int write(const void* buffer, int n) override;
  int close() override;
  void abandon() override;
  void aftersuccess(OperationLog& log, const char* path) override;
  int mayreplacedirectly() override { return 1; }

private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  std::string path_;
  LONGLONG oldSize_ = 0;
  int created_ = 0;
};

// Whether an existing target gives way to the new file: a comparator's answer (-1 the target ranks
// higher, 0 equal, 1 the new file ranks higher, 2 cannot compare) against the set of answers that
// install.
struct Decision {
  enum Kind {
    Always = 0,
    IfExists = 1,
    IfMissing = 2,
    ByVersion = 3,
    ByRecordedVersion = 4,
    ByTime = 5,
    BySize = 6
  };
  int kind = Always;
  int mode = 0;
  // By recorded version: the file that records them and the installation's product version.
  std::string versionfile;
  unsigned long versionhigh = 0;
  unsigned long versionlow = 0;
  // By version resource, when the files differ in type, subtype, language or code page; none when
  // no question can be asked.
  askoverwrite* ask = nullptr;
};

enum Decided { DecideKeep = 0, DecideInstall = 1, DecideError = 2 };

// The comparator of the decision's kind; `newfile` is the new file's bytes on the disk, when they are,
// and `newtime` its time when that is known without the file (an archive member's recorded time).
int CompareForDecision(const Decision& decision, const char* newfile, long long newsize, std::string& target,
                       const FILETIME* newtime = nullptr);
// Whether the mode installs on the comparator's answer.
int Decide(int mode, int answer);

class JobProgress {
public:
  virtual ~JobProgress() = default;
  virtual int blocksize() { return 2; }
  virtual void begin(const char*) {}
  // 0 to stop.
  virtual int advance(int) { return 1; }
  virtual void success() {}
  virtual void failure() {}
};

// Pumps the messages of the thread between blocks and stops when the abort flag is set.
class SilentProgress : public JobProgress {
public:
  explicit SilentProgress(const int* abort = nullptr) : abort_(abort) {}
  int advance(int) override;

private:
  const int* abort_;
};

// One file to install.
struct FileJob {
  int state = JobFailed;
  long sizekb = 0;
  // 0 ask, Cancel replaces at the next restart; 1 replace at the next restart without asking; 2 ask,
  // Cancel fails.
  int inuserule = 0;
  int keeptime = 0;
  int retryallowed = 1;
  int compareafter = 0;
  int replacedlater = 0;
  std::unique_ptr<FileSource> source;
  std::unique_ptr<Decision> decision;
  std::unique_ptr<TargetWriter> target;
  JobProgress* progress = nullptr;
  std::function<void()> cleanup;
  std::string targetpath;
  std::string temppath;
  int temporary = 0;
  // The source's time when the source is no file of its own (an archive member, a compressed file):
  // the distribution's record of it; zero when it has none.
  FILETIME sourcetime = {};
  // The CRC-32 the source's bytes must have when the distribution records one (`checked`), and what
  // the user is told when they do not: the copy then fails.
  int checked = 0;
  unsigned long crc = 0;
  std::string mismatch;
  // Why the last attempt failed, in words for the user; empty when nothing more than the failure is
  // known.
  std::string reason;
  OperationLog* log = nullptr;
};

// Runs the job, asking to retry a failure when it may; 1 when installed or kept.
int InstallFileItem(Installer& installer, FileJob& job);
// One attempt; the outcome is in job.state.
void CopyFileItem(Installer& installer, FileJob& job);
