#pragma once

#include <foundation/paths/fpath.h>

#include <windows.h>

// A multi-line edit bound to a text file. At most the first 32000 bytes are shown; a file cut on
// loading (a longer one, or one holding a NUL byte, which the edit cannot show) is shown read-only,
// and a read-only edit is never saved, so a file is never shortened by an edit that did not hold all
// of it. An edit the user has not changed is never saved either.
constexpr long FileEditLimit = 32000;

class fileedit {
public:
  // 1 when the file was read into the edit.
  static int load(HWND edit, const cpath& file);
  // Writes the edit's text, when the user changed it, to a new file beside the old one, which it
  // replaces only once complete; 1 when all was written or nothing had to be.
  static int save(HWND edit, const cpath& file);
};
