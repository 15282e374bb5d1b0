#include <engine/operations/FileItemJob.h>

#include <engine/operations/Installer.h>

#include <foundation/streams/filestream.h>
#include <foundation/windows/msgloop.h>

#include <algorithm>
#include <cstdio>

int DecompressingSource::open() {
  close();
  open_ = reader_.open(*packed_) == 1;
  return open_;
}

int DecompressingSource::read(void* buffer, int n) { return open_ ? reader_.read(buffer, n) : -1; }

int DecompressingSource::close() {
  if (open_)
    reader_.close();
  open_ = 0;
  return 1;
}

namespace {

// What the user is told about a member whose bytes are not the ones the distribution was made from.
std::string DamagedMemberText(const FileEntry& entry) {
  return "The distribution is damaged: " + entry.source + " does not match its check.";
}

// A stored member: a part that is missing or short is named.
class StoredMemberSource : public StreamSource {
public:
  StoredMemberSource(DistributionArchive& archive, long long size)
      : StreamSource(archive, size), archive_(archive) {}
  std::string failure() override { return archive_.damage(); }

private:
  DistributionArchive& archive_;
};

// A compressed member: a part that is missing or short is named; packed bytes that the library cannot
// unpack, or whose own check fails, are a damaged member.
class CompressedMemberSource : public DecompressingSource {
public:
  CompressedMemberSource(DistributionArchive& archive, const FileEntry& entry)
      : DecompressingSource(archive, entry.originalSize), archive_(archive),
        damaged_(DamagedMemberText(entry)) {}
  int open() override {
    unpackfailed_ = 0;
    return DecompressingSource::open();
  }
  int read(void* buffer, int n) override {
    int got = DecompressingSource::read(buffer, n);
    unpackfailed_ = got < 0;
    return got;
  }
  std::string failure() override {
    if (!archive_.damage().empty())
      return archive_.damage();
    return unpackfailed_ ? damaged_ : std::string();
  }

private:
  DistributionArchive& archive_;
  std::string damaged_;
  int unpackfailed_ = 0;
};

std::unique_ptr<FileSource> MemberSource(const FileEntry& entry, DistributionArchive& archive) {
  archive.member(entry);
  if (entry.compressed())
    return std::make_unique<CompressedMemberSource>(archive, entry);
  return std::make_unique<StoredMemberSource>(archive, entry.originalSize);
}

} // namespace

std::unique_ptr<FileSource> PlainItemSource(const char* path, int compressed) {
  if (!compressed)
    return std::make_unique<PlainFileSource>(path);
  fpathbuf packed(path);
  fpath::setextlastchar(packed, '_');
  auto stream = std::make_unique<fileistream>(packed.str());
  long size = lzpreader::storedsize(*stream);
  stream->close();
  return std::make_unique<DecompressingSource>(std::move(stream), size);
}

FileJob BuildFileJob(const FileInstallRecord& record, const FileItemSetting& setting) {
  const int* options = record.options;
  FileJob job;
  int fromArchive = options[CopyFromArchive] && record.entry;
  if (fromArchive)
    job.source = MemberSource(*record.entry, *setting.archive);
  else if (record.entry)
    job.source = PlainItemSource(record.source, record.entry->compressed());
  else
    job.source = std::make_unique<PlainFileSource>(record.source);
  // The distribution's checks are of its members: the copy compares the bytes it installs.
  if (fromArchive && record.entry->checked) {
    job.checked = 1;
    job.crc = record.entry->crc;
    job.mismatch = DamagedMemberText(*record.entry);
  }
  if (record.entry && !job.source->filepath()) {
    job.sourcetime.dwLowDateTime = static_cast<DWORD>(record.entry->time & 0xFFFFFFFFu);
    job.sourcetime.dwHighDateTime = static_cast<DWORD>(record.entry->time >> 32);
  }
  long long size = job.source->expectedsize();
  job.sizekb = static_cast<long>((size < 0 ? 0 : size) / 1024);
  job.targetpath = record.target;
  if (options[CopyAppend])
    job.target = std::make_unique<AppendWriter>();
  else
    job.target = std::make_unique<NewFileWriter>();
  // A comparator kind outside the table cannot compare: the item fails rather than overwrite.
  job.decision = std::make_unique<Decision>();
  job.decision->kind = options[CopyComparator];
  job.decision->mode = options[CopyDecisionMode];
  job.decision->versionfile = setting.versionfile;
  job.decision->versionhigh = setting.versionhigh;
  job.decision->versionlow = setting.versionlow;
  job.decision->ask = setting.ask;
  job.inuserule = options[CopyInUseRule];
  job.retryallowed = options[CopyRetry];
  job.compareafter = options[CopyCompareAfter];
  job.keeptime = options[CopyKeepAttributes];
  job.progress = fromArchive ? setting.archiveprogress : nullptr;
  return job;
}

int FileItemSetting::WaitPumping(int milliseconds) {
  return MessageLoop().wait(static_cast<DWORD>(std::min(milliseconds, 20)));
}

int SetItemAttributes(Installer& installer, const char* path, DWORD asked) {
  const DWORD low = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  asked &= low;
  if (!asked)
    return 1;
  DWORD current = GetFileAttributesA(path);
  if (current == INVALID_FILE_ATTRIBUTES)
    return installer.setattributes(path, asked);
  if ((current & low) == asked)
    return 1;
  // "Normal" stands only alone.
  return installer.setattributes(path, (current & ~(low | FILE_ATTRIBUTE_NORMAL)) | asked);
}

namespace {

int InstallOnce(Installer& installer, const FileInstallRecord& record, const FileItemSetting& setting) {
  FileJob job = BuildFileJob(record, setting);
  SilentProgress silent(setting.abortflag);
  if (!job.progress)
    job.progress = &silent;
  if (!InstallFileItem(installer, job))
    return 0;
  if (job.replacedlater && setting.replacedlater)
    *setting.replacedlater = 1;
  if (job.state != JobInstalled)
    return 1;
  if (record.entry)
    SetItemAttributes(installer, job.targetpath.c_str(), record.entry->attributes());
  if (record.options[CopyShared])
    installer.incrementcount(job.targetpath.c_str());
  if (record.options[CopyRegisterFont])
    installer.installfont(job.targetpath.c_str());
  if (record.options[CopyRegisterServer])
    installer.registerserver(job.targetpath.c_str(), 1);
  return 1;
}

// The script's minimum is bounded as the uninstaller bounds its time per record: a damaged script
// must not make each file take minutes.
constexpr long LongestMinimumTime = 10000;

// Tick differences stay right across the 32-bit wrap of the tick count.
void WaitMinimumTime(const FileItemSetting& setting, DWORD started) {
  if (setting.minimumtime <= 0)
    return;
  DWORD least = static_cast<DWORD>(std::min(setting.minimumtime, LongestMinimumTime));
  for (DWORD spent = setting.tick() - started; spent < least; spent = setting.tick() - started)
    if (!setting.wait(static_cast<int>(least - spent)))
      return;
}

} // namespace

int RunFileItem(Installer& installer, const FileInstallRecord& record, const FileItemSetting& setting) {
  DWORD started = setting.tick();
  int answer = InstallOnce(installer, record, setting);
  // After a failed log write there is nothing to retry: every change is refused.
  while (!answer && !installer.log().broken() && setting.queryabort && !setting.queryabort()) {
    if (setting.abortflag)
      *setting.abortflag = 0;
    answer = InstallOnce(installer, record, setting);
  }
  WaitMinimumTime(setting, started);
  return answer;
}
