#include <engine/script/SpanStream.h>

#include <cstring>
#include <io.h>

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
    if (partname(index_, path) && (file_ = std::fopen(path.str(), "rb")) != nullptr)
      return CheckPart();
    if (!askforpart(first_ + index_, 1))
      return Damaged(index_, "missing");
  }
}

int spanstream::Damaged(int index, const char* what) {
  fpathbuf path;
  std::string name = partname(index, path) ? path.str() : base_.str();
  name.erase(0, name.find_last_of("\\/:") + 1);
  damage_ = "The distribution is damaged: " + name + " is " + what + ".";
  return 0;
}

// A seek past the end succeeds and a short part simply ends, so both would let the run go on with
// bytes of the wrong place: the run's start must lie inside its part, every part but the
// distribution's last is as long as the others (the builder cuts the archive into equal parts) and the
// last is no longer than they are. Of two parts that differ, the shorter is the damaged one.
int spanstream::CheckPart() {
  long long size = _filelengthi64(_fileno(file_));
  if (size < 0)
    return 0;
  int last = index_ + 1 >= parts_;
  if (!last && fullsize_ < 0) {
    fullsize_ = size;
    fullindex_ = index_;
  }
  if (fullsize_ >= 0 && size > fullsize_)
    return Damaged(fullindex_, "short");
  if (!last && size < fullsize_)
    return Damaged(index_, "short");
  if (index_ != 0)
    return 1;
  if (offset_ < 0 || offset_ > size || (offset_ == size && length_ > 0))
    return Damaged(index_, "short");
  return std::fseek(file_, offset_, SEEK_SET) == 0;
}

int spanstream::open() {
  close();
  index_ = 0;
  delivered_ = 0;
  fullsize_ = -1;
  fullindex_ = 0;
  damage_.clear();
  state_ = OpenPart() ? Open : Failed;
  return state_ == Open;
}

int spanstream::close() {
  if (file_)
    std::fclose(file_);
  file_ = nullptr;
  state_ = Closed;
  taken_ = buffered_ = 0;
  return 1;
}

// The run's length goes past the end of the distribution's last part: that part was cut short.
int spanstream::NextPart() {
  std::fclose(file_);
  file_ = nullptr;
  if (index_ + 1 >= parts_)
    return Damaged(index_, "short");
  ++index_;
  return OpenPart();
}

int spanstream::readbyte() {
  if (taken_ == buffered_ && !Fill(nullptr, 0))
    return -1;
  return buffer_[taken_++];
}

int spanstream::read(void* buffer, int n) {
  auto* out = static_cast<unsigned char*>(buffer);
  int got = 0;
  while (got < n && (taken_ < buffered_ || Fill(n - got >= BufferSize / 4 ? out + got : nullptr, n - got))) {
    if (taken_ == buffered_) {
      got += direct_;
      continue;
    }
    int count = buffered_ - taken_ < n - got ? buffered_ - taken_ : n - got;
    std::memcpy(out + got, buffer_.get() + taken_, static_cast<size_t>(count));
    taken_ += count;
    got += count;
  }
  return got;
}

// A block as large as the current part and the run allow; the run's end and each part's end are
// the only places where a block comes out short. A large read goes straight into the caller's
// buffer (`direct`, up to `n` bytes) instead of through the stream's own.
int spanstream::Fill(unsigned char* direct, int n) {
  taken_ = buffered_ = direct_ = 0;
  while (state_ == Open) {
    if (delivered_ == length_) {
      state_ = Finished;
      return 0;
    }
    if (!buffer_)
      buffer_.reset(new unsigned char[BufferSize]);
    long left = length_ - delivered_;
    long limit = direct ? n : BufferSize;
    size_t want = static_cast<size_t>(left < limit ? left : limit);
    size_t r = file_ ? std::fread(direct ? direct : buffer_.get(), 1, want, file_) : 0;
    delivered_ += static_cast<long>(r);
    (direct ? direct_ : buffered_) = static_cast<int>(r);
    if (r > 0)
      return 1;
    if (!file_ || std::ferror(file_) || !NextPart())
      state_ = Failed;
  }
  return 0;
}
