#pragma once

#include "BuildInfo.h"
#include "EventController.h"
#include "FileJob.h"

#include <lzpreader.h>

#include <string>
#include <vector>

// What the install controller knows when it turns a file item of the script into a job: where the
// distribution's archive lies and how it is packaged, and what the installation's version is.
struct FileItemSetting {
  std::string sourcefolder;
  std::string archivebase; // the build style's name
  int partcount = 1;
  int numberedbyset = 1;
  int mediamode = 0;
  std::vector<std::string> labels;
  // "kxver.ini" in the Windows folder, where recorded versions live.
  std::string versionfile;
  unsigned long versionhigh = 0;
  unsigned long versionlow = 0;
  // Archive members report here; other sources pump messages and stop on the abort flag.
  JobProgress* archiveprogress = nullptr;
  const int* abortflag = nullptr;
};

// Reads a compressed source through the decompression library; its size is the original's.
class DecompressingSource : public FileSource {
public:
  DecompressingSource(std::unique_ptr<portistream> packed, long long originalsize)
      : packed_(std::move(packed)), size_(originalsize) {}
  ~DecompressingSource() override { close(); }
  int open() override;
  int read(void* buffer, int n) override;
  int close() override;
  long long expectedsize() override { return size_; }

private:
  std::unique_ptr<portistream> packed_;
  long long size_;
  lzpreader reader_;
  int open_ = 0;
};

// The archive part that holds the start of a member: "%s.exe" for one part, else "%s.%03d".
std::string ArchivePartFile(const std::string& base, int part, int partcount);

// A plain file of the distribution as an item's source. A compressed one lies under its name with the
// extension's last letter "_" and is read through the decompressing reader, its size the one the file
// stores.
std::unique_ptr<FileSource> PlainItemSource(const char* path, int compressed);

// The job for one file item: its source (an archive member or a plain file, compressed or stored),
// its target writer, decision, in-use rule and progress.
FileJob BuildFileJob(const FileInstallRecord& record, const FileItemSetting& setting);

// Builds and runs the item's job; on success a font item is installed and a server registered.
// Answers 1 for an installed or kept file, 0 for a failed or cancelled one.
int RunFileItem(Installer& installer, const FileInstallRecord& record, const FileItemSetting& setting);
