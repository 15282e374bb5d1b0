#pragma once

#include <foundation/streams/porttype.h>

#include <cstdio>

// Portable streams over files of the runtime library.

class fileistream : public portistream {
public:
  explicit fileistream(const char* path) : path_(path) {}
  ~fileistream() override { close(); }
  fileistream(const fileistream&) = delete;
  fileistream& operator=(const fileistream&) = delete;

  int readbyte() override;
  int open() override;
  int close() override;
  int ateof() override;
  int isopen() override { return file_ != nullptr; }
  long size() override;
  int read(void* buffer, int n) override;
  int canseek() override { return 1; }
  int seek(long position, int origin) override;

private:
  fpathbuf path_;
  FILE* file_ = nullptr;
};

class fileostream : public portostream {
public:
  explicit fileostream(const char* path) : path_(path) {}
  ~fileostream() override { close(); }
  fileostream(const fileostream&) = delete;
  fileostream& operator=(const fileostream&) = delete;

  int writebyte(int byte) override;
  int open() override;
  int close() override;
  int isopen() override { return file_ != nullptr; }
  int write(const void* buffer, int n) override;

private:
  fpathbuf path_;
  FILE* file_ = nullptr;
};
