#pragma once

#include <string>
#include <vector>

// The event types as the event type dialog edits them: kept in alphabetical order (case ignored, as a
// sorted list box orders them), with at most one of them the default given to new events. The default
// stays with its entry while others are added, renamed or removed around it.
class EventTypeList {
public:
  static constexpr int kMaxTypes = 99;

  // The types in any order and the index of the default among them (-1 none).
  EventTypeList(const std::vector<std::string>& types, int defaultIndex);

  // The position the text was added at, or -1 when the list is full.
  int Add(const std::string& text);
  // Replaces the entry by the text at its sorted place; the new position.
  int Modify(int index, const std::string& text);
  void Delete(int index);
  void SetDefault(int index) { defaultName_ = index >= 0 && index < Count() ? index : -1; }
  void ClearDefault() { defaultName_ = -1; }

  int Count() const { return static_cast<int>(types_.size()); }
  const std::vector<std::string>& Types() const { return types_; }
  int Default() const { return defaultName_; }

private:
  int Insert(const std::string& text);

  std::vector<std::string> types_;
  int defaultName_ = -1; // position of the default entry
};
