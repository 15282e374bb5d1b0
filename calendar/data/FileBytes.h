#pragma once

#include <wincore/Seam.h>

#include <windows.h>

#include <functional>
#include <string>

// Whole-file reads and safe writes for the calendar's files.
namespace filebytes {

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadAll(const std::string& path, std::string& bytes);

// Reads a file piece by piece into the caller's buffer, for files too large to hold twice.
class Reader {
public:
  Reader() = default;
  ~Reader();
  Reader(const Reader&) = delete;
  Reader& operator=(const Reader&) = delete;

  ReadResult Open(const std::string& path);
  // Fills up to `size` bytes; fewer only at the end of the file or on a failure (Failed() then tells).
  size_t Read(char* data, size_t size);
  bool Failed() const { return m_failed; }
  // The file's size when opened.
  long long Size() const { return m_size; }

private:
  void* m_handle = nullptr;
  bool m_failed = false;
  long long m_size = 0;
};
bool Exists(const std::string& path);
// The first `count` bytes (fewer when the file is shorter) and the file's whole size.
ReadResult ReadHead(const std::string& path, size_t count, std::string& head, long long& size);

// Writes the bytes to a new file beside `path` and puts it in place of `path` only once it is complete
// and closed, so that a failed write leaves the old file as it was.
bool Replace(const std::string& path, const std::string& bytes);

// As Replace, and the former `path` (when there was one) becomes `keptPath`, whose former contents
// are kept until the new pair is in place. When a step fails, neither file changes.
bool ReplaceKeeping(const std::string& path, const std::string& bytes, const std::string& keptPath);

// Cuts the existing file back to `keepLength` bytes and then appends `bytes`.
bool AppendAfter(const std::string& path, long long keepLength, const std::string& bytes);

// The system's write of one piece of a file, through a seam, so that a test can stand in a full disk.
// A write that takes fewer bytes than it was given fails every write above, with ERROR_DISK_FULL when
// the system gives no reason: some file systems answer success with fewer bytes and no error.
using WriteCall = std::function<BOOL(HANDLE file, const char* data, DWORD size, DWORD* written)>;
wincore::Seam<WriteCall>& writeSeam();

class WriteOverride : public wincore::ScopedOverride<WriteCall> {
public:
  explicit WriteOverride(WriteCall replacement) : ScopedOverride(writeSeam(), std::move(replacement)) {}
};

} // namespace filebytes
