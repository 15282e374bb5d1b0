#pragma once

#include "Control.h"

namespace formsrt {

// A picture: a bitmap of the program's resources, shown at its own size.
class Image : public Control {
public:
  Image(Container& parent, std::string name, int left, int top, int width, int height,
        const char* bitmapResource);
  ~Image() override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override;

private:
  const char* resource_;
  HBITMAP bitmap_ = nullptr;
};

} // namespace formsrt
