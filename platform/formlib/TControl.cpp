#include <formlib/TControl.h>

#include <formlib/TApplication.h>
#include <formlib/TForm.h>

#include <windowsx.h>

#include <algorithm>
#include <exception>

namespace formlib {

namespace {

const char kOwnClass[] = "FormlibWindow";

void registerOwnClass(WNDPROC proc) {
  static bool registered = false;
  if (registered)
    return;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = kOwnClass;
  RegisterClassA(&wc);
  registered = true;
}

// The object being created, handed to the shared procedure before CreateWindowEx returns.
TControl* creating = nullptr;

} // namespace

TControl::TControl(TComponent* owner, TControl* parent)
    : TComponent(owner), parent_(parent), color_(clBtnFace()) {
  if (parent_) {
    parent_->controls_.push_back(this);
    font_ = parent_->font_;
  }
}

TControl::~TControl() {
  DestroyComponents();
  if (hwnd_)
    DestroyWindow(hwnd_);
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (TControl* child : controls_)
    child->parent_ = nullptr;
}

void TControl::CreateHandle(const char* className, DWORD style, DWORD exStyle, HWND owner) {
  registerOwnClass(&TControl::SharedProc);
  HWND parentWindow = parent_ ? parent_->hwnd_ : owner;
  if (parent_)
    style |= WS_CHILD | WS_CLIPSIBLINGS;
  creating = this;
  HWND hwnd = CreateWindowExA(exStyle, className ? className : kOwnClass, "", style, 0, 0, 0, 0, parentWindow,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
  creating = nullptr;
  if (className) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControl::SharedProc)));
  }
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

TControl* TControl::FromHandle(HWND hwnd) {
  if (!hwnd)
    return nullptr;
  auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
  if (proc != &TControl::SharedProc)
    return nullptr;
  return reinterpret_cast<TControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK TControl::SharedProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TControl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self && creating) {
    // The library's own class: bind the object at the first message it sees.
    self = creating;
    self->hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self)
    return DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return self->Dispatch(message, wParam, lParam);
  } catch (const std::exception& error) {
    Application->HandleException(error);
  } catch (...) {
    Application->HandleException(Exception("Unknown error"));
  }
  return 0;
}

LRESULT TControl::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCDESTROY) {
    LRESULT result = DefaultHandler(message, wParam, lParam);
    Detach();
    return result;
  }
  if ((message == WM_KEYDOWN || message == WM_CHAR) && PreviewKey(message, wParam))
    return 0;
  LRESULT result = 0;
  if (HandleMessage(message, wParam, lParam, result))
    return result;
  return DefaultHandler(message, wParam, lParam);
}

void TControl::Detach() {
  SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
  if (original_)
    SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
  hwnd_ = nullptr;
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (original_)
    return CallWindowProcA(original_, hwnd_, message, wParam, lParam);
  return DefWindowProcA(hwnd_, message, wParam, lParam);
}

// Keys pass the form first: dialog keys (Tab, Enter, Escape), then the form's key preview, then the
// control's own key-press event; whatever is left reaches the control.
bool TControl::PreviewKey(UINT message, WPARAM& wParam) {
  TForm* form = ParentForm();
  if (message == WM_KEYDOWN) {
    swallowChar_ = form && form->DialogKey(this, static_cast<int>(wParam));
    return swallowChar_;
  }
  bool dialogChar = wParam == '\t' || wParam == '\r' || wParam == 27;
  if (swallowChar_ && dialogChar) {
    swallowChar_ = false;
    return true;
  }
  char key = static_cast<char>(wParam);
  if (form && form->KeyPreview() && form->OnKeyPress)
    form->OnKeyPress(form, key);
  if (key && OnKeyPress)
    OnKeyPress(this, key);
  if (!key)
    return true;
  wParam = static_cast<unsigned char>(key);
  return false;
}

