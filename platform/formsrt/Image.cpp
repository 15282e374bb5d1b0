#include "Image.h"

#include <utility>

namespace formsrt {

Image::Image(Container& parent, std::string name, int left, int top, int width, int height, int index)
    : Control(parent, std::move(name), left, top, width, height, index) {}

HWND Image::createWindow(HWND parent, const RECT& r) {
  return createSubclassed("STATIC", 0, "", commonStyle() | SS_ICON, r.left, r.top, r.right - r.left,
                          r.bottom - r.top, parent, id());
}

void Image::afterCreate() {
  if (icon_)
    SendMessageA(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
}

void Image::setPicture(HICON icon) {
  icon_ = icon;
  if (hwnd())
    afterCreate();
}

} // namespace formsrt
