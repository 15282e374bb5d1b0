#pragma once

#include <formsrt/Control.h>

#include <string>
#include <vector>

namespace formsrt {

// A tab strip over the common tab control. Tabs are numbered from 1; each has a caption and a tool-tip
// text. Click runs when the user chooses a tab (also the one already chosen is not a change).
class TabStrip : public Control {
public:
  TabStrip(Container& parent, std::string name, int left, int top, int width, int height);

  void addTab(const std::string& caption, const std::string& toolTip = std::string());
  int TabCount() const { return static_cast<int>(tabs_.size()); }
  std::string TabCaption(int index) const;
  std::string ToolTipText(int index) const;
  // The chosen tab's number, 1 to TabCount.
  int SelectedIndex() const;
  void setSelectedIndex(int index);

  bool onNotify(NMHDR& header, LRESULT& result) override;
  void unloaded() override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override;

private:
  struct Tab {
    std::string caption;
    std::string toolTip;
  };
  void insert(int position);

  std::vector<Tab> tabs_;
  int selected_ = 1;
  // The tabs it had when its form was first loaded.
  std::vector<Tab> designTabs_;
  bool designKept_ = false;
};

} // namespace formsrt
