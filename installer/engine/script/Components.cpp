#include <engine/script/Components.h>

#include <engine/script/ScriptSchema.h>

namespace {

int readIndexes(ScriptReader& reader, std::vector<unsigned>& indexes) {
  long n;
  if (!reader.count('i', reader.layout16() ? 2 : 4, n))
    return 0;
  indexes.assign(static_cast<size_t>(n), 0);
  for (unsigned& index : indexes)
    if (!reader.uinteger(index))
      return 0;
  return 1;
}

} // namespace

int Component::read(ScriptReader& reader) {
  return reader.integer(kind) && reader.integer(holdsEvents) && reader.integer(flags) && reader.text(text1) &&
         reader.text(text2) && reader.text(expression1) && reader.text(expression2) &&
         readIndexes(reader, eventIndexes) && readIndexes(reader, componentIndexes);
}

int ComponentList::read(ScriptReader& reader, int eventCount) {
  clear();
  long n;
  if (!reader.count('u', MinimumFieldBytes(ComponentFields, reader.layout16()), n))
    return 0;
  components_.resize(static_cast<size_t>(n));
  for (Component& component : components_)
    if (!component.read(reader))
      return 0;
  for (Component& component : components_) {
    for (unsigned index : component.eventIndexes)
      if (index < static_cast<unsigned>(eventCount))
        component.events.push_back(static_cast<int>(index));
    for (unsigned index : component.componentIndexes)
      if (index < components_.size())
        component.subcomponents.push_back(&components_[index]);
  }
  return !hascycle();
}

int ComponentList::indexof(const Component* component) const {
  for (size_t i = 0; i < components_.size(); ++i)
    if (&components_[i] == component)
      return static_cast<int>(i);
  return -1;
}

int ComponentList::hascycle() const {
  // Depth-first colouring: 1 on the current path, 2 finished. A sub-component met on the path closes
  // a cycle. An explicit stack keeps deep chains off the call stack.
  std::vector<char> colour(components_.size(), 0);
  for (size_t root = 0; root < components_.size(); ++root) {
    if (colour[root])
      continue;
    std::vector<std::pair<size_t, size_t>> path{{root, 0}};
    colour[root] = 1;
    while (!path.empty()) {
      auto& [node, next] = path.back();
      const auto& subs = components_[node].subcomponents;
      if (next == subs.size()) {
        colour[node] = 2;
        path.pop_back();
        continue;
      }
      size_t child = static_cast<size_t>(subs[next++] - components_.data());
      if (colour[child] == 1)
        return 1;
      if (colour[child] == 0) {
        colour[child] = 1;
        path.emplace_back(child, 0);
      }
    }
  }
  return 0;
}
