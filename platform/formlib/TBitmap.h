#pragma once

#include <formlib/TCanvas.h>

#include <windows.h>

#include <string>

namespace formlib {

// An off-screen picture with a canvas to draw on and to copy from.
class TBitmap {
public:
  TBitmap();
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  // A new picture of this size, its contents undefined until drawn.
  void SetSize(int width, int height);
  // Loads a bitmap resource of the module by name; false when there is none.
  bool LoadFromResourceName(HINSTANCE instance, const std::string& name);
  TCanvas Canvas() const { return TCanvas(dc_); }

private:
  void select(HBITMAP bitmap, int width, int height);

  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ original_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

} // namespace formlib
