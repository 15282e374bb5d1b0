#include <formsrt/FileChannels.h>

#include <formsrt/RuntimeError.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <memory>

namespace formsrt {

namespace {

// Input reads the whole file at opening; output collects its bytes and writes them in large blocks.
struct Channel {
  OpenMode mode;
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::string data;
  std::size_t pos = 0;
  ~Channel() {
    if (handle != INVALID_HANDLE_VALUE)
      CloseHandle(handle);
  }
};

const std::size_t kFlushSize = 1 << 16;

std::map<int, std::unique_ptr<Channel>>& channels() {
  static std::map<int, std::unique_ptr<Channel>> open;
  return open;
}

int errorForOpen(DWORD code) {
  switch (code) {
  case ERROR_FILE_NOT_FOUND:
    return errFileNotFound;
  case ERROR_PATH_NOT_FOUND:
  case ERROR_INVALID_NAME:
  case ERROR_BAD_NETPATH:
    return errPathNotFound;
  case ERROR_SHARING_VIOLATION:
  case ERROR_LOCK_VIOLATION:
    return errPermissionDenied;
  default:
    return errPathFileAccess;
  }
}

Channel& find(int channel) {
  auto it = channels().find(channel);
  if (it == channels().end())
    raiseError(errBadFileNumber);
  return *it->second;
}

Channel& findInput(int channel) {
  Channel& open = find(channel);
  if (open.mode != OpenMode::Input)
    raiseError(errBadFileMode);
  return open;
}

Channel& findOutput(int channel) {
  Channel& open = find(channel);
  if (open.mode == OpenMode::Input)
    raiseError(errBadFileMode);
  return open;
}

void flush(Channel& open) {
  std::size_t done = 0;
  while (done < open.data.size()) {
    DWORD written = 0;
    DWORD chunk = static_cast<DWORD>(open.data.size() - done);
    if (!WriteFile(open.handle, open.data.data() + done, chunk, &written, nullptr) || written == 0)
      raiseError(GetLastError() == ERROR_DISK_FULL ? errDiskFull : errDeviceIO);
    done += written;
  }
  open.data.clear();
}

void append(Channel& open, const std::string& bytes) {
  open.data += bytes;
  if (open.data.size() >= kFlushSize)
    flush(open);
}

void readWhole(Channel& open) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(open.handle, &size))
    raiseError(errDeviceIO);
  open.data.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t done = 0;
  while (done < open.data.size()) {
    DWORD read = 0;
    if (!ReadFile(open.handle, open.data.data() + done, static_cast<DWORD>(open.data.size() - done), &read,
                  nullptr) ||
        read == 0)
      raiseError(errDeviceIO);
    done += read;
  }
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

} // namespace

// After a field: blanks, then a comma or a line end (carriage return, line feed or both) is consumed.
void TextInput::skipDelimiter() {
  const std::string_view d = text_;
  while (pos_ < d.size() && isBlank(d[pos_]))
    ++pos_;
  if (pos_ >= d.size())
    return;
  if (d[pos_] == ',') {
    ++pos_;
  } else if (d[pos_] == '\r') {
    ++pos_;
    if (pos_ < d.size() && d[pos_] == '\n')
      ++pos_;
  } else if (d[pos_] == '\n') {
    ++pos_;
  }
}

std::string_view TextInput::field() {
  const std::string_view d = text_;
  while (pos_ < d.size() && isBlank(d[pos_]))
    ++pos_;
  if (pos_ >= d.size())
    raiseError(errPastEnd);
  std::string_view field;
  if (d[pos_] == '"') {
    // A plain loop: fields are short, and a library search costs more to call than to run on them.
    std::size_t close = pos_ + 1;
    while (close < d.size() && d[close] != '"')
      ++close;
    field = d.substr(pos_ + 1, close - pos_ - 1);
    pos_ = close + (close < d.size());
    // Anything between the closing quote and the delimiter is not part of the field.
    while (pos_ < d.size() && d[pos_] != ',' && d[pos_] != '\r' && d[pos_] != '\n')
      ++pos_;
  } else {
    std::size_t end = pos_;
    while (end < d.size() && d[end] != ',' && d[end] != '\r' && d[end] != '\n')
      ++end;
    field = d.substr(pos_, end - pos_);
    std::size_t last = field.find_last_not_of(" \t");
    field = field.substr(0, last == std::string_view::npos ? 0 : last + 1);
    pos_ = end;
  }
  skipDelimiter();
  return field;
}

