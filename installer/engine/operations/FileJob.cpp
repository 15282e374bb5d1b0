// How this works: a job copies its source to its target in blocks. A target that does not exist yet
// (or one the writer extends in place) is written directly; an existing target is never opened for
// writing: the new bytes go to a temporary file beside it, which replaces the target in one rename
// only once it is complete, or at the next restart when the target is in use. A target replaced now
// is first renamed to a backup name beside it, and that rename is logged before the new file's own
// record, so the uninstall (newest record first) deletes the new file and then renames the old one
// back. A copy that fails or is cancelled is abandoned by its writer, so the old target is always
// left as it was.
#include <engine/operations/FileJob.h>

#include <engine/dialogs/EngineBox.h>
#include <engine/operations/Installer.h>

#include <foundation/paths/fpath.h>
#include <foundation/strings/texthelpers.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/systemreason.h>
#include <foundation/windows/msgloop.h>

#include <lzpunz2/Crc32.h>

#include <cstring>
#include <mutex>
#include <new>
#include <vector>

namespace {

constexpr UINT InUseText = 131;
constexpr UINT InUseRetryText = 132;
constexpr UINT InUseLaterText = 133;
constexpr UINT InUseFailText = 134;
constexpr UINT NotInstalledText = 135;
constexpr UINT ErrorCaption = 81;

int Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string Folder(const std::string& path) {
  size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || cut == 0 || (cut == 2 && path[1] == ':'))
    return std::string();
  return path.substr(0, cut);
}

int FileTime(const char* path, FILETIME& time) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
    return 0;
  time = data.ftLastWriteTime;
  return 1;
}

