#include <formlib/TControl.h>

#include <formlib/TApplication.h>
#include <formlib/TForm.h>
#include <wincore/Drawing.h>
#include <wincore/Mnemonics.h>
#include <wincore/WindowText.h>

#include <windowsx.h>

#include <algorithm>

namespace formlib {

namespace {

const char kOwnClass[] = "FormlibWindow";

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
  if (Handle())
    DestroyWindow(Handle());
  if (parent_) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (TControl* child : controls_)
    child->parent_ = nullptr;
}

void TControl::CreateHandle(const char* className, DWORD style, DWORD exStyle, HWND owner) {
  HWND parentWindow = parent_ ? parent_->Handle() : owner;
  if (parent_)
    style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (className) {
    subclass(CreateWindowExA(exStyle, className, "", style, 0, 0, 0, 0, parentWindow, nullptr,
                             GetModuleHandleA(nullptr), nullptr));
  } else {
    registerClass(kOwnClass, CS_DBLCLKS);
    create(exStyle, kOwnClass, "", style, 0, 0, 0, 0, parentWindow, nullptr);
  }
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
}

TControl* TControl::FromHandle(HWND hwnd) { return dynamic_cast<TControl*>(fromHandle(hwnd)); }

LRESULT TControl::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_KEYDOWN || message == WM_CHAR) && PreviewKey(message, wParam))
    return 0;
  if ((message == WM_CHAR || message == WM_SYSCHAR) && PressMnemonic(message, wParam))
    return 0;
  LRESULT result = 0;
  if (HandleMessage(message, wParam, lParam, result))
    return result;
  return DefaultHandler(message, wParam, lParam);
}

LRESULT TControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  return callDefault(message, wParam, lParam);
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

bool TControl::PressMnemonic(UINT message, WPARAM wParam) {
  TForm* form = ParentForm();
  MSG typed{Handle(), message, wParam, 0, 0, {0, 0}};
  return form && wincore::isMnemonicKey(typed) &&
         wincore::pressMnemonic(form->Handle(), static_cast<char>(wParam));
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
    if (isSubclassed())
      DefaultHandler(message, wParam, lParam);
    Realign();
    Resized();
    return true;
  }
  if (isSubclassed())
    return false;
  switch (message) {
  case WM_PAINT:
  case WM_PRINTCLIENT:
    return wincore::paintMessage(Handle(), message, wParam, [this](HDC dc) {
      TCanvas canvas(dc);
      Paint(canvas);
    });
  case WM_ERASEBKGND:
    result = EraseBackground(reinterpret_cast<HDC>(wParam));
    return true;
  }
  return false;
}

void TControl::Paint(TCanvas&) {}

bool TControl::EraseBackground(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
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
  if (!Handle())
    return;
  RECT free;
  GetClientRect(Handle(), &free);
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
  if (!Handle())
    return rect;
  GetWindowRect(Handle(), &rect);
  if (HWND parent = GetParent(Handle()); parent && (GetWindowLongA(Handle(), GWL_STYLE) & WS_CHILD))
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
  GetClientRect(Handle(), &rect);
  return rect.right;
}

int TControl::ClientHeight() const {
  RECT rect{};
  GetClientRect(Handle(), &rect);
  return rect.bottom;
}

void TControl::SetBounds(int left, int top, int width, int height) {
  MoveWindow(Handle(), left, top, width, height, TRUE);
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_)
    parent_->Realign();
}

std::string TControl::Caption() const { return wincore::windowText(Handle()); }

void TControl::SetCaption(const std::string& caption) {
  SetWindowTextA(Handle(), caption.c_str());
  Invalidate();
}

bool TControl::Enabled() const { return IsWindowEnabled(Handle()); }

void TControl::SetEnabled(bool enabled) {
  EnableWindow(Handle(), enabled);
  Invalidate();
}

bool TControl::Visible() const { return GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE; }

void TControl::SetVisible(bool visible) {
  ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
  if (parent_ && align_ != TAlign::alNone)
    parent_->Realign();
}

void TControl::SetFont(const TFont& font) {
  font_ = font;
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  Invalidate();
}

void TControl::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TControl::SetTabStop(bool tabStop) {
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  SetWindowLongA(Handle(), GWL_STYLE, tabStop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void TControl::SetFocus() { ::SetFocus(Handle()); }

bool TControl::Focused() const { return Handle() && GetFocus() == Handle(); }

void TControl::Invalidate() { InvalidateRect(Handle(), nullptr, TRUE); }

void TControl::BringToFront() {
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace formlib
