#pragma once

#include <engine/controllers/EventController.h>
#include <engine/operations/FileJob.h>
#include <engine/script/BuildInfo.h>
#include <engine/script/DistributionArchive.h>

#include <foundation/files/lzpreader.h>

#include <functional>
#include <string>
#include <vector>

// What the install controller knows when it turns a file item of the script into a job: the run's
// archive, the installation's version and how to ask the user.
struct FileItemSetting {
  // The run's distribution archive; archive members are read through it, so it must be there for them.
  DistributionArchive* archive = nullptr;
  // "kxver.ini" in the Windows folder, where recorded versions live.
  std::string versionfile;
  unsigned long versionhigh = 0;
  unsigned long versionlow = 0;
  // Files of another kind than the one they would replace are put to the user; none: not asked.
  askoverwrite* ask = nullptr;
  // Archive members report here; other sources pump messages and stop on the abort flag.
  JobProgress* archiveprogress = nullptr;
  // The run's abort flag: a set flag stops a copy; trying an item again clears it.
  int* abortflag = nullptr;
  // Set when a replacement was left to the next restart.
  int* replacedlater = nullptr;
  // A failed or cancelled item asks whether to abort: true (Yes) gives the item up, false tries it
  // again. None: the item just fails.
  std::function<int()> queryabort;
  // The least time an item takes, in milliseconds of `tick`; `wait` keeps the windows alive for
  // about the given time and answers 0 when a quit ended it, so that the program can end at once.
  long minimumtime = 0;
  std::function<DWORD()> tick = [] { return GetTickCount(); };
  std::function<int(int milliseconds)> wait = WaitPumping;

  static int WaitPumping(int milliseconds);
};

// Reads a compressed source through the decompression library; its size is the original's.
class DecompressingSource : public FileSource {
public:
  DecompressingSource(std::unique_ptr<portistream> packed, long long originalsize)
      : owned_(std::move(packed)), packed_(owned_.get()), size_(originalsize) {}
  // Over a borrowed stream (the run's archive) that outlives the source.
  DecompressingSource(portistream& packed, long long originalsize) : packed_(&packed), size_(originalsize) {}
  ~DecompressingSource() override { close(); }
  int open() override;
  int read(void* buffer, int n) override;
  int close() override;
  long long expectedsize() override { return size_; }

private:
  std::unique_ptr<portistream> owned_;
  portistream* packed_;
  long long size_;
  lzpreader reader_;
  int open_ = 0;
};

// A plain file of the distribution as an item's source. A compressed one lies under its name with the
// extension's last letter "_" and is read through the decompressing reader, its size the one the file
// stores.
std::unique_ptr<FileSource> PlainItemSource(const char* path, int compressed);

// The job for one file item: its source (an archive member or a plain file, compressed or stored),
// its target writer, decision, in-use rule and progress. The one way the engine installs a file item.
FileJob BuildFileJob(const FileInstallRecord& record, const FileItemSetting& setting);

// The read-only, hidden and system attributes (the low three bits of `asked`) go onto an installed
// file, every one asked for; its other attributes stay. Nothing asked: the file is left as it is.
int SetItemAttributes(Installer& installer, const char* path, DWORD asked);

// Builds and runs the item's job, again for as long as the user answers No to the abort question; on
// success the attributes asked for are set, a shared file is counted, a font item installed and a
// server registered. Then waits until the minimum time since the item started has passed.
// Answers 1 for an installed or kept file, 0 for a failed or cancelled one.
int RunFileItem(Installer& installer, const FileInstallRecord& record, const FileItemSetting& setting);
