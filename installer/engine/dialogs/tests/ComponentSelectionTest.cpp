#include <engine/dialogs/ComponentSelection.h>

#include <gtest/gtest.h>

namespace {

ComponentShape Leaf(long checked, std::vector<int> events = {}) {
  ComponentShape shape;
  shape.holdsEvents = 1;
  shape.checked = checked;
  shape.events = std::move(events);
  return shape;
}

ComponentShape Group(std::vector<int> subs) {
  ComponentShape shape;
  shape.subcomponents = std::move(subs);
  return shape;
}

// The tree as text: component, state, children in brackets.
std::string Describe(const std::vector<ComponentNode>& nodes) {
  std::string text;
  for (const ComponentNode& node : nodes) {
    text += std::to_string(node.component) + ":" + std::to_string(node.checked);
    if (!node.children.empty())
      text += "[" + Describe(node.children) + "]";
    text += " ";
  }
  return text;
}

TEST(ComponentTreeTest, BuildsFromAnyShapeAndAlwaysEnds) {
  struct Row {
    const char* name;
    std::vector<ComponentShape> components;
    std::string tree;
  } rows[] = {
      {"none", {}, ""},
      {"leaves", {Leaf(1), Leaf(0)}, "0:1 1:0 "},
      {"a forward reference", {Group({1, 2}), Leaf(1), Leaf(7)}, "0:1[1:1 2:1 ] "},
      {"mixed states", {Group({1, 2}), Leaf(1), Leaf(0)}, "0:2[1:1 2:0 ] "},
      {"a shared component appears under both groups",
       {Group({2}), Group({2}), Leaf(1)},
       "0:1[2:1 ] 1:1[2:1 ] "},
      {"a cycle is left out", {Group({1}), Group({0}), Leaf(1)}, "2:1 "},
      {"a self-reference is left out", {Group({0}), Leaf(0)}, "1:0 "},
      {"a bad index is left out", {Group({5}), Group({-1}), Leaf(1)}, "2:1 "},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.tree, Describe(BuildComponentTree(row.components))) << row.name;
}

TEST(ComponentTreeTest, StatesAndBoxKindsFromExpressionsAreNormalised) {
  ComponentShape odd = Leaf(-7);
  odd.boxKind = 5;
  std::vector<ComponentNode> tree = BuildComponentTree({odd});
  ASSERT_EQ(1u, tree.size());
  EXPECT_EQ(1, tree[0].checked);
  EXPECT_EQ(0, tree[0].boxKind);
}

TEST(ComponentTreeTest, AConfirmedSelectionEnablesTheCheckedComponentsEvents) {
  std::vector<ComponentShape> components = {Leaf(1, {0, 1}), Leaf(0, {2}), Group({0, 1})};
  std::vector<int> bound = {1, 1, 1, 0};
  std::vector<int> enabled(4, 1);
  ApplySelection(components, {0, 2}, bound, enabled);
  EXPECT_EQ((std::vector<int>{1, 1, 0, 1}), enabled);
  ApplySelection(components, {}, bound, enabled);
  EXPECT_EQ((std::vector<int>{0, 0, 0, 1}), enabled);
}

TEST(ComponentTreeTest, DriveLinesHoldLargeDrives) {
  EXPECT_EQ("c:     0Mb +   10Kb", DriveLine('c', 1));
  EXPECT_EQ("e:  8192Mb +    2Kb", DriveLine('e', 838861));
  // Ten times the units no longer fits in 32 bits.
  EXPECT_EQ("g: 9765625Mb +    0Kb", DriveLine('g', 1000000000ULL));
}

} // namespace
