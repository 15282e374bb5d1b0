#pragma once

#include <formlib/TControl.h>

namespace formlib {

// A list of text rows in the system's list box.
class TListBox : public TControl {
public:
  TListBox(TComponent* owner, TControl* parent);

  void Add(const std::string& row);
  void Clear();
  int Count() const;
  std::string Item(int index) const;
  int ItemIndex() const;
  void SetItemIndex(int index);
  // Tab stops every `width` dialog units, for rows whose style aligns tabs.
  void SetTabWidth(int width);
  LRESULT Perform(UINT message, WPARAM wParam, LPARAM lParam);

protected:
  // Extra creation styles for a derived list.
  TListBox(TComponent* owner, TControl* parent, DWORD extraStyle);
};

} // namespace formlib
