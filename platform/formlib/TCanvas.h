#pragma once

#include <windows.h>

#include <string>

namespace formlib {

using TColor = COLORREF;

// System colours by their role, resolved when drawn.
TColor SysColor(int index);
inline TColor clBtnFace() { return SysColor(COLOR_BTNFACE); }
inline TColor clBtnShadow() { return SysColor(COLOR_BTNSHADOW); }
inline TColor clBtnHighlight() { return SysColor(COLOR_BTNHIGHLIGHT); }
inline TColor clGrayText() { return SysColor(COLOR_GRAYTEXT); }
inline TColor clWindow() { return SysColor(COLOR_WINDOW); }
inline TColor clWindowText() { return SysColor(COLOR_WINDOWTEXT); }
inline TColor clHighlight() { return SysColor(COLOR_HIGHLIGHT); }
inline TColor clHighlightText() { return SysColor(COLOR_HIGHLIGHTTEXT); }
constexpr TColor clBlack = RGB(0, 0, 0);

// A font description and the GDI font made from it on demand.
class TFont {
public:
  TFont() = default;
  TFont(const TFont& other);
  TFont& operator=(const TFont& other);
  ~TFont();

  const std::string& Name() const { return name_; }
  int Height() const { return height_; }
  TColor Color() const { return color_; }
  bool Bold() const { return bold_; }
  void SetName(const std::string& name);
  void SetHeight(int height);
  void SetColor(TColor color) { color_ = color; }
  void SetBold(bool bold);

  HFONT Handle() const;

private:
  void release();

  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clBlack;
  bool bold_ = false;
  mutable HFONT handle_ = nullptr;
};

// Drawing on a device context that someone else owns (a paint call's or a bitmap's).
class TCanvas {
public:
  explicit TCanvas(HDC dc) : dc_(dc) {}

  HDC Handle() const { return dc_; }
  void FillRect(const RECT& rect, TColor color);
  void FrameLine(int x1, int y1, int x2, int y2, TColor color);
  // Copies `source` of `from` to `dest` here, stretching when the sizes differ.
  void CopyRect(const RECT& dest, const TCanvas& from, const RECT& source);
  // Text drawn with a clear background in the font's colour unless `color` is given.
  int DrawText(const std::string& text, RECT& rect, UINT flags, const TFont& font);
  int DrawText(const std::string& text, RECT& rect, UINT flags, const TFont& font, TColor color);

private:
  HDC dc_;
};

} // namespace formlib
