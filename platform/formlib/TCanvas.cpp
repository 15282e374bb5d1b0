#include <formlib/TCanvas.h>

#include <wincore/Drawing.h>

namespace formlib {

TColor SysColor(int index) { return GetSysColor(index); }

TFont::TFont(const TFont& other)
    : name_(other.name_), height_(other.height_), color_(other.color_), bold_(other.bold_) {}

TFont& TFont::operator=(const TFont& other) {
  if (this == &other)
    return *this;
  release();
  name_ = other.name_;
  height_ = other.height_;
  color_ = other.color_;
  bold_ = other.bold_;
  return *this;
}

TFont::~TFont() { release(); }

void TFont::release() {
  if (handle_)
    DeleteObject(handle_);
  handle_ = nullptr;
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  release();
}

void TFont::SetHeight(int height) {
  height_ = height;
  release();
}

void TFont::SetBold(bool bold) {
  bold_ = bold;
  release();
}

HFONT TFont::Handle() const {
  if (!handle_)
    handle_ =
        CreateFontA(height_, 0, 0, 0, bold_ ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, name_.c_str());
  return handle_;
}

void TCanvas::FillRect(const RECT& rect, TColor color) {
  HBRUSH brush = CreateSolidBrush(color);
  ::FillRect(dc_, &rect, brush);
  DeleteObject(brush);
}

void TCanvas::FrameLine(int x1, int y1, int x2, int y2, TColor color) {
  wincore::drawLine(dc_, x1, y1, x2, y2, color);
}

void TCanvas::CopyRect(const RECT& dest, const TCanvas& from, const RECT& source) {
  StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, from.dc_, source.left,
             source.top, source.right - source.left, source.bottom - source.top, SRCCOPY);
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT flags, const TFont& font) {
  return DrawText(text, rect, flags, font, font.Color());
}

int TCanvas::DrawText(const std::string& text, RECT& rect, UINT flags, const TFont& font, TColor color) {
  HGDIOBJ old = SelectObject(dc_, font.Handle());
  int oldMode = SetBkMode(dc_, TRANSPARENT);
  COLORREF oldColor = SetTextColor(dc_, color);
  int height = ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, flags);
  SetTextColor(dc_, oldColor);
  SetBkMode(dc_, oldMode);
  SelectObject(dc_, old);
  return height;
}

} // namespace formlib
