#pragma once

#include <foundation/streams/porttype.h>

#include <string>
#include <vector>

// Portable streams over bytes in memory. The input stream never delivers a byte past its end and
// records the size of every block read; the output stream can be told to fail after some bytes.
class memistream : public portistream {
public:
  explicit memistream(std::string bytes, int layout16 = 0) : bytes_(std::move(bytes)) {
    this->layout16 = layout16;
  }

  int readbyte() override {
    if (position_ >= bytes_.size())
      return -1;
    return static_cast<unsigned char>(bytes_[position_++]);
  }
  int open() override { return 1; }
  int close() override { return 1; }
  int ateof() override { return position_ >= bytes_.size(); }
  int isopen() override { return 1; }
  long size() override { return static_cast<long>(bytes_.size()); }
  int read(void* buffer, int n) override {
    reads.push_back(n);
    return portistream::read(buffer, n);
  }

  size_t position() const { return position_; }
  std::vector<int> reads;

private:
  std::string bytes_;
  size_t position_ = 0;
};

class memostream : public portostream {
public:
  explicit memostream(int layout16 = 0, size_t limit = static_cast<size_t>(-1)) : limit_(limit) {
    this->layout16 = layout16;
  }

  int writebyte(int byte) override {
    if (bytes.size() >= limit_)
      return 0;
    bytes.push_back(static_cast<char>(byte));
    return 1;
  }
  int open() override { return 1; }
  int close() override { return 1; }
  int isopen() override { return 1; }

  std::string bytes;

private:
  size_t limit_;
};
