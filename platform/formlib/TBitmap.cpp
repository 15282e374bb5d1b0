#include <formlib/TBitmap.h>

namespace formlib {

TBitmap::TBitmap() : dc_(CreateCompatibleDC(nullptr)) {}

TBitmap::~TBitmap() {
  select(nullptr, 0, 0);
  DeleteDC(dc_);
}

void TBitmap::select(HBITMAP bitmap, int width, int height) {
  if (bitmap_) {
    SelectObject(dc_, original_);
    DeleteObject(bitmap_);
  }
  bitmap_ = bitmap;
  width_ = bitmap ? width : 0;
  height_ = bitmap ? height : 0;
  if (bitmap_)
    original_ = SelectObject(dc_, bitmap_);
}

void TBitmap::SetSize(int width, int height) {
  if (width <= 0 || height <= 0) {
    select(nullptr, 0, 0);
    return;
  }
  // A 32-bit section, so that colours survive whatever the screen's depth.
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  select(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), width, height);
}

bool TBitmap::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  auto loaded =
      static_cast<HBITMAP>(LoadImageA(instance, name.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!loaded)
    return false;
  BITMAP info{};
  GetObjectA(loaded, sizeof info, &info);
  select(loaded, info.bmWidth, info.bmHeight);
  return true;
}

} // namespace formlib
