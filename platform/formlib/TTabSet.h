#pragma once

#include <formlib/TGraphicControl.h>

#include <string>
#include <vector>

namespace formlib {

// A row of tabs; the click event is raised whenever the selected tab changes, by the user or in code,
// and not when the same tab is chosen again.
class TTabSet : public TGraphicControl {
public:
  TTabSet(TComponent* owner, TControl* parent);

  void SetTabs(const std::vector<std::string>& tabs);
  const std::vector<std::string>& Tabs() const { return tabs_; }
  int TabIndex() const { return tabIndex_; }
  void SetTabIndex(int index);
  // The tab's rectangle in client coordinates.
  RECT TabRect(int index) const;

protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void Paint(TCanvas& canvas) override;

private:
  std::vector<std::string> tabs_;
  int tabIndex_ = -1;
};

} // namespace formlib
