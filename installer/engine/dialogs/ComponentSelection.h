#pragma once

#include <string>
#include <vector>

// The component selection's pieces that need no window: the check tree built from the script's
// components, the enable array that a confirmed selection gives, and the dialog's drive lines.

struct ComponentShape {
  int holdsEvents = 0;
  std::vector<int> subcomponents; // indexes as stored, bad ones included
  std::vector<int> events;        // for a component that holds events
  long checked = 0;               // the first expression's value
  long boxKind = 0;               // the second expression's value
  std::string name;               // the first text, expanded
  std::string description;        // the second text, expanded
};

struct ComponentNode {
  int component = -1;
  int holdsEvents = 0;
  int checked = 0; // 0, 1, or 2 for a group whose children differ
  int boxKind = 0; // 0 grey, 1 normal, 2 none
  std::string name;
  std::string description;
  std::vector<ComponentNode> children;
};

// How this works: passes over the components give a leaf to every component that holds events and a
// branch to a group once all its sub-components have nodes; a sub-component already placed under
// another group is copied, so a shared component appears under each of its groups. A pass that adds
// nothing ends the building, so cycles, self-references and bad indexes leave their components out
// instead of looping. Nodes without a parent are the roots, in component order.
std::vector<ComponentNode> BuildComponentTree(const std::vector<ComponentShape>& components);

// The enable array after a confirmed selection: component-bound events off, then every event of each
// checked component that holds events on.
void ApplySelection(const std::vector<ComponentShape>& components, const std::vector<int>& checkedComponents,
                    const std::vector<int>& componentBound, std::vector<int>& enabled);

// "c: %5uMb + %4uKb" for free space in units of 10 KB, without overflowing for large drives.
std::string DriveLine(char letter, unsigned long long freeUnits);