bool TControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
  case WM_COMMAND:
    if (TControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
      child->CommandNotify(HIWORD(wParam));
      return true;
    }
    return false;
  case WM_NOTIFY: {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    TControl* child = FromHandle(header->hwndFrom);
    if (!child || child == this)
      return false;
    result = child->Notify(*header);
    return true;
  }
  case WM_SIZE:
    if (original_)
      DefaultHandler(message, wParam, lParam);
    Realign();
    Resized();
    return true;
  }
  if (original_)
    return false;
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    BeginPaint(hwnd_, &ps);
    TCanvas canvas(ps.hdc);
    Paint(canvas);
    EndPaint(hwnd_, &ps);
    return true;
  }
  case WM_PRINTCLIENT: {
    TCanvas canvas(reinterpret_cast<HDC>(wParam));
    Paint(canvas);
    return true;
  }
  case WM_ERASEBKGND:
    result = EraseBackground(reinterpret_cast<HDC>(wParam));
    return true;
  }
  return false;
}

void TControl::Paint(TCanvas&) {}

bool TControl::EraseBackground(HDC dc) {
  RECT client;
  GetClientRect(hwnd_, &client);
  TCanvas(dc).FillRect(client, color_);
  return true;
}

void TControl::CommandNotify(WORD) {}

LRESULT TControl::Notify(const NMHDR&) { return 0; }

void TControl::Resized() {
  if (OnResize)
    OnResize(this);
}

// Aligned children share the client area: top ones first, then bottom, left, right, and the client one
// takes what is left.
void TControl::Realign() {
  if (!hwnd_)
    return;
  RECT free;
  GetClientRect(hwnd_, &free);
  auto place = [&](TAlign align) {
    for (TControl* child : controls_) {
      if (child->align_ != align || !child->Visible())
        continue;
      int w = child->Width(), h = child->Height();
      switch (align) {
      case TAlign::alTop:
        child->SetBounds(free.left, free.top, free.right - free.left, h);
        free.top += h;
        break;
      case TAlign::alBottom:
        free.bottom -= h;
        child->SetBounds(free.left, free.bottom, free.right - free.left, h);
        break;
      case TAlign::alLeft:
        child->SetBounds(free.left, free.top, w, free.bottom - free.top);
        free.left += w;
        break;
      case TAlign::alRight:
        free.right -= w;
        child->SetBounds(free.right, free.top, w, free.bottom - free.top);
        break;
      case TAlign::alClient:
        child->SetBounds(free.left, free.top, free.right - free.left, free.bottom - free.top);
        break;
      case TAlign::alNone:
        break;
      }
    }
  };
  for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
    place(align);
}

TForm* TControl::ParentForm() {
  TControl* control = this;
  while (control->parent_)
    control = control->parent_;
  return dynamic_cast<TForm*>(control);
}

RECT TControl::bounds() const {
  RECT rect{};
  if (!hwnd_)
    return rect;
  GetWindowRect(hwnd_, &rect);
  if (HWND parent = GetParent(hwnd_); parent && (GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int TControl::Width() const {
  RECT rect = bounds();
  return rect.right - rect.left;
}

int TControl::Height() const {
  RECT rect = bounds();
  return rect.bottom - rect.top;
}

int TControl::ClientWidth() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return rect.right;
}

int TControl::ClientHeight() const {
  RECT rect{};
  GetClientRect(hwnd_, &rect);
  return rect.bottom;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  MoveWindow(hwnd_, left, top, width, height, TRUE);
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_)
    parent_->Realign();
}

std::string TControl::Caption() const {
  std::string text(GetWindowTextLengthA(hwnd_) + 1, '\0');
  text.resize(GetWindowTextA(hwnd_, text.data(), static_cast<int>(text.size())));
  return text;
}

void TControl::SetCaption(const std::string& caption) {
  SetWindowTextA(hwnd_, caption.c_str());
  Invalidate();
}

bool TControl::Enabled() const { return IsWindowEnabled(hwnd_); }

void TControl::SetEnabled(bool enabled) {
  EnableWindow(hwnd_, enabled);
  Invalidate();
}

bool TControl::Visible() const { return GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE; }

void TControl::SetVisible(bool visible) {
  ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
  if (parent_ && align_ != TAlign::alNone)
    parent_->Realign();
}

void TControl::SetFont(const TFont& font) {
  font_ = font;
  SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  Invalidate();
}

void TControl::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TControl::SetTabStop(bool tabStop) {
  LONG style = GetWindowLongA(hwnd_, GWL_STYLE);
  SetWindowLongA(hwnd_, GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void TControl::SetFocus() { ::SetFocus(hwnd_); }

bool TControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

void TControl::Invalidate() { InvalidateRect(hwnd_, nullptr, TRUE); }

void TControl::BringToFront() {
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace formlib
