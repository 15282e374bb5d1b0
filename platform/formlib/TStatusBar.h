#pragma once

#include <formlib/TControl.h>

#include <vector>

namespace formlib {

// The system's status bar: either one simple text or panels of given widths. Controls may sit on it.
class TStatusBar : public TControl {
public:
  TStatusBar(TComponent* owner, TControl* parent);

  void SetSimplePanel(bool simple);
  std::string SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& text);
  // A panel of `width` pixels with `text`, after those added before; the last panel reaches to the end
  // of the bar.
  void AddPanel(int width, const std::string& text);

private:
  std::string simpleText_;
  std::vector<int> rightEdges_;
};

} // namespace formlib
