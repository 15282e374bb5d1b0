#include "Image.h"

namespace formsrt {

Image::Image(Container& parent, std::string name, int left, int top, int width, int height,
             const char* bitmapResource)
    : Control(parent, std::move(name), left, top, width, height), resource_(bitmapResource) {}

Image::~Image() {
  if (bitmap_)
    DeleteObject(bitmap_);
}

HWND Image::createWindow(HWND parent, const RECT& r) {
  return createSubclassed("STATIC", 0, "", commonStyle() | SS_BITMAP | SS_NOTIFY, r.left, r.top,
                          r.right - r.left, r.bottom - r.top, parent, id());
}

void Image::afterCreate() {
  if (!bitmap_ && resource_)
    bitmap_ = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), resource_, IMAGE_BITMAP, 0, 0, 0));
  if (bitmap_)
    SendMessageA(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
}

} // namespace formsrt
