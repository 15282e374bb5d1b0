#pragma once

// A path cut into drive ("c:"), directory (with its closing separator), name and extension (with its
// dot), and put back together. Every part holds 127 characters; a path whose parts do not fit is
// refused rather than cut, because a cut path can name another, existing file.

constexpr int PathSize = 128;

struct PathParts {
  char drive[PathSize];
  char dir[PathSize];
  char name[PathSize];
  char ext[PathSize];
};

// 0 when a part is longer than 127 characters (the parts are then empty).
int SplitPath(const char* path, PathParts& parts);
// drive, dir (a separator added when missing), name, ext (a dot added when missing) into out;
// 0 when the result does not fit `size` (out is then empty).
int MergePath(char* out, int size, const PathParts& parts);

// Bounded copy and concatenation: 0 when the text does not fit (out is then empty).
int CopyText(char* out, int size, const char* text);
int AppendText(char* out, int size, const char* text);
