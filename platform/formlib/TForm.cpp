#include <formlib/TForm.h>

#include <formlib/TApplication.h>
#include <formlib/TButton.h>
#include <wincore/MessageLoop.h>

namespace formlib {

namespace {

HWND ownerWindow(TComponent* owner) {
  auto* form = dynamic_cast<TForm*>(owner);
  return form ? form->Handle() : nullptr;
}

} // namespace

TForm::TForm(TComponent* owner) : TControl(owner, nullptr) {
  CreateHandle(nullptr, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, ownerWindow(owner));
}

TForm::~TForm() { DestroyComponents(); }

void TForm::Show() {
  if (Visible()) {
    // A minimised window asked for again is wanted on screen, not only on top.
    if (IsIconic(Handle()))
      ShowWindow(Handle(), SW_RESTORE);
    SetForegroundWindow(Handle());
    BringToFront();
    return;
  }
  if (OnShow)
    OnShow(this);
  if (!Handle())
    return;
  ShowWindow(Handle(), SW_SHOW);
  if (activeControl_ && activeControl_->Handle())
    activeControl_->SetFocus();
}

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

void TForm::Close() {
  TCloseAction action = TCloseAction::caHide;
  if (OnClose)
    OnClose(this, action);
  if (action == TCloseAction::caNone)
    return;
  if (modal_) {
    if (modalResult_ == mrNone)
      modalResult_ = mrCancel;
    return;
  }
  Hide();
  if (Application->MainForm() == this)
    Application->Terminate();
}

int TForm::ShowModal() {
  modal_ = true;
  modalResult_ = mrNone;
  HWND owner = GetWindow(Handle(), GW_OWNER);
  {
    // Every other window of the program waits until the form ends, not only its owner.
    wincore::ModalDisabler others(Handle());
    Show();
    wincore::runModalLoop([this] { return modalResult_ == mrNone && Handle() && IsWindowVisible(Handle()); });
  }
  int result = modalResult_ == mrNone ? mrCancel : modalResult_;
  if (Handle())
    Hide();
  if (owner)
    SetActiveWindow(owner);
  modal_ = false;
  return result;
}

void TForm::SetBorderStyle(TBorderStyle style, bool minimizeBox) {
  DWORD windowStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (style == TBorderStyle::bsSizeable)
    windowStyle |= WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MINIMIZEBOX;
  if (style == TBorderStyle::bsSingle && minimizeBox)
    windowStyle |= WS_MINIMIZEBOX;
  if (style == TBorderStyle::bsDialog)
    exStyle |= WS_EX_DLGMODALFRAME;
  windowStyle |= GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE;
  SetWindowLongA(Handle(), GWL_STYLE, static_cast<LONG>(windowStyle));
  SetWindowLongA(Handle(), GWL_EXSTYLE, static_cast<LONG>(exStyle));
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetClientSize(int width, int height) {
  RECT rect{0, 0, width, height};
  AdjustWindowRectEx(&rect, GetWindowLongA(Handle(), GWL_STYLE), FALSE,
                     GetWindowLongA(Handle(), GWL_EXSTYLE));
  SetBounds(Left(), Top(), rect.right - rect.left, rect.bottom - rect.top);
}

void TForm::CenterOnScreen() {
  int left = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
  SetBounds(left, top, Width(), Height());
}

TButton* TForm::findButton(bool wantDefault, const TControl* in) const {
  for (TControl* child : in->Controls()) {
    auto* button = dynamic_cast<TButton*>(child);
    if (button && button->Visible() && button->Enabled() &&
        (wantDefault ? button->Default() : button->Cancel()))
      return button;
    if (TButton* found = findButton(wantDefault, child))
      return found;
  }
  return nullptr;
}

bool TForm::DialogKey(TControl* from, int key) {
  if (key == VK_TAB) {
    bool back = GetKeyState(VK_SHIFT) < 0;
    if (HWND next = GetNextDlgTabItem(Handle(), from->Handle(), back))
      ::SetFocus(next);
    return true;
  }
  if (key != VK_RETURN && key != VK_ESCAPE)
    return false;
  auto* button = key == VK_RETURN ? dynamic_cast<TButton*>(from) : nullptr;
  if (!button)
    button = findButton(key == VK_RETURN, this);
  if (!button)
    return false;
  button->Click();
  return true;
}

bool TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
  case WM_CLOSE:
    Close();
    return true;
  case WM_SETFOCUS:
    if (activeControl_ && activeControl_->Handle() && activeControl_->Visible())
      activeControl_->SetFocus();
    return true;
  case WM_ACTIVATE:
    if (LOWORD(wParam) == WA_INACTIVE) {
      if (TControl* focused = FromHandle(GetFocus());
          focused && focused != this && focused->ParentForm() == this)
        activeControl_ = focused;
    }
    return false;
  }
  return TControl::HandleMessage(message, wParam, lParam, result);
}

} // namespace formlib
