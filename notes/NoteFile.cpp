#include <notes/NoteFile.h>

#include <windows.h>

#include <cctype>

namespace notaris {

namespace {

const char* const kDeviceNames[] = {"CON",  "PRN",    "AUX",    "NUL",    "COM1", "COM2", "COM3",
                                    "COM4", "COM5",   "COM6",   "COM7",   "COM8", "COM9", "LPT1",
                                    "LPT2", "LPT3",   "LPT4",   "LPT5",   "LPT6", "LPT7", "LPT8",
                                    "LPT9", "CLOCK$", "CONIN$", "CONOUT$"};

// "con", "Con.txt" and "nul " all name devices: the system looks only at the part before the first dot,
// without its trailing blanks.
bool isDeviceName(const std::string& subject) {
  std::string base = subject.substr(0, subject.find('.'));
  while (!base.empty() && base.back() == ' ')
    base.pop_back();
  for (const char* device : kDeviceNames) {
    if (lstrcmpiA(base.c_str(), device) == 0)
      return true;
  }
  return false;
}

// How ShownNote::lineEnds marks a CR LF.
const char kCrLf = ' ';

class FileHandle {
public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() { close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }
  bool close() {
    if (!valid())
      return true;
    bool closed = CloseHandle(handle_) != FALSE;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

private:
  HANDLE handle_;
};

} // namespace

std::string NoteNameOf(const std::string& path) {
  std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string subjectOf(const std::string& path) {
  std::string name = NoteNameOf(path);
  std::size_t length = sizeof kNoteExtension - 1;
  if (name.size() >= length && lstrcmpiA(name.c_str() + name.size() - length, kNoteExtension) == 0)
    name.resize(name.size() - length);
  return name;
}

std::string withBackslash(const std::string& folder) {
  return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

std::string unquoteArgument(const std::string& argument) {
  std::size_t first = argument.find_first_not_of(' ');
  if (first == std::string::npos)
    return std::string();
  std::string text = argument.substr(first, argument.find_last_not_of(' ') - first + 1);
  if (text.front() != '"')
    return text;
  std::size_t closing = text.find('"', 1);
  return text.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
}

std::string subjectProblem(const std::string& folder, const std::string& subject) {
  for (unsigned char c : subject) {
    if (c < 32 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
      return "The subject names the note's file, so it cannot contain any of the characters "
             "\\ / : * ? \" < > | or control characters.";
  }
  if (!subject.empty() && (subject.back() == '.' || subject.back() == ' '))
    return "The subject names the note's file, so it cannot end with a dot or a blank.";
  if (isDeviceName(subject))
    return "The subject names the note's file, and \"" + subject +
           "\" is a name the system keeps for a device. Please choose another subject.";
  if ((withBackslash(folder) + subject + kNoteExtension).size() >= MAX_PATH)
    return "The subject is too long to name the note's file. Please choose a shorter subject.";
  return std::string();
}

ShownNote showNote(const std::string& bytes) {
  ShownNote shown;
  shown.text.reserve(bytes.size() + bytes.size() / 8);
  std::string kinds; // each kind of line end met, as in lineEnds
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    char c = bytes[i];
    if (c == '\0') {
      ++shown.zeroBytes;
      shown.text += ' ';
      continue;
    }
    if (c != '\r' && c != '\n') {
      shown.text += c;
      continue;
    }
    bool pair = c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
    char kind = pair ? kCrLf : c;
    if (kinds.find(kind) == std::string::npos)
      kinds += kind;
    shown.lineEnds += kind;
    i += pair ? 1 : 0;
    shown.text += "\r\n";
  }
  if (kinds.size() == 1 && kinds[0] != kCrLf)
    shown.lineEnd = kinds;
  return shown;
}

std::string noteBytes(const std::string& text, const std::string& lineEnds, const std::string& lineEnd) {
  if (lineEnd == "\r\n" && lineEnds.find_first_not_of(kCrLf) == std::string::npos)
    return text;
  std::string bytes;
  bytes.reserve(text.size());
  std::size_t line = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' || i + 1 >= text.size() || text[i + 1] != '\n') {
      bytes += text[i];
      continue;
    }
    if (line >= lineEnds.size())
      bytes += lineEnd;
    else if (lineEnds[line] == kCrLf)
      bytes += "\r\n";
    else
      bytes += lineEnds[line];
    ++line;
    ++i;
  }
  return bytes;
}

ReadResult readNote(const std::string& path, std::string& message) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    // The size is looked at only to say why the note could not be read.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
        (data.nFileSizeHigh != 0 || data.nFileSizeLow > static_cast<DWORD>(kMaxNoteBytes)))
      return ReadResult::tooLarge;
    return ReadResult::failed;
  }
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size))
    return ReadResult::failed;
  if (size.QuadPart > kMaxNoteBytes)
    return ReadResult::tooLarge;
  std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!content.empty() &&
      (!ReadFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &read, nullptr) ||
       read != content.size()))
    return ReadResult::failed;
  message = std::move(content);
  return ReadResult::ok;
}

bool writeNote(const std::string& path, const std::string& message) {
  std::size_t slash = path.find_last_of('\\');
  std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  char temporary[MAX_PATH];
  if (!GetTempFileNameA(folder.c_str(), "xvq", 0, temporary))
    return false;
  FileHandle file(
      CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  bool complete =
      file.valid() && (message.empty() || (WriteFile(file.get(), message.data(),
                                                     static_cast<DWORD>(message.size()), &written, nullptr) &&
                                           written == message.size()));
  if (!file.close() || !complete ||
      !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileA(temporary);
    return false;
  }
  return true;
}

} // namespace notaris
