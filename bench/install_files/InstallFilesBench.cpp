// Installing 200 files (100 MB, half of them compressible text, half random bytes) from the
// distribution's archive through the file jobs, stored and compressed, against copying the same
// bytes with a plain CopyFileA loop; and undoing the stored install from its log. Every member carries
// its CRC-32 as the builder records it, so the installs check what they write; the compressed install
// runs once more without the checks to show what they cost. Works in a folder "bench" under the
// current folder; best of several runs.
#include <engine/builder/LibraryPacker.h>
#include <engine/log/LogUndo.h>
#include <engine/log/OperationLog.h>
#include <engine/operations/FileItemJob.h>
#include <engine/operations/Installer.h>
#include <foundation/files/lzplibrary.h>

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include <zlib.h>

namespace {

constexpr int kFiles = 200;
constexpr int kFileSize = 512 * 1024;
constexpr int kRuns = 3;

std::string Content(int index, std::mt19937& random) {
  std::string data;
  data.reserve(kFileSize);
  if (index % 2 == 0) {
    for (int line = 0; data.size() < static_cast<size_t>(kFileSize); ++line)
      data += "file " + std::to_string(index) + " line " + std::to_string(line) + " of the text\r\n";
  } else {
    while (data.size() < static_cast<size_t>(kFileSize))
      data.push_back(static_cast<char>(random() & 0xFF));
  }
  data.resize(kFileSize);
  return data;
}

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void RemoveTree(const std::string& folder) {
  Installer quiet;
  quiet.quiet = 1;
  quiet.removetree(folder.c_str());
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The script's largest block size.
class BigBlocks : public JobProgress {
public:
  int blocksize() override { return 31; }
};

struct Archive {
  std::string base;
  std::vector<FileEntry> entries;
};

Archive MakeArchive(const std::string& folder, const char* base, const std::vector<std::string>& files,
                    int pack) {
  Archive archive{base, {}};
  std::ofstream out(folder + "\\" + base + ".exe", std::ios::binary);
  LibraryPacker packer;
  long offset = 0;
  for (size_t i = 0; i < files.size(); ++i) {
    std::string member = files[i];
    if (pack)
      packer.pack(files[i], member);
    out.write(member.data(), static_cast<std::streamsize>(member.size()));
    char name[32];
    std::snprintf(name, sizeof name, "f%d.bin", static_cast<int>(i));
    unsigned long crc = crc32(crc32(0, Z_NULL, 0), reinterpret_cast<const Bytef*>(files[i].data()),
                              static_cast<uInt>(files[i].size()));
    archive.entries.push_back({1, static_cast<int>(offset), pack, static_cast<long>(member.size()),
                               static_cast<long>(files[i].size()), name, name, 0, 1, crc});
    offset += static_cast<long>(member.size());
  }
  return archive;
}

// The archive as one file "%s.exe" in the work folder.
class WorkArchive : public DistributionArchive {
public:
  WorkArchive(std::string folder, std::string base)
      : DistributionArchive(std::move(base), 1), folder_(std::move(folder)) {}
  int numberedbyset() override { return 0; }
  int askforpart(int, int) override { return 0; }
  int partfolder(fpath& folder) override { return folder.set(folder_.c_str()); }

private:
  std::string folder_;
};

double Install(const std::string& work, const Archive& archive, const std::string& target,
               const char* logPath) {
  RemoveTree(target);
  Installer installer;
  auto log = LogFileWriter::OpenLogPath(logPath, LogHeader());
  installer.switchlog(log.get());
  BigBlocks progress;
  FileItemSetting setting;
  WorkArchive parts(work, archive.base);
  setting.archive = &parts;
  setting.archiveprogress = &progress;
  auto start = std::chrono::steady_clock::now();
  for (const FileEntry& entry : archive.entries) {
    FileInstallRecord record{};
    record.options[CopyFromArchive] = 1;
    record.entry = &entry;
    std::string path = target + "\\" + entry.target;
    record.target = path.c_str();
    if (!RunFileItem(installer, record, setting))
      std::printf("failed: %s\n", path.c_str());
  }
  double seconds = Seconds(start);
  installer.restorelog();
  return seconds;
}

double CopyLoop(const std::string& sources, const std::string& target) {
  RemoveTree(target);
  auto start = std::chrono::steady_clock::now();
  CreateDirectoryA(target.c_str(), nullptr);
  for (int i = 0; i < kFiles; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "\\f%d.bin", i);
    CopyFileA((sources + name).c_str(), (target + name).c_str(), FALSE);
  }
  return Seconds(start);
}

double Undo(const char* logPath) {
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  auto start = std::chrono::steady_clock::now();
  if (!ReadLog(logPath, header, records, error))
    std::printf("log: %s\n", error.c_str());
  Installer installer;
  for (auto entry = records.rbegin(); entry != records.rend(); ++entry)
    if ((*entry)->status == ToUndo)
      UndoLogRecord(**entry, installer);
  return Seconds(start);
}

} // namespace

int main() {
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  std::string work = std::string(current) + "\\bench";
  RemoveTree(work);
  CreateDirectoryA(work.c_str(), nullptr);
  std::string sources = work + "\\sources";
  CreateDirectoryA(sources.c_str(), nullptr);
  std::mt19937 random(21);
  std::vector<std::string> files;
  for (int i = 0; i < kFiles; ++i) {
    files.push_back(Content(i, random));
    char name[32];
    std::snprintf(name, sizeof name, "\\f%d.bin", i);
    Write(sources + name, files.back());
  }
  Archive stored = MakeArchive(work, "stored", files, 0);
  Archive packed = MakeArchive(work, "packed", files, 1);
  Archive unchecked = packed;
  for (FileEntry& entry : unchecked.entries)
    entry.checked = 0;
  files.clear();
  std::string target = work + "\\target";
  std::string logPath = work + "\\kxlog3.nnn";

  // Loaded for the whole run, as the install controller keeps it.
  lzplibrary decompression;
  decompression.load();
  double copy = 1e9, installStored = 1e9, installPacked = 1e9, installUnchecked = 1e9, undo = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    copy = std::min(copy, CopyLoop(sources, target));
    installPacked = std::min(installPacked, Install(work, packed, target, logPath.c_str()));
    installUnchecked = std::min(installUnchecked, Install(work, unchecked, target, logPath.c_str()));
    installStored = std::min(installStored, Install(work, stored, target, logPath.c_str()));
    undo = std::min(undo, Undo(logPath.c_str()));
  }
  std::printf("%d files, %d MB; best of %d runs\n", kFiles, kFiles * (kFileSize / 1024) / 1024, kRuns);
  std::printf("CopyFileA loop:            %.3f s\n", copy);
  std::printf("install, stored members:   %.3f s  (copy loop / install = %.2f, goal >= 0.8)\n", installStored,
              copy / installStored);
  std::printf("install, compressed:       %.3f s  (install / copy loop = %.2f, goal <= 1.6)\n", installPacked,
              installPacked / copy);
  std::printf("  the same without checks: %.3f s  (the checks cost %.3f s)\n", installUnchecked,
              installPacked - installUnchecked);
  std::printf("undo of the stored install: %.3f s  (goal < 1 s)\n", undo);
  RemoveTree(work);
  return 0;
}
