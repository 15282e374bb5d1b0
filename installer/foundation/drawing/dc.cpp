#include <foundation/drawing/dc.h>

#include <algorithm>
#include <cmath>

namespace {

int channel(int a, int b, int c, int d, int x, int y, int w, int h) {
  int value = a + MulDiv(b - a, x, w) + MulDiv(c - a, y, h) + MulDiv(MulDiv(a + d - b - c, x, w), y, h);
  return std::clamp(value, 0, 255);
}

// The start of the grid cell of size `size` that holds v, counting cells from 0.
int cellStart(int v, int size) {
  int offset = v % size;
  return offset < 0 ? v - offset - size : v - offset;
}

// Solid fills that keep one brush for as long as the colour stays the same.
class cellpainter {
public:
  explicit cellpainter(HDC target) : target_(target) {}
  ~cellpainter() {
    if (brush_)
      DeleteObject(brush_);
  }
  cellpainter(const cellpainter&) = delete;
  cellpainter& operator=(const cellpainter&) = delete;

  void fill(const RECT& cell, COLORREF colour) {
    if (!brush_ || colour != colour_) {
      if (brush_)
        DeleteObject(brush_);
      brush_ = CreateSolidBrush(colour);
      colour_ = colour;
    }
    FillRect(target_, &cell, brush_);
  }

private:
  HDC target_;
  HBRUSH brush_ = nullptr;
  COLORREF colour_ = 0;
};

// Where the cells go: the DC itself when it is a memory DC, else a bitmap one pixel larger than the
// area, copied to the DC at the end so that the cells never show one by one.
class offscreen {
public:
  offscreen(HDC target, const RECT& area, bool direct) : target_(target), area_(area) {
    if (direct)
      return;
    int w = area.right - area.left, h = area.bottom - area.top;
    memory_ = CreateCompatibleDC(target);
    bitmap_ = memory_ ? CreateCompatibleBitmap(target, w + 1, h + 1) : nullptr;
    if (!bitmap_) {
      if (memory_)
        DeleteDC(memory_);
      memory_ = nullptr;
      return;
    }
    previous_ = SelectObject(memory_, bitmap_);
    SetBrushOrgEx(memory_, -area.left, -area.top, nullptr);
    dx_ = area.left;
    dy_ = area.top;
  }
  ~offscreen() {
    if (!memory_)
      return;
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, memory_, 0, 0,
           SRCCOPY);
    SelectObject(memory_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(memory_);
  }
  offscreen(const offscreen&) = delete;
  offscreen& operator=(const offscreen&) = delete;

  HDC hdc() const { return memory_ ? memory_ : target_; }
  // A rectangle of the DC in the coordinates of hdc().
  RECT place(RECT r) const {
    OffsetRect(&r, -dx_, -dy_);
    return r;
  }

private:
  HDC target_;
  RECT area_;
  HDC memory_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  int dx_ = 0;
  int dy_ = 0;
};

} // namespace

dc::dc(HWND window) : kind_(windowkind), hdc_(GetDC(window)), window_(window) {
  RECT client{};
  GetClientRect(window, &client);
  width_ = client.right;
  height_ = client.bottom;
}

dc::dc(HDC hdc, int width, int height) : kind_(attachedkind), width_(width), height_(height), hdc_(hdc) {}

dc::dc(const dc& other, compatible)
    : kind_(memorykind), width_(other.width_), height_(other.height_), hdc_(CreateCompatibleDC(other.hdc_)) {}

dc::~dc() {
  if (!hdc_)
    return;
  if (kind_ == windowkind)
    ReleaseDC(window_, hdc_);
  else if (kind_ != attachedkind)
    DeleteDC(hdc_);
}

int dc::textwidth(const char* text) const {
  SIZE size;
  int length = lstrlenA(text);
  if (GetTextExtentPoint32A(hdc_, text, length, &size) || GetTextExtentPointA(hdc_, text, length, &size))
    return size.cx;
  return 0;
}

