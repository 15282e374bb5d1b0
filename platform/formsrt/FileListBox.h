#pragma once

#include "Control.h"

#include <string>
#include <vector>

namespace formsrt {

// A list of the files of one folder whose names match a pattern ("*.XVQ"), sorted by name. The list is
// read when the control is created and again on Refresh, and whenever Path or Pattern change.
class FileListBox : public Control {
public:
  FileListBox(Container& parent, std::string name, int left, int top, int width, int height, int index = -1);

  const std::string& Path() const { return path_; }
  void setPath(const std::string& path);
  const std::string& Pattern() const { return pattern_; }
  void setPattern(const std::string& pattern);
  void Refresh();

  int ListCount() const { return static_cast<int>(names_.size()); }
  // Empty text outside the list.
  std::string List(int index) const;
  // -1 when nothing is selected.
  int ListIndex() const;
  void setListIndex(int index);
  // The selected name, or empty text.
  std::string FileName() const { return List(ListIndex()); }
  void onCommand(int code) override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override { Refresh(); }

private:
  std::string path_;
  std::string pattern_ = "*.*";
  std::vector<std::string> names_;
};

} // namespace formsrt
