#include <foundation/drawing/font.h>

#include <cmath>

namespace {

int pointsToPixels(int height, double pixelsPerPoint) {
  if (height >= 0)
    return static_cast<int>(std::lround(height * pixelsPerPoint));
  return -static_cast<int>(std::lround(-height * pixelsPerPoint));
}

} // namespace

void font::set(const char* name, int fontheight, int isbold, int isitalic, int angle) {
  lstrcpynA(face, name ? name : "", LF_FACESIZE);
  height = fontheight;
  bold = isbold;
  italic = isitalic;
  escapement = angle;
}

int font::create(int width) {
  free();
  LOGFONTA description{};
  description.lfHeight = height;
  description.lfWidth = width;
  description.lfEscapement = escapement;
  description.lfOrientation = escapement;
  description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  description.lfItalic = italic != 0;
  description.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(description.lfFaceName, face, LF_FACESIZE);
  font_ = CreateFontIndirectA(&description);
  return font_ != nullptr;
}

int font::createfor(HWND window) {
  dc device(window);
  return createfor(device);
}

int font::createfor(const dc& device) {
  height = pointsToPixels(height, device.pixperpt());
  return create();
}

int font::select(dc& device) {
  if (!font_ || selectedin_ || window_)
    return 0;
  previous_ = static_cast<HFONT>(device.select(font_));
  selectedin_ = &device;
  return 1;
}

int font::setonwindow(HWND window) {
  if (!font_ || selectedin_ || window_)
    return 0;
  previous_ = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0));
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
  window_ = window;
  return 1;
}

void font::deselect() {
  if (selectedin_)
    selectedin_->select(previous_);
  else if (window_)
    SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(previous_), TRUE);
  selectedin_ = nullptr;
  window_ = nullptr;
  previous_ = nullptr;
}

void font::free() {
  deselect();
  if (font_)
    DeleteObject(font_);
  font_ = nullptr;
}

int font::fitwidth(dc& device, const char* text, int wanted) {
  if (!create())
    return 0;
  HGDIOBJ previous = device.select(font_);
  int measured = device.textwidth(text);
  TEXTMETRICA metrics{};
  device.textmetrics(metrics);
  device.select(previous);
  if (measured <= 0)
    return 0;
  return create(MulDiv(metrics.tmAveCharWidth, wanted, measured));
}

SIZE font::measure(const char* text) {
  SIZE size{0, 0};
  if (!font_ && !create())
    return size;
  HDC screen = GetDC(nullptr);
  HGDIOBJ previous = SelectObject(screen, font_);
  if (!GetTextExtentPoint32A(screen, text, lstrlenA(text), &size))
    size = SIZE{0, 0};
  SelectObject(screen, previous);
  ReleaseDC(nullptr, screen);
  return size;
}

int font::textwidth(const char* text) { return measure(text).cx; }

int font::textheight(const char* text) { return measure(text).cy; }
