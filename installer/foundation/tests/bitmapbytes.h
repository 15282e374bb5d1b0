#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Small .bmp images made byte by byte, well-formed or broken on purpose.
struct BitmapSpec {
  int width = 4;
  int height = 3;
  int bits = 8;
  std::vector<COLORREF> table;  // the colour table as written (its length is biClrUsed unless set)
  std::vector<unsigned> pixels; // top row first: table indices, or RGB colours for 24 bits
  int headerSize = 40;          // 124 for a V5 header
  int compression = BI_RGB;
  long clrUsed = -1; // -1: the table's length
  int gap = 0;       // bytes between the table and the pixels (the offset says so)
  long offset = -1;  // -1: where the pixels really start
};

// The info header, table and pixels (what a bitmap resource holds).
inline std::string bitmapInfoBytes(const BitmapSpec& spec, int& pixelStart) {
  auto put32 = [](std::string& s, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      s.push_back(static_cast<char>(v >> (8 * i)));
  };
  auto put16 = [](std::string& s, unsigned v) {
    s.push_back(static_cast<char>(v));
    s.push_back(static_cast<char>(v >> 8));
  };
  std::string b;
  put32(b, spec.headerSize);
  put32(b, spec.width);
  put32(b, spec.height);
  put16(b, 1);
  put16(b, spec.bits);
  put32(b, spec.compression);
  put32(b, 0);
  put32(b, 2835);
  put32(b, 2835);
  put32(b, spec.clrUsed >= 0 ? static_cast<std::uint32_t>(spec.clrUsed)
                             : static_cast<std::uint32_t>(spec.table.size()));
  put32(b, 0);
  b.resize(spec.headerSize, '\0');
  for (COLORREF c : spec.table) {
    b.push_back(static_cast<char>(GetBValue(c)));
    b.push_back(static_cast<char>(GetGValue(c)));
    b.push_back(static_cast<char>(GetRValue(c)));
    b.push_back('\0');
  }
  b.append(spec.gap, '\x77');
  pixelStart = static_cast<int>(b.size());
  int rowBytes = ((spec.width * spec.bits + 31) / 32) * 4;
  for (int y = spec.height - 1; y >= 0; --y) {
    std::string row(rowBytes, '\0');
    for (int x = 0; x < spec.width && static_cast<size_t>(y * spec.width + x) < spec.pixels.size(); ++x) {
      unsigned v = spec.pixels[y * spec.width + x];
      switch (spec.bits) {
      case 24:
        row[x * 3] = static_cast<char>(GetBValue(v));
        row[x * 3 + 1] = static_cast<char>(GetGValue(v));
        row[x * 3 + 2] = static_cast<char>(GetRValue(v));
        break;
      case 8:
        row[x] = static_cast<char>(v);
        break;
      case 4:
        row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 ? v : v << 4));
        break;
      default:
        row[x / 8] = static_cast<char>(row[x / 8] | (v << (7 - x % 8)));
      }
    }
    b += row;
  }
  return b;
}

// A whole .bmp file.
inline std::string bitmapFileBytes(const BitmapSpec& spec) {
  int pixelStart = 0;
  std::string info = bitmapInfoBytes(spec, pixelStart);
  std::uint32_t offset = spec.offset >= 0 ? static_cast<std::uint32_t>(spec.offset) : 14 + pixelStart;
  std::uint32_t size = static_cast<std::uint32_t>(14 + info.size());
  std::string file = "BM";
  for (std::uint32_t v : {size, 0u, offset})
    for (int i = 0; i < 4; ++i)
      file.push_back(static_cast<char>(v >> (8 * i)));
  return file + info;
}
