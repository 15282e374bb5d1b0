#pragma once

#include <cstdio>

// Owns one runtime-library file and closes it when it goes.
class stdfile {
public:
  explicit stdfile(FILE* file = nullptr) : file_(file) {}
  ~stdfile() { close(); }
  stdfile(const stdfile&) = delete;
  stdfile& operator=(const stdfile&) = delete;

  FILE* get() const { return file_; }
  // 1 when the file closed without error or none was open.
  int close();

private:
  FILE* file_;
};
