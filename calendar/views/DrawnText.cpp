#include <calendar/views/DrawnText.h>

#include <algorithm>
#include <cstdint>

namespace {

// A white 32-bit canvas with room on every side for ink that spills past the extent.
class Canvas {
public:
  Canvas(HDC reference, int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down: row 0 is the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(reference);
    bitmap_ =
        CreateDIBSection(reference, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (!dc_ || !bitmap_)
      return;
    old_ = SelectObject(dc_, bitmap_);
    std::fill(bits_, bits_ + static_cast<size_t>(width) * height, kWhite);
  }
  ~Canvas() {
    if (old_)
      SelectObject(dc_, old_);
    if (bitmap_)
      DeleteObject(bitmap_);
    if (dc_)
      DeleteDC(dc_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool Ready() const { return old_ != nullptr; }
  HDC Dc() const { return dc_; }

  // The bounds of every pixel that is not white; empty when there are none.
  RECT InkBounds() {
    GdiFlush();
    RECT ink{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x)
        if ((bits_[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF) != kWhite) {
          ink.left = std::min<LONG>(ink.left, x);
          ink.top = std::min<LONG>(ink.top, y);
          ink.right = std::max<LONG>(ink.right, x + 1);
          ink.bottom = std::max<LONG>(ink.bottom, y + 1);
        }
    return ink.right > ink.left ? ink : RECT{};
  }

private:
  static constexpr std::uint32_t kWhite = 0xFFFFFF;
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

} // namespace

RECT DrawnText::Covered() const {
  RECT advance{0, 0, extent.cx, extent.cy};
  if (IsRectEmpty(&ink))
    return advance;
  RECT both{};
  UnionRect(&both, &advance, &ink);
  return both;
}

DrawnText DrawnText::Measure(HDC dc, HFONT font, const std::string& text) {
  DrawnText drawn;
  const int length = static_cast<int>(text.size());
  HGDIOBJ old = SelectObject(dc, font);
  GetTextExtentPoint32A(dc, text.c_str(), length, &drawn.extent);
  SelectObject(dc, old);
  if (text.empty())
    return drawn;
  const int margin = std::max<int>(drawn.extent.cy, 8);
  Canvas canvas(dc, drawn.extent.cx * 2 + 2 * margin, drawn.extent.cy + 2 * margin);
  if (!canvas.Ready()) {
    drawn.ink = RECT{0, 0, drawn.extent.cx, drawn.extent.cy};
    return drawn;
  }
  HGDIOBJ oldFont = SelectObject(canvas.Dc(), font);
  SetTextColor(canvas.Dc(), RGB(0, 0, 0));
  SetBkMode(canvas.Dc(), TRANSPARENT);
  ExtTextOutA(canvas.Dc(), margin, margin, 0, nullptr, text.c_str(), static_cast<UINT>(length), nullptr);
  SelectObject(canvas.Dc(), oldFont);
  drawn.ink = canvas.InkBounds();
  if (!IsRectEmpty(&drawn.ink))
    OffsetRect(&drawn.ink, -margin, -margin);
  return drawn;
}
