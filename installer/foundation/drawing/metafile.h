#pragma once

#include <foundation/drawing/dc.h>
#include <foundation/paths/fpath.h>

#include <windows.h>

// A Windows metafile read from a file, plain or placeable (with the 22-byte header that gives its
// bounding rectangle), played into a rectangle of a DC.
class metafile {
public:
  metafile() = default;
  ~metafile() { free(); }
  metafile(const metafile&) = delete;
  metafile& operator=(const metafile&) = delete;

  // 1 when a metafile resulted; a file shorter than 22 bytes is none.
  int load(const cpath& path);
  void free();
  // Stretched to the rectangle at (x, y) of width x height pixels; the DC's state is restored after.
  int play(dc& device, int x, int y, int width, int height);

  int placeable() const { return placeable_; }
  const RECT& bounds() const { return bounds_; }
  HMETAFILE handle() const { return handle_; }

private:
  RECT bounds_{0, 0, 0, 0};
  int placeable_ = 0;
  HMETAFILE handle_ = nullptr;
};
