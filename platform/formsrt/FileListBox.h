#pragma once

#include <formsrt/Control.h>

#include <string>
#include <vector>

namespace formsrt {

// The normal files of one folder that match a pattern, sorted by name; Refresh reads the folder again.
class FileListBox : public Control {
public:
  FileListBox(Container& parent, std::string name, int left, int top, int width, int height,
              std::string pattern = "*.*");

  std::string Pattern;
  const std::string& Path() const { return path_; }
  void setPath(const std::string& path);
  void Refresh();
  int ListCount() const { return static_cast<int>(files_.size()); }
  std::string List(int index) const;
  // -1 when no file is selected.
  int ListIndex() const;
  void setListIndex(int index);
  std::string FileName() const { return List(ListIndex()); }

  void onCommand(int code) override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override;

private:
  std::string path_;
  std::vector<std::string> files_;
};

} // namespace formsrt
