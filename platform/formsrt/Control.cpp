#include <formsrt/Control.h>

#include <formsrt/Application.h>
#include <formsrt/Form.h>
#include <wincore/WindowText.h>

namespace formsrt {

void Container::createChildren() {
  for (Control* child : children_)
    child->create();
}

int shiftState() {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

Control::Control(Container& parent, std::string name, int left, int top, int width, int height, int index)
    : Name(std::move(name)), Index(index), parent_(parent), id_(parent.form().nextControlId()), left_(left),
      top_(top), width_(width), height_(height) {
  parent.adopt(this);
}

Control::~Control() {
  if (hwnd())
    DestroyWindow(hwnd());
  if (font_)
    DeleteObject(font_);
}

RECT Control::pixelRect() const {
  return RECT{twipsToPixelsX(left_), twipsToPixelsY(top_), twipsToPixelsX(left_ + width_),
              twipsToPixelsY(top_ + height_)};
}

DWORD Control::commonStyle() const {
  return WS_CHILD | (visible_ ? WS_VISIBLE : 0) | (enabled_ ? 0 : WS_DISABLED);
}

void Control::create() {
  if (hwnd())
    return;
  createWindow(parent_.containerHandle(), pixelRect());
  HFONT font = font_ ? font_ : form().font();
  SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  afterCreate();
}

void Control::Move(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!hwnd())
    return;
  RECT r = pixelRect();
  MoveWindow(hwnd(), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

void Control::setVisible(bool visible) {
  visible_ = visible;
  if (hwnd())
    ShowWindow(hwnd(), visible ? SW_SHOWNA : SW_HIDE);
}

void Control::setEnabled(bool enabled) {
  enabled_ = enabled;
  if (hwnd())
    EnableWindow(hwnd(), enabled);
}

std::string Control::Caption() const { return hwnd() ? wincore::windowText(hwnd()) : caption_; }

void Control::setCaption(const std::string& caption) {
  caption_ = caption;
  if (hwnd())
    SetWindowTextA(hwnd(), caption.c_str());
}

void Control::SetFocus() {
  if (hwnd())
    ::SetFocus(hwnd());
}

void Control::setFont(const std::string& name, double points, bool bold, bool italic) {
  if (font_)
    DeleteObject(font_);
  font_ = Form::makeFont(name, points, bold, italic);
  if (hwnd())
    SendMessageA(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

void Control::fire(const std::function<void()>& event) {
  if (event)
    runHandler(event);
}

LRESULT Control::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SETFOCUS: {
    LRESULT result = callDefault(message, wParam, lParam);
    fire(GotFocus);
    return result;
  }
  case WM_KILLFOCUS: {
    LRESULT result = callDefault(message, wParam, lParam);
    fire(LostFocus);
    return result;
  }
  case WM_KEYDOWN:
    if (KeyDown) {
      int key = static_cast<int>(wParam);
      runHandler([&] { KeyDown(key, shiftState()); });
      if (!hwnd())
        return 0;
    }
    break;
  case WM_LBUTTONDBLCLK:
    fire(DblClick);
    if (!hwnd())
      return 0;
    break;
  }
  return callDefault(message, wParam, lParam);
}

} // namespace formsrt
