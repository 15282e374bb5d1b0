#include <engine/operations/TextFile.h>

#include <foundation/system/checkfailed.h>

#include <cstring>

namespace {
constexpr CheckSite OpenWhileOpen{"TXTFILE", 31};
}

int ReadWholeLine(FILE* file, std::string& line) {
  line.clear();
  char chunk[1024];
  while (std::fgets(chunk, sizeof chunk, file)) {
    line += chunk;
    if (!line.empty() && line.back() == '\n')
      return 1;
  }
  return !line.empty() && !std::ferror(file);
}

int TextFile::open(const char* path, int write) {
  if (!CheckFailed(OpenWhileOpen, file_ == nullptr))
    return 0;
  file_ = std::fopen(path, write ? "wt" : "rt");
  linesWritten_ = 0;
  return file_ != nullptr;
}

int TextFile::close() {
  if (!file_)
    return 1;
  int closed = std::fclose(file_) == 0;
  file_ = nullptr;
  return closed;
}

int TextFile::readline(std::string& line) {
  if (!file_ || !ReadWholeLine(file_, line))
    return 0;
  if (!line.empty() && line.back() == '\n')
    line.pop_back();
  return 1;
}

int TextFile::readline(char* buffer, int size) {
  std::string line;
  if (size <= 0 || !readline(line))
    return 0;
  if (static_cast<int>(line.size()) >= size)
    line.resize(size - 1);
  std::memcpy(buffer, line.c_str(), line.size() + 1);
  return 1;
}

int TextFile::writeline(const char* text) {
  if (!file_)
    return 0;
  if (linesWritten_++ > 0 && std::fputc('\n', file_) == EOF)
    return 0;
  return std::fputs(text, file_) >= 0;
}
