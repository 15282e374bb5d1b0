#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace testsupport {

// A 32-bit top-down DIB selected into a memory device context: paint into dc(), then read pixels back.
// Headless Wine draws nothing on a window's own DC, so every painting test goes through one of these.
class MemoryDib {
public:
  MemoryDib(int width, int height, COLORREF fill = RGB(255, 255, 255));
  ~MemoryDib();
  MemoryDib(const MemoryDib&) = delete;
  MemoryDib& operator=(const MemoryDib&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return width_; }
  int height() const { return height_; }

  COLORREF pixel(int x, int y) const;
  // How many pixels of `area` have exactly `color`.
  int count(COLORREF color, const RECT& area) const;
  int count(COLORREF color) const;
  // Writes the picture as a .bmp file, to look at when a test fails.
  bool save(const std::string& path) const;

private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// Paints a window's client area through its paint routine (WM_ERASEBKGND, then WM_PRINTCLIENT) into the
// DIB at its top left; with children, each visible child's client area is painted over it at its place.
void paintClient(HWND hwnd, MemoryDib& dib, bool withChildren = false);

} // namespace testsupport