long long FileSize(const char* path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
    return -1;
  return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

int Sign(long long difference) { return difference < 0 ? -1 : difference > 0 ? 1 : 0; }

// The question about files that cannot be compared by number, when nobody can be asked.
class NoQuestion : public askoverwrite {
public:
  int ask(const cpath&, const versionrecord&, fpath&, const versionrecord&) override { return 2; }
};

int CompareVersions(const Decision& decision, const char* newfile, std::string& target) {
  fpathbuf existing;
  if (!newfile || !existing.set(target.c_str()))
    return 2;
  NoQuestion nobody;
  int answer = CompareVersionsAsk(cpathref(newfile), existing, decision.ask ? *decision.ask : nobody);
  target = existing.str();
  return answer;
}

int CompareRecordedVersion(const Decision& decision, const std::string& target) {
  char text[64];
  GetPrivateProfileStringA("iniversion", target.c_str(), "0.0.0.0", text, sizeof text,
                           decision.versionfile.c_str());
  unsigned a, b, c, d;
  char rest;
  if (std::sscanf(text, "%u.%u.%u.%u%c", &a, &b, &c, &d, &rest) != 4)
    return 1;
  unsigned long high = (a << 16) | (b & 0xFFFF), low = (c << 16) | (d & 0xFFFF);
  if (high != decision.versionhigh)
    return high > decision.versionhigh ? -1 : 1;
  return low > decision.versionlow ? -1 : low < decision.versionlow ? 1 : 0;
}

int HasTime(const FILETIME& time) { return time.dwLowDateTime || time.dwHighDateTime; }

int CompareTimes(const char* newfile, const FILETIME* newtime, const std::string& target) {
  FILETIME mine, theirs;
  if (!FileTime(target.c_str(), theirs))
    return 2;
  if (newtime)
    mine = *newtime;
  else if (!newfile || !FileTime(newfile, mine))
    return 2;
  return CompareFileTime(&mine, &theirs);
}

// Set of answers that install, per mode: bit 0 for -1, bit 1 for 0, bit 2 for 1.
constexpr int InstallSets[] = {0b100, 0b110, 0b010, 0b101, 0b001, 0b011};

int AskInUse(int rule, const char* target) {
  std::string text = EngineTextf(InUseText, target) + "\n\n" + EngineTextf(InUseRetryText) + " " +
                     EngineTextf(rule == 2 ? InUseFailText : InUseLaterText);
  char caption[TextSize];
  LoadText(caption, ErrorCaption);
  return EngineMessageBox(text.c_str(), caption, MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
}

// The temporary file in the target's place now, without keeping the old one: 0 when the target
// cannot be replaced.
int ReplaceNow(const char* temp, const char* target) {
  DWORD attributes = GetFileAttributesA(target);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    SetFileAttributesA(target, attributes & ~FILE_ATTRIBUTE_READONLY);
  if (MoveFileExA(temp, target, MOVEFILE_REPLACE_EXISTING))
    return 1;
  if (attributes != INVALID_FILE_ATTRIBUTES)
    SetFileAttributesA(target, attributes);
  return 0;
}

// The temporary file in the target's place now, the old target kept under a backup name beside it
// and that rename logged, so that the uninstall deletes the new file and puts the old one back.
int ReplaceKeepingOld(OperationLog& log, const char* temp, const char* target) {
  if (!Exists(target))
    return MoveFileA(temp, target) != 0;
  fpathbuf backup;
  if (!fpath::setbackupname(backup, cpathref(target)) || !MoveFileA(target, backup.str()))
    return 0;
  if (!MoveFileA(temp, target)) {
    MoveFileA(backup.str(), target);
    return 0;
  }
  log.filerenamed(target, backup.str());
  if (!log.broken())
    return 1;
  // Without its record the old file could never come back: both renames are taken back.
  MoveFileA(target, temp);
  MoveFileA(backup.str(), target);
  return 0;
}

int BlockSize(const FileJob& job) {
  int size = job.progress ? job.progress->blocksize() : 2;
  return size < 1 || size > 31 ? 2 : size;
}

// Moves the source's bytes to the writer; the outcome, and on a failure the reason in the job. The
// check's CRC is taken of the bytes as they pass, so it costs no second reading.
int CopyBlocks(FileJob& job, TargetWriter& writer, char* buffer, int size) {
  long long total = 0;
  unsigned long crc = 0;
  for (;;) {
    int n = job.source->read(buffer, size);
    if (n == 0)
      break;
    if (n < 0) {
      job.reason = job.source->failure();
      return JobFailed;
    }
    if (writer.write(buffer, n) != n) {
      job.reason = SystemReason(GetLastError());
      return JobFailed;
    }
    if (job.checked)
      crc = Crc32(crc, buffer, static_cast<std::size_t>(n));
    total += n;
    if (job.progress && !job.progress->advance(n >> 10))
      return JobCancelled;
  }
  long long expected = job.source->expectedsize();
  if (expected >= 0 && total != expected) {
    job.reason = job.source->failure();
    return JobFailed;
  }
  if (job.checked && (crc & 0xFFFFFFFFu) != (job.crc & 0xFFFFFFFFu)) {
    job.reason = job.mismatch;
    return JobFailed;
  }
  return JobInstalled;
}

// Copies the source to `path` through `writer`; sets the job's state.
void StraightCopy(Installer& installer, FileJob& job, const char* path, TargetWriter& writer) {
  job.state = JobFailed;
  if (!job.source)
    return;
  if (!job.source->open()) {
    job.reason = job.source->failure();
    return;
  }
  if (!writer.open(path)) {
    job.reason = SystemReason(GetLastError());
    job.source->close();
    return;
  }
  int size = BlockSize(job) * 1024;
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[static_cast<size_t>(size)]);
  if (!buffer) {
    job.source->close();
    writer.abandon();
    installer.fail(Installer::OutOfMemory, "Out of memory");
    return;
  }
  int outcome = CopyBlocks(job, writer, buffer.get(), size);
  job.source->close();
  if (!writer.close() && outcome == JobInstalled) {
    job.reason = SystemReason(GetLastError());
    outcome = JobFailed;
  }
  if (outcome != JobInstalled) {
    writer.abandon();
    job.state = outcome;
    return;
  }
  // A source without a time of its own (a member of a distribution that records none) leaves the
  // target's time as the copy made it.
  FILETIME time = job.sourcetime;
  if (job.keeptime && !HasTime(time) && job.source->filepath())
    FileTime(job.source->filepath(), time);
  if (job.keeptime && HasTime(time)) {
    HANDLE file = CreateFileA(path, FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    int set = file != INVALID_HANDLE_VALUE && SetFileTime(file, nullptr, nullptr, &time);
    if (file != INVALID_HANDLE_VALUE)
      CloseHandle(file);
    if (!set)
      installer.fail(Installer::OtherError, "Unable to set the time stamp of %s", path);
  }
  job.state = JobInstalled;
}

int DecideNow(Installer& installer, FileJob& job, const char* newfile) {
  if (!job.decision)
    return DecideInstall;
  long long newsize = newfile ? FileSize(newfile) : job.source->expectedsize();
  int answer = CompareForDecision(*job.decision, newfile, newsize, job.targetpath,
                                  HasTime(job.sourcetime) ? &job.sourcetime : nullptr);
  int decided = Decide(job.decision->mode, answer);
  if (decided == DecideError)
    installer.fail(Installer::OtherError, "Unable to compare the files");
  return decided;
}

void TemporaryCopy(Installer& installer, FileJob& job, int late) {
  char temp[MAX_PATH];
  std::string folder = Folder(job.targetpath);
  if (!UniqueNameInDir(folder.empty() ? "." : folder.c_str(), "tmp", temp, sizeof temp)) {
    job.reason = SystemReason(GetLastError());
    job.state = JobFailed;
    return;
  }
  job.temppath = temp;
  NewFileWriter writer;
  StraightCopy(installer, job, temp, writer);
  if (job.state != JobInstalled)
    return;
  if (late) {
    int decided = DecideNow(installer, job, temp);
    if (decided != DecideInstall) {
      DeleteFileA(temp);
      job.state = decided == DecideKeep ? JobKept : JobFailed;
      return;
    }
  }
  const char* target = job.targetpath.c_str();
  // Only a log can give the old file back, so without one nothing is kept.
  int keepold = job.log && job.log->keepsrecords();
  for (;;) {
    if (!installer.inuse(target) &&
        (keepold ? ReplaceKeepingOld(*job.log, temp, target) : ReplaceNow(temp, target))) {
      job.state = JobInstalled;
      return;
    }
    if (job.log && job.log->broken()) {
      DeleteFileA(temp);
      job.state = JobFailed;
      return;
    }
    if (job.inuserule == 1 || !AskInUse(job.inuserule, target))
      break;
  }
  if (job.inuserule != 2 && installer.platform().renameatrestart &&
      installer.platform().renameatrestart(temp, target)) {
    job.replacedlater = 1;
    job.state = JobInstalled;
    return;
  }
  DeleteFileA(temp);
  job.state = JobFailed;
}

void WriteBackVersion(Installer& installer, const FileJob& job) {
  const Decision& decision = *job.decision;
  char text[64];
  std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu", decision.versionhigh >> 16,
                decision.versionhigh & 0xFFFF, decision.versionlow >> 16, decision.versionlow & 0xFFFF);
  installer.setentry(decision.versionfile.c_str(), "iniversion", job.targetpath.c_str(), text);
}

} // namespace

