#include <calendar/dialogs/EventTypeList.h>

#include <windows.h>

EventTypeList::EventTypeList(const std::vector<std::string>& types, int defaultIndex) {
  bool hasDefault = defaultIndex >= 0 && defaultIndex < static_cast<int>(types.size());
  for (size_t i = 0; i < types.size() && Count() < kMaxTypes; ++i) {
    int at = Insert(types[i]);
    if (hasDefault && static_cast<int>(i) == defaultIndex)
      defaultName_ = at;
  }
}

int EventTypeList::Insert(const std::string& text) {
  int at = 0;
  while (at < Count() && lstrcmpiA(types_[static_cast<size_t>(at)].c_str(), text.c_str()) <= 0)
    ++at;
  types_.insert(types_.begin() + at, text);
  if (defaultName_ >= at)
    ++defaultName_;
  return at;
}

int EventTypeList::Add(const std::string& text) {
  if (Count() >= kMaxTypes)
    return -1;
  return Insert(text);
}

int EventTypeList::Modify(int index, const std::string& text) {
  if (index < 0 || index >= Count())
    return -1;
  bool wasDefault = index == defaultName_;
  Delete(index);
  int at = Insert(text);
  if (wasDefault)
    defaultName_ = at;
  return at;
}

void EventTypeList::Delete(int index) {
  if (index < 0 || index >= Count())
    return;
  types_.erase(types_.begin() + index);
  if (index == defaultName_)
    defaultName_ = -1;
  else if (index < defaultName_)
    --defaultName_;
}
