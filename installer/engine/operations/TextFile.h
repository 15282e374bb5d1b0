#pragma once

#include <cstdio>
#include <string>

// A plain text file read or written line by line, in text mode. Written lines are separated by "\n":
// every line after the first is preceded by one, and the last line gets none.
class TextFile {
public:
  TextFile() = default;
  ~TextFile() { close(); }
  TextFile(const TextFile&) = delete;
  TextFile& operator=(const TextFile&) = delete;

  // Opens "rt" (write 0) or "wt" (write 1). A helper that is open already is a failed check and
  // answers 0, keeping the file it has.
  int open(const char* path, int write);
  int close();
  int isopen() const { return file_ != nullptr; }

  // The next whole line without its "\n"; 0 at the end or on a read error.
  int readline(std::string& line);
  // As above into a buffer of `size` characters: a longer line is consumed whole and cut to fit.
  int readline(char* buffer, int size);
  int writeline(const char* text);

private:
  FILE* file_ = nullptr;
  int linesWritten_ = 0;
};

// Reads one whole line of any length, keeping its "\n" when it has one; 0 at the end of the file.
int ReadWholeLine(FILE* file, std::string& line);
