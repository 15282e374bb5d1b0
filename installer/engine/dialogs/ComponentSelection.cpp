#include <engine/dialogs/ComponentSelection.h>

#include <cstdio>

namespace {

int GroupState(const std::vector<ComponentNode>& children) {
  int any = 0, all = 1;
  for (const ComponentNode& child : children) {
    any |= child.checked != 0;
    all &= child.checked == 1;
  }
  if (children.empty() || all)
    return children.empty() ? 0 : 1;
  return any ? 2 : 0;
}

} // namespace

std::vector<ComponentNode> BuildComponentTree(const std::vector<ComponentShape>& components) {
  size_t n = components.size();
  std::vector<ComponentNode> nodes(n);
  std::vector<int> built(n, 0), placed(n, 0);
  for (int added = 1; added;) {
    added = 0;
    for (size_t i = 0; i < n; ++i) {
      if (built[i])
        continue;
      const ComponentShape& shape = components[i];
      ComponentNode node;
      node.component = static_cast<int>(i);
      node.holdsEvents = shape.holdsEvents != 0;
      // A kind no box has is the grey box, which the user cannot change.
      node.boxKind = shape.boxKind >= 0 && shape.boxKind <= 2 ? static_cast<int>(shape.boxKind) : 0;
      node.name = shape.name;
      node.description = shape.description;
      if (shape.holdsEvents) {
        node.checked = shape.checked != 0;
      } else {
        int ready = 1;
        for (int sub : shape.subcomponents)
          ready &= sub >= 0 && static_cast<size_t>(sub) < n && static_cast<size_t>(sub) != i && built[sub];
        if (!ready)
          continue;
        for (int sub : shape.subcomponents) {
          node.children.push_back(nodes[static_cast<size_t>(sub)]);
          placed[static_cast<size_t>(sub)] = 1;
        }
        node.checked = GroupState(node.children);
      }
      nodes[i] = node;
      built[i] = 1;
      added = 1;
    }
  }
  std::vector<ComponentNode> roots;
  for (size_t i = 0; i < n; ++i)
    if (built[i] && !placed[i])
      roots.push_back(nodes[i]);
  return roots;
}

void ApplySelection(const std::vector<ComponentShape>& components, const std::vector<int>& checkedComponents,
                    const std::vector<int>& componentBound, std::vector<int>& enabled) {
  for (size_t e = 0; e < enabled.size() && e < componentBound.size(); ++e)
    if (componentBound[e])
      enabled[e] = 0;
  for (int c : checkedComponents) {
    if (c < 0 || static_cast<size_t>(c) >= components.size() ||
        !components[static_cast<size_t>(c)].holdsEvents)
      continue;
    for (int e : components[static_cast<size_t>(c)].events)
      if (e >= 0 && static_cast<size_t>(e) < enabled.size())
        enabled[static_cast<size_t>(e)] = 1;
  }
}

std::string DriveLine(char letter, unsigned long long freeUnits) {
  unsigned long long kb = freeUnits * 10;
  char line[64];
  std::snprintf(line, sizeof line, "%c: %5lluMb + %4lluKb", letter, kb >> 10, kb & 1023);
  return line;
}
