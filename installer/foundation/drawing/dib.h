#pragma once

#include <foundation/drawing/dc.h>
#include <foundation/drawing/palette.h>
#include <foundation/paths/fpath.h>

#include <windows.h>

#include <vector>

// Where a picture comes from: a .bmp file (kind 1) or a bitmap resource of a module (kind 0).
class bmpref {
public:
  static constexpr int NameSize = 40;

  bmpref() = default;
  explicit bmpref(const char* file);
  bmpref(HMODULE module, const char* name);

  int kind = 1;
  char name[NameSize] = "";
  fpathbuf path;
  HMODULE module = nullptr;
};

// A device-independent bitmap held in memory (bottom-up rows of 1, 4, 8 or 24 bits per pixel, rows
// padded to 4 bytes), drawn stretched, tiled or with one colour transparent.
//
// Loading refuses what does not fit: a compressed bitmap, another depth, an empty or negative size,
// a colour table longer than the depth allows, and any part that reaches past the resource or file.
// Points are counted from the top-left pixel. Drawing takes Win32 rectangles (right and bottom lie
// outside); an empty dib, or one loaded without its pixels, draws nothing and answers 0.
class dib {
public:
  dib() = default;
  dib(const dib&) = delete;
  dib& operator=(const dib&) = delete;

  // 1 when loaded; 0 when refused or already loaded. Without `withbits` only the headers and the
  // colour table are read (enough for the size and the palette).
  int load(const bmpref& ref, int withbits);
  int loadres(HMODULE module, const char* name, int withbits);
  int loadfile(const cpath& path, int withbits);
  void free();

  int drawat(dc& device, int x, int y, DWORD rop);
  int drawinto(dc& device, const RECT& destination, DWORD rop);
  // The source rectangle is measured from the top.
  int draw(dc& device, const RECT& destination, const RECT& source, DWORD rop);
  // Lays the bitmap in a grid from the origin's top-left corner and draws every tile that meets the
  // area, clipped to it.
  int tile(dc& device, const RECT& origin, const RECT& area, DWORD rop);

  // The next drawing leaves the colour of this pixel out (once: it clears the flag). 0 for a point
  // outside the bitmap.
  int settransparent(int x, int y);
  // CLR_INVALID for a point outside the bitmap or without pixels.
  COLORREF pixelcolour(int x, int y) const;
  // In the colour table (or the pixels of a 24-bit bitmap): `colour` becomes `replacement` when
  // `matching` is set, every other colour becomes `other` when `others` is set.
  int replacecolour(COLORREF colour, COLORREF replacement, COLORREF other, int matching, int others);
  int copy(const dib& source);
  // The colours used by an 8-bit bitmap become the palette's entries; other depths leave it empty
  // (both 1).
  int makepalette(palette& out) const;

  int state() const { return state_; }
  int width() const { return width_; }
  int height() const { return height_; }
  int bitcount() const { return bits_; }
  int rowbytes() const { return rowbytes_; }
  int colourcount() const { return static_cast<int>(colours_.size()); }
  int coloursused() const { return coloursused_; }
  int transparent() const { return transparent_; }
  const RGBQUAD* colours() const { return colours_.data(); }
  const unsigned char* pixels() const { return pixels_.empty() ? nullptr : pixels_.data(); }

  // What a header announces, checked; public so that both loaders share it.
  struct shape {
    int width, height, bits, tableentries, headersize;
    unsigned rowbytes;
    size_t pixelbytes;
  };

private:
  struct piece {
    RECT destination, source;
  };

  int take(const shape& s, const unsigned char* table, const unsigned char* bits);
  int paint(dc& device, const std::vector<piece>& pieces, DWORD rop);
  int paintplain(dc& device, const std::vector<piece>& pieces, DWORD rop);
  const unsigned char* pixelat(int x, int y) const;

  int state_ = 0;
  int width_ = 0;
  int height_ = 0;
  int bits_ = 0;
  int rowbytes_ = 0;
  int coloursused_ = 0;
  int transparent_ = 0;
  int transparentx_ = 0;
  int transparenty_ = 0;
  std::vector<RGBQUAD> colours_;
  std::vector<unsigned char> pixels_;
};
