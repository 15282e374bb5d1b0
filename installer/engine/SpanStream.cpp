#include "SpanStream.h"

#include <checkfailed.h>

#include <cstring>

namespace {
constexpr CheckSite ReadPastLastPart{"BSFSPN", 131};
}

void spanstream::setup(const char* basename, int firstnumber, int parts, long offset, long length) {
  close();
  base_.set(basename);
  first_ = firstnumber;
  parts_ = parts < 1 ? 1 : parts;
  offset_ = offset;
  length_ = length;
}

int spanstream::partname(int index, fpath& path) {
  fpathbuf folder;
  if (!partfolder(folder) || !fpath::setjoinpaths(path, folder, base_))
    return 0;
  if (index == 0)
    return 1;
  char extension[16];
  std::snprintf(extension, sizeof extension, "%03d", numberedbyset() ? first_ + index : index);
  return fpath::setext(path, extension);
}

int spanstream::OpenPart() {
  for (;;) {
    fpathbuf path;
    if (partname(index_, path) && (file_ = std::fopen(path.str(), "rb")) != nullptr) {
      if (index_ == 0 && std::fseek(file_, offset_, SEEK_SET) != 0)
        return 0;
      return 1;
    }
    if (!askforpart(first_ + index_, 1))
      return 0;
  }
}

int spanstream::open() {
  close();
  index_ = 0;
  delivered_ = 0;
  state_ = OpenPart() ? Open : Failed;
  return state_ == Open;
}

int spanstream::close() {
  if (file_)
    std::fclose(file_);
  file_ = nullptr;
  state_ = Closed;
  return 1;
}

int spanstream::NextPart() {
  std::fclose(file_);
  file_ = nullptr;
  if (!CheckFailed(ReadPastLastPart, index_ + 1 < parts_))
    return 0;
  ++index_;
  return OpenPart();
}

int spanstream::readbyte() {
  unsigned char byte;
  return read(&byte, 1) == 1 ? byte : -1;
}

// Blocks as large as the current part allows; the run's end and each part's end are the only places
// where a block comes out short.
int spanstream::read(void* buffer, int n) {
  auto* out = static_cast<unsigned char*>(buffer);
  int got = 0;
  while (got < n && state_ == Open) {
    if (delivered_ == length_) {
      state_ = Finished;
      break;
    }
    long left = length_ - delivered_;
    size_t want = static_cast<size_t>(n - got < left ? n - got : left);
    size_t r = file_ ? std::fread(out + got, 1, want, file_) : 0;
    got += static_cast<int>(r);
    delivered_ += static_cast<long>(r);
    if (r == want)
      continue;
    if (!file_ || std::ferror(file_) || !NextPart())
      state_ = Failed;
  }
  return got;
}
