#include <calendar/data/FileBytes.h>

#include <windows.h>

namespace filebytes {

namespace {

class Handle {
public:
  explicit Handle(HANDLE handle) : m_handle(handle) {}
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return m_handle; }
  bool Close() {
    if (!IsOpen())
      return true;
    bool closed = CloseHandle(m_handle) != 0;
    m_handle = INVALID_HANDLE_VALUE;
    return closed;
  }

private:
  HANDLE m_handle;
};

BOOL systemWrite(HANDLE file, const char* data, DWORD size, DWORD* written) {
  return WriteFile(file, data, size, written, nullptr);
}

bool writeAll(HANDLE file, const std::string& bytes) {
  const char* data = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
    DWORD written = 0;
    SetLastError(0);
    BOOL wrote = writeSeam()(file, data, chunk, &written);
    if (!wrote || written != chunk) {
      // A short write with no reason given is the disk running out of room.
      if (GetLastError() == 0)
        SetLastError(ERROR_DISK_FULL);
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

ReadResult openFailure() {
  DWORD error = GetLastError();
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                        : ReadResult::Failed;
}

} // namespace

wincore::Seam<WriteCall>& writeSeam() {
  static wincore::Seam<WriteCall> seam{systemWrite};
  return seam;
}

ReadResult ReadAll(const std::string& path, std::string& bytes) {
  bytes.clear();
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.IsOpen())
    return openFailure();
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF)
    return ReadResult::Failed;
  bytes.resize(static_cast<size_t>(size.QuadPart));
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD got = 0;
    DWORD want = static_cast<DWORD>(bytes.size() - done);
    if (!ReadFile(file.Get(), bytes.data() + done, want, &got, nullptr))
      return ReadResult::Failed;
    if (got == 0)
      break;
    done += got;
  }
  bytes.resize(done);
  return ReadResult::Ok;
}

ReadResult ReadHead(const std::string& path, size_t count, std::string& head, long long& size) {
  head.clear();
  size = 0;
  Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen())
    return openFailure();
  LARGE_INTEGER length{};
  if (!GetFileSizeEx(file.Get(), &length))
    return ReadResult::Failed;
  size = length.QuadPart;
  head.resize(count);
  DWORD got = 0;
  if (!ReadFile(file.Get(), head.data(), static_cast<DWORD>(count), &got, nullptr))
    return ReadResult::Failed;
  head.resize(got);
  return ReadResult::Ok;
}

Reader::~Reader() {
  if (m_handle)
    CloseHandle(m_handle);
}

ReadResult Reader::Open(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return openFailure();
  m_handle = file;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file, &size))
    m_size = size.QuadPart;
  return ReadResult::Ok;
}

size_t Reader::Read(char* data, size_t size) {
  size_t done = 0;
  while (m_handle && !m_failed && done < size) {
    DWORD got = 0;
    if (!ReadFile(m_handle, data + done, static_cast<DWORD>(size - done), &got, nullptr))
      m_failed = true;
    if (got == 0)
      break;
    done += got;
  }
  return done;
}

bool Exists(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

// The bytes as a complete, closed file at `fresh`; nothing is left there when that fails.
bool writeFresh(const std::string& fresh, const std::string& bytes) {
  Handle file(
      CreateFileA(fresh.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen())
    return false;
  bool complete = writeAll(file.Get(), bytes) && FlushFileBuffers(file.Get());
  DWORD error = complete ? 0 : GetLastError();
  complete = file.Close() && complete;
  if (!complete) {
    // The caller reports why the write failed (a full disk), not how the cleaning up went.
    error = error ? error : GetLastError();
    DeleteFileA(fresh.c_str());
    SetLastError(error);
  }
  return complete;
}

bool moveOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

bool Replace(const std::string& path, const std::string& bytes) {
  std::string fresh = path + ".new";
  if (!writeFresh(fresh, bytes))
    return false;
  if (moveOver(fresh, path))
    return true;
  DWORD error = GetLastError();
  DeleteFileA(fresh.c_str());
  SetLastError(error);
  return false;
}

// The new file and the copy to keep are made complete beside their places first; the old kept file
// steps aside, the copy takes its place, and only then does the new file replace `path`. A failure of
// that last step puts the old kept file back.
bool ReplaceKeeping(const std::string& path, const std::string& bytes, const std::string& keptPath) {
  if (!Exists(path))
    return Replace(path, bytes);
  std::string fresh = path + ".new";
  std::string keptFresh = keptPath + ".new";
  std::string aside = keptPath + ".prev";
  if (!writeFresh(fresh, bytes))
    return false;
  bool hadKept = Exists(keptPath);
  bool ready = CopyFileA(path.c_str(), keptFresh.c_str(), FALSE) && (!hadKept || moveOver(keptPath, aside));
  if (ready && !moveOver(keptFresh, keptPath)) {
    if (hadKept)
      moveOver(aside, keptPath);
    ready = false;
  }
  if (ready && moveOver(fresh, path)) {
    DeleteFileA(aside.c_str());
    return true;
  }
  if (ready && hadKept)
    moveOver(aside, keptPath);
  else if (ready)
    DeleteFileA(keptPath.c_str());
  DeleteFileA(fresh.c_str());
  DeleteFileA(keptFresh.c_str());
  return false;
}

bool AppendAfter(const std::string& path, long long keepLength, const std::string& bytes) {
  Handle file(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen())
    return false;
  LARGE_INTEGER position{};
  position.QuadPart = keepLength;
  if (!SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN) || !SetEndOfFile(file.Get()))
    return false;
  bool complete = writeAll(file.Get(), bytes);
  return file.Close() && complete;
}

} // namespace filebytes
