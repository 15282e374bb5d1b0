#include <formlib/TStatusBar.h>

#include <commctrl.h>

namespace formlib {

TStatusBar::TStatusBar(TComponent* owner, TControl* parent) : TControl(owner, parent) {
  CreateHandle(STATUSCLASSNAMEA, WS_VISIBLE | WS_CLIPCHILDREN | CCS_BOTTOM, WS_EX_CONTROLPARENT);
  SetAlign(TAlign::alBottom);
}

void TStatusBar::SetSimplePanel(bool simple) { SendMessageA(Handle(), SB_SIMPLE, simple, 0); }

void TStatusBar::SetSimpleText(const std::string& text) {
  simpleText_ = text;
  SendMessageA(Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::AddPanel(int width, const std::string& text) {
  int left = rightEdges_.empty() ? 0 : rightEdges_.back();
  rightEdges_.push_back(left + width);
  // The last panel takes the rest of the bar: no panel edge stands in the bar's free part, where
  // controls may sit.
  std::vector<int> edges = rightEdges_;
  edges.back() = -1;
  SendMessageA(Handle(), SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  SendMessageA(Handle(), SB_SETTEXTA, rightEdges_.size() - 1, reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace formlib