std::string_view TextInput::line() {
  const std::string_view d = text_;
  if (pos_ >= d.size())
    raiseError(errPastEnd);
  std::size_t end = d.find_first_of("\r\n", pos_);
  if (end == std::string_view::npos)
    end = d.size();
  std::string_view line = d.substr(pos_, end - pos_);
  pos_ = end;
  if (pos_ < d.size() && d[pos_] == '\r')
    ++pos_;
  if (pos_ < d.size() && d[pos_] == '\n')
    ++pos_;
  return line;
}

void TextInput::skipBlankLines() {
  const std::string_view d = text_;
  for (std::size_t at = pos_; at < d.size(); ++at) {
    if (d[at] == '\r' || d[at] == '\n')
      pos_ = at + 1;
    else if (!isBlank(d[at]))
      return;
  }
  pos_ = d.size();
}

void Open(const std::string& path, OpenMode mode, int channel) {
  if (channel < 1 || channel > 511)
    raiseError(errBadFileNumber);
  if (channels().count(channel))
    raiseError(errFileAlreadyOpen);
  auto open = std::make_unique<Channel>();
  open->mode = mode;
  DWORD access = mode == OpenMode::Input ? GENERIC_READ : GENERIC_WRITE;
  DWORD share = mode == OpenMode::Input ? FILE_SHARE_READ : 0;
  DWORD disposition = mode == OpenMode::Input    ? OPEN_EXISTING
                      : mode == OpenMode::Output ? CREATE_ALWAYS
                                                 : OPEN_ALWAYS;
  open->handle =
      CreateFileA(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (open->handle == INVALID_HANDLE_VALUE)
    raiseError(errorForOpen(GetLastError()));
  if (mode == OpenMode::Input)
    readWhole(*open);
  if (mode == OpenMode::Append)
    SetFilePointer(open->handle, 0, nullptr, FILE_END);
  channels()[channel] = std::move(open);
}

void Close(int channel) {
  auto it = channels().find(channel);
  if (it == channels().end())
    return;
  std::unique_ptr<Channel> open = std::move(it->second);
  channels().erase(it);
  if (open->mode != OpenMode::Input)
    flush(*open);
}

void CloseAll() {
  while (!channels().empty())
    Close(channels().begin()->first);
}

int FreeFile() {
  for (int channel = 1; channel <= 255; ++channel) {
    if (!channels().count(channel))
      return channel;
  }
  raiseError(errTooManyFiles);
}

bool EndOfFile(int channel) {
  Channel& open = findInput(channel);
  return open.pos >= open.data.size();
}

long LOF(int channel) {
  Channel& open = find(channel);
  if (open.mode == OpenMode::Input)
    return static_cast<long>(open.data.size());
  LARGE_INTEGER size{};
  GetFileSizeEx(open.handle, &size);
  return static_cast<long>(size.QuadPart + static_cast<LONGLONG>(open.data.size()));
}

std::string InputField(int channel) {
  Channel& open = findInput(channel);
  TextInput input(open.data, open.pos);
  std::string field(input.field());
  open.pos = input.position();
  return field;
}

std::string LineInput(int channel) {
  Channel& open = findInput(channel);
  TextInput input(open.data, open.pos);
  std::string line(input.line());
  open.pos = input.position();
  return line;
}

void SkipBlankLines(int channel) {
  Channel& open = findInput(channel);
  TextInput input(open.data, open.pos);
  input.skipBlankLines();
  open.pos = input.position();
}

void Seek(int channel, long position) {
  Channel& open = findInput(channel);
  if (position < 1)
    raiseError(errBadRecordNumber);
  open.pos = std::min(static_cast<std::size_t>(position - 1), open.data.size());
}

std::string TakeInput(int channel) {
  Channel& open = findInput(channel);
  std::string rest = open.pos == 0 ? std::move(open.data) : open.data.substr(open.pos);
  open.data.clear();
  open.pos = 0;
  return rest;
}

std::string InputChars(int channel, long length) {
  Channel& open = findInput(channel);
  if (length < 0 || static_cast<std::size_t>(length) > open.data.size() - open.pos)
    raiseError(errPastEnd);
  std::string chars = open.data.substr(open.pos, static_cast<std::size_t>(length));
  open.pos += chars.size();
  return chars;
}

void WriteFields(int channel, std::initializer_list<std::string_view> fields) {
  Channel& open = findOutput(channel);
  bool first = true;
  for (std::string_view field : fields) {
    if (!first)
      open.data += ',';
    first = false;
    open.data += '"';
    open.data += field;
    open.data += '"';
  }
  open.data += "\r\n";
  if (open.data.size() >= kFlushSize)
    flush(open);
}

void PrintText(int channel, const std::string& text, bool newline) {
  Channel& open = findOutput(channel);
  append(open, newline ? text + "\r\n" : text);
}

} // namespace formsrt