int PlainFileSource::open() {
  close();
  file_ = std::fopen(path_.c_str(), "rb");
  return file_ != nullptr;
}

int PlainFileSource::read(void* buffer, int n) {
  if (!file_)
    return -1;
  size_t got = std::fread(buffer, 1, static_cast<size_t>(n), file_);
  if (got == 0 && std::ferror(file_))
    return -1;
  return static_cast<int>(got);
}

int PlainFileSource::close() {
  if (file_)
    std::fclose(file_);
  file_ = nullptr;
  return 1;
}

long long PlainFileSource::expectedsize() { return FileSize(path_.c_str()); }

int StreamSource::read(void* buffer, int n) {
  int got = stream_->read(buffer, n);
  if (got == 0 && !stream_->ateof())
    return -1;
  return got;
}

namespace {

// The write-behind buffers of finished files, kept for the next ones. A buffer made afresh for every
// file has each of its pages touched for the first time again wherever the heap gives blocks of this
// size back to the system when they are freed, and that costs more than writing the file out.
std::mutex spareBuffersLock;
std::vector<std::string> spareBuffers;
constexpr size_t SpareBuffers = 2;

std::string TakeWriteBuffer(size_t size) {
  std::string buffer;
  {
    std::lock_guard<std::mutex> hold(spareBuffersLock);
    if (!spareBuffers.empty()) {
      buffer = std::move(spareBuffers.back());
      spareBuffers.pop_back();
    }
  }
  buffer.clear();
  buffer.reserve(size);
  return buffer;
}

void KeepWriteBuffer(std::string& buffer) {
  if (buffer.capacity() == 0)
    return;
  buffer.clear();
  std::lock_guard<std::mutex> hold(spareBuffersLock);
  if (spareBuffers.size() < SpareBuffers)
    spareBuffers.push_back(std::move(buffer));
  buffer = std::string();
}

} // namespace

