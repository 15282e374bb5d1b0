#pragma once

#include <foundation/streams/porttype.h>

#include <string>

// Portable streams over bytes in memory: records are built whole before they go to a file, and a
// log is checked against the bytes it has left.
class StringOStream : public portostream {
public:
  int writebyte(int byte) override {
    bytes.push_back(static_cast<char>(byte));
    return 1;
  }
  int write(const void* buffer, int n) override {
    bytes.append(static_cast<const char*>(buffer), static_cast<size_t>(n));
    return n;
  }
  int open() override { return 1; }
  int close() override { return 1; }
  int isopen() override { return 1; }

  std::string bytes;
};

class StringIStream : public portistream {
public:
  explicit StringIStream(std::string bytes) : bytes_(std::move(bytes)) {}

  int readbyte() override {
    return position_ < bytes_.size() ? static_cast<unsigned char>(bytes_[position_++]) : -1;
  }
  int read(void* buffer, int n) override {
    size_t count = bytes_.size() - position_ < static_cast<size_t>(n) ? bytes_.size() - position_
                                                                      : static_cast<size_t>(n);
    bytes_.copy(static_cast<char*>(buffer), count, position_);
    position_ += count;
    return static_cast<int>(count);
  }
  int open() override { return 1; }
  int close() override { return 1; }
  int ateof() override { return position_ >= bytes_.size(); }
  int isopen() override { return 1; }
  long size() override { return static_cast<long>(bytes_.size()); }

  long left() const { return static_cast<long>(bytes_.size() - position_); }

private:
  std::string bytes_;
  size_t position_ = 0;
};
