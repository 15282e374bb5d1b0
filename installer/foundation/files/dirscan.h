#pragma once

#include <foundation/paths/fpath.h>

// A directory walker: derived walkers override what they need. Entry paths are the walked directory
// joined with each name; a path that would not fit MAX_PATH stops the walk.
class dirscan {
public:
  virtual ~dirscan() = default;

  // Directories go to dir(), everything else to file(). Each answers 1 to go on.
  virtual int entry(const cpath& path, int isdir);
  virtual int file(const cpath&) { return 1; }
  virtual int dir(const cpath&) { return 1; }
  virtual int keepgoing() { return 1; }

  // Every entry below the directory, a subdirectory's contents before the subdirectory itself (when
  // recursing). A link to elsewhere (a reparse point) is passed as an entry but never entered.
  // 1 when the walk ran to its end; 0 when it was stopped, the directory does not exist, or the path
  // is a file (reported as a failed check).
  int walk(const cpath& directory);
  // The files matching a pattern ("c:\dir\*.txt"), then, when recursing, the same mask in every
  // subdirectory. 1 at the end, 0 when stopped.
  int scan(const cpath& pattern);

  int recurse = 0;

private:
  int pumpedkeepgoing();
  int scanin(const char* directory, const char* mask);
};
