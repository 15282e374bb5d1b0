#pragma once

#include "Control.h"

namespace formsrt {

// A picture that decorates a form: an icon drawn at the control's top left corner.
class Image : public Control {
public:
  Image(Container& parent, std::string name, int left, int top, int width, int height, int index = -1);
  void setPicture(HICON icon);

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override;

private:
  HICON icon_ = nullptr;
};

} // namespace formsrt
