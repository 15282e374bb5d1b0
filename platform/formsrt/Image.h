#pragma once

#include <formsrt/Control.h>

namespace formsrt {

// A picture shown at its own size: a bitmap of the program's resources, or an icon set in code.
class Image : public Control {
public:
  Image(Container& parent, std::string name, int left, int top, int width, int height,
        const char* bitmapResource = nullptr);
  ~Image() override;
  void setPicture(HICON icon);

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override;

private:
  const char* resource_;
  HBITMAP bitmap_ = nullptr;
  HICON icon_ = nullptr;
};

} // namespace formsrt
