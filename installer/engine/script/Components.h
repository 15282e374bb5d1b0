#pragma once

#include <engine/script/ScriptReader.h>

#include <string>
#include <vector>

// The install components. A component either holds events (indexes into the script's event list) or
// sub-components (indexes into this list, forward ones included). Indexes outside their lists are
// kept as stored but left out of the resolved lists; a component that contains itself, directly or
// through others, fails the load.

struct Component {
  int kind = 0;
  int holdsEvents = 0;
  int flags = 0;
  std::string text1;
  std::string text2;
  std::string expression1;
  std::string expression2;
  std::vector<unsigned> eventIndexes;     // as stored
  std::vector<unsigned> componentIndexes; // as stored
  std::vector<int> events;                // resolved: the valid event indexes
  std::vector<Component*> subcomponents;  // resolved: the valid components

  int read(ScriptReader& reader);
};

class ComponentList {
public:
  ComponentList() = default;
  ComponentList(const ComponentList&) = delete;
  ComponentList& operator=(const ComponentList&) = delete;

  // Two passes: the count creates the components, then each reads its members, so that a component
  // index may point forward. `eventCount` bounds the event indexes.
  int read(ScriptReader& reader, int eventCount);
  void clear() { components_.clear(); }
  int count() const { return static_cast<int>(components_.size()); }
  Component* at(int index) {
    return index >= 0 && index < count() ? &components_[static_cast<size_t>(index)] : nullptr;
  }
  int indexof(const Component* component) const;
  std::vector<Component>& all() { return components_; }

private:
  int hascycle() const;

  std::vector<Component> components_;
};
