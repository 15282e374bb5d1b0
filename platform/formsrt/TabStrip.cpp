#include <formsrt/TabStrip.h>

#include <formsrt/RuntimeError.h>

#include <commctrl.h>

namespace formsrt {

TabStrip::TabStrip(Container& parent, std::string name, int left, int top, int width, int height)
    : Control(parent, std::move(name), left, top, width, height) {}

HWND TabStrip::createWindow(HWND parent, const RECT& r) {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_TAB_CLASSES};
  InitCommonControlsEx(&classes);
  return createSubclassed(WC_TABCONTROLA, 0, "", commonStyle() | WS_TABSTOP | WS_CLIPSIBLINGS | TCS_TOOLTIPS,
                          r.left, r.top, r.right - r.left, r.bottom - r.top, parent, id());
}

void TabStrip::insert(int position) {
  TCITEMA item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<char*>(tabs_[static_cast<std::size_t>(position)].caption.c_str());
  SendMessageA(hwnd(), TCM_INSERTITEMA, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
}

void TabStrip::afterCreate() {
  if (!designKept_) {
    designTabs_ = tabs_;
    designKept_ = true;
  }
  for (int position = 0; position < TabCount(); ++position)
    insert(position);
  SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(selected_ - 1), 0);
}

void TabStrip::unloaded() {
  tabs_ = designTabs_;
  selected_ = 1;
}

void TabStrip::addTab(const std::string& caption, const std::string& toolTip) {
  tabs_.push_back(Tab{caption, toolTip});
  if (hwnd())
    insert(TabCount() - 1);
}

std::string TabStrip::TabCaption(int index) const {
  if (index < 1 || index > TabCount())
    raiseError(errSubscript);
  return tabs_[static_cast<std::size_t>(index - 1)].caption;
}

std::string TabStrip::ToolTipText(int index) const {
  if (index < 1 || index > TabCount())
    raiseError(errSubscript);
  return tabs_[static_cast<std::size_t>(index - 1)].toolTip;
}

int TabStrip::SelectedIndex() const {
  if (!hwnd())
    return selected_;
  return static_cast<int>(SendMessageA(hwnd(), TCM_GETCURSEL, 0, 0)) + 1;
}

void TabStrip::setSelectedIndex(int index) {
  if (index < 1 || index > TabCount())
    raiseError(errInvalidPropertyValue);
  selected_ = index;
  if (hwnd())
    SendMessageA(hwnd(), TCM_SETCURSEL, static_cast<WPARAM>(index - 1), 0);
  fire(Click);
}

bool TabStrip::onNotify(NMHDR& header, LRESULT& result) {
  if (!hwnd())
    return false;
  if (header.hwndFrom == hwnd() && header.code == TCN_SELCHANGE) {
    selected_ = SelectedIndex();
    fire(Click);
    result = 0;
    return true;
  }
  HWND tips = reinterpret_cast<HWND>(SendMessageA(hwnd(), TCM_GETTOOLTIPS, 0, 0));
  if (tips && header.hwndFrom == tips && header.code == TTN_GETDISPINFOA) {
    auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
    int position = static_cast<int>(header.idFrom);
    if (position >= 0 && position < TabCount())
      info.lpszText = const_cast<char*>(tabs_[static_cast<std::size_t>(position)].toolTip.c_str());
    result = 0;
    return true;
  }
  return false;
}

} // namespace formsrt
