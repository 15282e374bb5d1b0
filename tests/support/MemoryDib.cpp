#include <tests/support/MemoryDib.h>

#include <cstdio>
#include <vector>

namespace testsupport {

MemoryDib::MemoryDib(int width, int height, COLORREF fill) : width_(width), height_(height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height; // top-down: row 0 is the top line
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bits_ = static_cast<std::uint32_t*>(bits);
  oldBitmap_ = SelectObject(dc_, bitmap_);
  RECT all{0, 0, width, height};
  HBRUSH brush = CreateSolidBrush(fill);
  FillRect(dc_, &all, brush);
  DeleteObject(brush);
}

MemoryDib::~MemoryDib() {
  SelectObject(dc_, oldBitmap_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF MemoryDib::pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || !bits_)
    return CLR_INVALID;
  GdiFlush();
  std::uint32_t bgra = bits_[static_cast<size_t>(y) * width_ + x];
  return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
}

int MemoryDib::count(COLORREF color, const RECT& area) const {
  int total = 0;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      total += pixel(x, y) == color;
  return total;
}

int MemoryDib::count(COLORREF color) const { return count(color, RECT{0, 0, width_, height_}); }

bool MemoryDib::save(const std::string& path) const {
  GdiFlush();
  const DWORD imageSize = static_cast<DWORD>(width_) * height_ * 4;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + imageSize;
  info.biSize = sizeof info;
  info.biWidth = width_;
  info.biHeight = -height_;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out)
    return false;
  bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
            std::fwrite(bits_, imageSize, 1, out) == 1;
  return std::fclose(out) == 0 && ok;
}

namespace {

void paintAt(HWND hwnd, HDC dc, POINT origin, bool withChildren) {
  POINT old{};
  SetViewportOrgEx(dc, origin.x, origin.y, &old);
  SendMessageA(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  SetViewportOrgEx(dc, old.x, old.y, nullptr);
  if (!withChildren)
    return;
  // Children are painted bottom of the z-order first, so that those on top cover the others.
  std::vector<HWND> children;
  for (HWND child = GetWindow(hwnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (!IsWindowVisible(*it))
      continue;
    POINT at{0, 0};
    MapWindowPoints(*it, hwnd, &at, 1);
    paintAt(*it, dc, POINT{origin.x + at.x, origin.y + at.y}, true);
  }
}

} // namespace

void paintClient(HWND hwnd, MemoryDib& dib, bool withChildren) {
  paintAt(hwnd, dib.dc(), POINT{0, 0}, withChildren);
}

} // namespace testsupport