NewFileWriter::~NewFileWriter() {
  close();
  KeepWriteBuffer(pending_);
}

int NewFileWriter::open(const char* path) {
  path_ = path;
  file_ = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (pending_.capacity() < WriteSize)
    pending_ = TakeWriteBuffer(WriteSize);
  pending_.clear();
  return file_ != INVALID_HANDLE_VALUE;
}

int NewFileWriter::write(const void* buffer, int n) {
  if (file_ == INVALID_HANDLE_VALUE)
    return -1;
  if (pending_.size() + static_cast<size_t>(n) > WriteSize && !flush())
    return -1;
  pending_.append(static_cast<const char*>(buffer), static_cast<size_t>(n));
  return n;
}

int NewFileWriter::flush() {
  DWORD written = 0;
  int whole = pending_.empty() ||
              (WriteFile(file_, pending_.data(), static_cast<DWORD>(pending_.size()), &written, nullptr) &&
               written == pending_.size());
  pending_.clear();
  return whole;
}

int NewFileWriter::close() {
  if (file_ == INVALID_HANDLE_VALUE)
    return 1;
  int flushed = flush();
  // The failed write's error is the one to report, whatever the close leaves behind.
  DWORD error = GetLastError();
  int closed = CloseHandle(file_) != 0;
  file_ = INVALID_HANDLE_VALUE;
  if (!flushed)
    SetLastError(error);
  return flushed && closed;
}

void NewFileWriter::abandon() {
  pending_.clear();
  close();
  if (!path_.empty())
    DeleteFileA(path_.c_str());
}

AppendWriter::~AppendWriter() { close(); }

int AppendWriter::open(const char* path) {
  path_ = path;
  created_ = !Exists(path);
  file_ = CreateFileA(path, GENERIC_WRITE, 0, nullptr, created_ ? CREATE_NEW : OPEN_EXISTING,
                      FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file_ == INVALID_HANDLE_VALUE)
    return 0;
  LARGE_INTEGER size = {}, zero = {};
  if (!GetFileSizeEx(file_, &size) || !SetFilePointerEx(file_, zero, nullptr, FILE_END)) {
    abandon();
    return 0;
  }
  oldSize_ = size.QuadPart;
  return 1;
}

int AppendWriter::write(const void* buffer, int n) {
  DWORD written = 0;
  if (!WriteFile(file_, buffer, static_cast<DWORD>(n), &written, nullptr))
    return -1;
  return static_cast<int>(written);
}

int AppendWriter::close() {
  if (file_ == INVALID_HANDLE_VALUE)
    return 1;
  int closed = CloseHandle(file_) != 0;
  file_ = INVALID_HANDLE_VALUE;
  return closed;
}

// Only a file this writer made goes; one it extended is cut back to what it held.
void AppendWriter::abandon() {
  close();
  if (created_) {
    DeleteFileA(path_.c_str());
    return;
  }
  HANDLE file = CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return;
  LARGE_INTEGER size;
  size.QuadPart = oldSize_;
  if (SetFilePointerEx(file, size, nullptr, FILE_BEGIN))
    SetEndOfFile(file);
  CloseHandle(file);
}