int dc::textheight(const char* text) const {
  SIZE size;
  int length = lstrlenA(text);
  if (GetTextExtentPoint32A(hdc_, text, length, &size) || GetTextExtentPointA(hdc_, text, length, &size))
    return size.cy;
  return 0;
}

int dc::fillrect(const RECT& inclusive, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  if (!brush)
    return 0;
  int filled = fillrect(inclusive, brush);
  DeleteObject(brush);
  return filled;
}

int dc::fillrect(const RECT& inclusive, HBRUSH brush) {
  RECT r{inclusive.left, inclusive.top, inclusive.right + 1, inclusive.bottom + 1};
  return FillRect(hdc_, &r, brush);
}

double dc::pixpermmx() const {
  int millimetres = GetDeviceCaps(hdc_, HORZSIZE);
  return millimetres ? static_cast<double>(GetDeviceCaps(hdc_, HORZRES)) / millimetres : 0;
}

double dc::pixpermmy() const {
  int millimetres = GetDeviceCaps(hdc_, VERTSIZE);
  return millimetres ? static_cast<double>(GetDeviceCaps(hdc_, VERTRES)) / millimetres : 0;
}

double dc::pixperpt() const { return GetDeviceCaps(hdc_, LOGPIXELSY) / 72.0; }

HFONT dc::createfont(const char* face, int points, int weight, int italic) const {
  int height = -static_cast<int>(std::lround(points * pixperpt()));
  return CreateFontA(height, 0, 0, 0, weight, italic != 0, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

COLORREF GradientColour(COLORREF a, COLORREF b, COLORREF c, COLORREF d, int x, int y, int w, int h) {
  return RGB(channel(GetRValue(a), GetRValue(b), GetRValue(c), GetRValue(d), x, y, w, h),
             channel(GetGValue(a), GetGValue(b), GetGValue(c), GetGValue(d), x, y, w, h),
             channel(GetBValue(a), GetBValue(b), GetBValue(c), GetBValue(d), x, y, w, h));
}

int dc::gradient(const RECT& rect, COLORREF a, COLORREF b, COLORREF c, COLORREF d, int cellwidth,
                 int cellheight) {
  return gradient(rect, rect, a, b, c, d, cellwidth, cellheight);
}

int dc::gradient(const RECT& gradient, const RECT& area, COLORREF a, COLORREF b, COLORREF c, COLORREF d,
                 int cellwidth, int cellheight) {
  int w = gradient.right - gradient.left, h = gradient.bottom - gradient.top;
  if (w <= 0 || h <= 0 || area.right <= area.left || area.bottom <= area.top)
    return 0;
  cellwidth = std::max(cellwidth, 1);
  cellheight = std::max(cellheight, 1);
  // With equal left and right corners a colour depends on the row only: whole rows are one fill.
  bool rowsOnly = a == b && c == d;
  offscreen target(hdc_, area, kind_ == memorykind);
  cellpainter painter(target.hdc());
  for (int top = cellStart(area.top, cellheight); top < area.bottom; top += cellheight) {
    int y = top + cellheight / 2 - gradient.top;
    LONG rowTop = std::max<LONG>(top, area.top), rowBottom = std::min<LONG>(top + cellheight, area.bottom);
    if (rowsOnly) {
      painter.fill(target.place(RECT{area.left, rowTop, area.right, rowBottom}),
                   GradientColour(a, b, c, d, 0, y, w, h));
      continue;
    }
    for (int left = cellStart(area.left, cellwidth); left < area.right; left += cellwidth) {
      int x = left + cellwidth / 2 - gradient.left;
      RECT cell{std::max<LONG>(left, area.left), rowTop, std::min<LONG>(left + cellwidth, area.right),
                rowBottom};
      painter.fill(target.place(cell), GradientColour(a, b, c, d, x, y, w, h));
    }
  }
  return 1;
}
