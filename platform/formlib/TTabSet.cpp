#include <formlib/TTabSet.h>

#include <windowsx.h>

namespace formlib {

namespace {

constexpr int kStart = 4;   // blank space before the first tab
constexpr int kPadding = 6; // each side of a tab's text

} // namespace

TTabSet::TTabSet(TComponent* owner, TControl* parent) : TGraphicControl(owner, parent) {}

void TTabSet::SetTabs(const std::vector<std::string>& tabs) {
  tabs_ = tabs;
  Invalidate();
}

void TTabSet::SetTabIndex(int index) {
  if (index < -1 || index >= static_cast<int>(tabs_.size()) || index == tabIndex_)
    return;
  tabIndex_ = index;
  Invalidate();
  if (OnClick)
    OnClick(this);
}

RECT TTabSet::TabRect(int index) const {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font().Handle());
  int x = kStart;
  RECT rect{};
  for (int i = 0; i <= index && i < static_cast<int>(tabs_.size()); ++i) {
    SIZE size{};
    GetTextExtentPoint32A(dc, tabs_[i].c_str(), static_cast<int>(tabs_[i].size()), &size);
    rect = RECT{x, 0, x + size.cx + 2 * kPadding, ClientHeight()};
    x = rect.right;
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return rect;
}

void TTabSet::Paint(TCanvas& canvas) {
  RECT client{0, 0, ClientWidth(), ClientHeight()};
  canvas.FillRect(client, Color());
  canvas.FrameLine(0, 0, client.right, 0, clBlack);
  for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
    RECT tab = TabRect(i);
    if (i == tabIndex_) {
      RECT face{tab.left, tab.top, tab.right, tab.bottom - 1};
      canvas.FillRect(face, clWindow());
      canvas.FrameLine(tab.left, tab.bottom - 1, tab.right, tab.bottom - 1, clBlack);
    }
    canvas.FrameLine(tab.right, tab.top, tab.right, tab.bottom - 1, clBtnShadow());
    canvas.DrawText(tabs_[i], tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, Font());
  }
}

bool TTabSet::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message != WM_LBUTTONDOWN)
    return TGraphicControl::HandleMessage(message, wParam, lParam, result);
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  for (int i = 0; i < static_cast<int>(tabs_.size()); ++i) {
    RECT tab = TabRect(i);
    if (PtInRect(&tab, at)) {
      SetTabIndex(i);
      break;
    }
  }
  return true;
}

} // namespace formlib