void AppendWriter::aftersuccess(OperationLog& log, const char* path) {
  if (created_)
    log.filecreated(path);
  else
    log.fileextended(path, static_cast<long>(oldSize_));
}

int SilentProgress::advance(int) {
  MessageLoop().pump(1);
  return !(abort_ && *abort_);
}

int CompareForDecision(const Decision& decision, const char* newfile, long long newsize, std::string& target,
                       const FILETIME* newtime) {
  int exists = Exists(target.c_str());
  switch (decision.kind) {
  case Decision::Always:
    return 1;
  case Decision::IfExists:
    return exists ? 1 : -1;
  case Decision::IfMissing:
    return exists ? -1 : 1;
  case Decision::ByVersion:
    return exists ? CompareVersions(decision, newfile, target) : 1;
  case Decision::ByRecordedVersion:
    return exists ? CompareRecordedVersion(decision, target) : 1;
  case Decision::ByTime:
    return exists ? CompareTimes(newfile, newtime, target) : 1;
  case Decision::BySize:
    return exists ? Sign(newsize - FileSize(target.c_str())) : 1;
  default:
    return 2;
  }
}

int Decide(int mode, int answer) {
  if (answer == 2 || mode < 0 || mode > 5)
    return DecideError;
  return (InstallSets[mode] >> (answer + 1)) & 1 ? DecideInstall : DecideKeep;
}

void CopyFileItem(Installer& installer, FileJob& job) {
  job.state = JobFailed;
  // Once the log has failed nothing more is installed: no uninstall could remove it.
  if (installer.log().broken())
    return;
  job.reason.clear();
  std::string folder = Folder(job.targetpath);
  if (!folder.empty() && installer.createdirectory(folder.c_str()) == 2)
    return;
  job.log = &installer.log();
  job.replacedlater = 0;
  int late = job.compareafter && job.decision;
  if (!late) {
    int decided = DecideNow(installer, job, job.source ? job.source->filepath() : nullptr);
    if (decided != DecideInstall) {
      job.state = decided == DecideKeep ? JobKept : JobFailed;
      return;
    }
    if (!Exists(job.targetpath.c_str()) || job.target->mayreplacedirectly()) {
      StraightCopy(installer, job, job.targetpath.c_str(), *job.target);
      return;
    }
  }
  TemporaryCopy(installer, job, late);
}

int InstallFileItem(Installer& installer, FileJob& job) {
  for (;;) {
    if (job.progress)
      job.progress->begin(job.targetpath.c_str());
    CopyFileItem(installer, job);
    if (job.progress) {
      if (job.state <= JobKept)
        job.progress->success();
      else
        job.progress->failure();
    }
    if (job.state != JobFailed || installer.quiet || installer.log().broken())
      break;
    std::string text = EngineTextf(NotInstalledText, job.targetpath.c_str());
    if (!job.reason.empty())
      text += "\n" + job.reason;
    if (!job.retryallowed) {
      EngineError("%s", text.c_str());
      break;
    }
    char caption[TextSize];
    LoadText(caption, ErrorCaption);
    if (EngineMessageBox(text.c_str(), caption, MB_RETRYCANCEL | MB_ICONSTOP) != IDRETRY)
      break;
  }
  if (job.state == JobInstalled) {
    job.target->aftersuccess(*job.log, job.targetpath.c_str());
    // A file whose record did not reach the log goes again (an old one it replaced comes back with
    // the undo of its logged rename).
    if (job.log->broken()) {
      job.target->abandon();
      job.state = JobFailed;
    }
  }
  if (job.state == JobInstalled) {
    if (job.decision && job.decision->kind == Decision::ByRecordedVersion)
      WriteBackVersion(installer, job);
    if (installer.iscounted(job.targetpath.c_str())) {
      SilentInstaller silent(installer);
      silent.incrementcount(job.targetpath.c_str());
    }
  }
  if (job.cleanup)
    job.cleanup();
  return job.state <= JobKept;
}
