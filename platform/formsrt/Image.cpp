#include <formsrt/Image.h>

#include <utility>

namespace formsrt {

Image::Image(Container& parent, std::string name, int left, int top, int width, int height,
             const char* bitmapResource)
    : Control(parent, std::move(name), left, top, width, height), resource_(bitmapResource) {}

Image::~Image() {
  if (bitmap_)
    DeleteObject(bitmap_);
}

HWND Image::createWindow(HWND parent, const RECT& r) {
  DWORD kind = resource_ ? SS_BITMAP : SS_ICON;
  return createSubclassed("STATIC", 0, "", commonStyle() | kind | SS_NOTIFY, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent, id());
}

void Image::afterCreate() {
  if (!bitmap_ && resource_)
    bitmap_ = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), resource_, IMAGE_BITMAP, 0, 0, 0));
  if (bitmap_)
    SendMessageA(hwnd(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
  if (icon_)
    SendMessageA(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
}

void Image::setPicture(HICON icon) {
  icon_ = icon;
  if (hwnd())
    afterCreate();
}

} // namespace formsrt
