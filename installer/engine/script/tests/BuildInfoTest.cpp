#include <engine/tests/ScriptSamples.h>
#include <foundation/tests/memorystreams.h>

#include <engine/script/InstallScript.h>

#include <gtest/gtest.h>

namespace {

class BuildInfoTest : public testing::Test {
protected:
  void SetUp() override { RegisterEventTypes(); }
  void TearDown() override { ReleaseEventTypes(); }

  int load(const ScriptDraft& draft) {
    memistream stream(WriteScript(draft).bytes);
    return script.read(stream);
  }

  InstallScript script;
};

struct StyleRow {
  const char* name;
  int number;
  int value;
  int loads;
};

TEST_F(BuildInfoTest, BuildStyleValidity) {
  const StyleRow rows[] = {
      {"kind 25", StyleKind, 25, 1},      {"kind 26", StyleKind, 26, 0},
      {"kind -1", StyleKind, -1, 0},      {"flag 1", StyleFlag, 1, 1},
      {"flag 2", StyleFlag, 2, 0},        {"mode 2", StyleMode, 2, 1},
      {"mode 3", StyleMode, 3, 0},        {"number 0", StyleNumber1, 0, 1},
      {"number -1", StyleNumber3, -1, 0}, {"run mode 4", StyleRunMode, 4, 1},
      {"run mode 5", StyleRunMode, 5, 0}, {"run mode -1", StyleRunMode, -1, 0},
  };
  for (const StyleRow& row : rows) {
    ScriptDraft draft = MinimalScript();
    draft.build.styles[0].numbers[row.number] = row.value;
    EXPECT_EQ(row.loads, load(draft)) << row.name;
  }
}

TEST_F(BuildInfoTest, NegativeOffsetsAndSizesAreRefused) {
  struct Row {
    const char* name;
    int offset;
    long packed, original;
    int loads;
  } rows[] = {
      {"all zero", 0, 0, 0, 1},
      {"negative offset", -1, 10, 10, 0},
      {"negative packed size", 0, -5, 10, 0},
      {"negative original size", 0, 10, -2147483647 - 1, 0},
  };
  for (const Row& row : rows) {
    ScriptDraft draft = MinimalScript();
    draft.build.entries.push_back({1, row.offset, 0, row.packed, row.original, "a.bin", "a.txt"});
    EXPECT_EQ(row.loads, load(draft)) << row.name;
  }
}

TEST_F(BuildInfoTest, RunModesTranslateAndMakeTheBuildUnattended) {
  const int expected[] = {0, 1, 1, 2, 2};
  for (int stored = 0; stored < 5; ++stored) {
    ScriptDraft draft = MinimalScript();
    draft.build.styles[0].numbers[StyleRunMode] = stored;
    ASSERT_EQ(1, load(draft));
    EXPECT_EQ(expected[stored], script.build->currentstyle()->numbers[StyleRunMode]) << stored;
    EXPECT_EQ(stored != 0, script.build->currentstyle()->unattended()) << stored;
  }
}

TEST_F(BuildInfoTest, ReferencesOutsideTheirListsResolveToNone) {
  ScriptDraft draft = RichScript(302, 32);
  draft.build.styles[0].references.indexes = {1, 9, 0};
  draft.build.currentStyleIndex = 4;
  draft.components.resize(3);
  draft.components[0].eventIndexes = {0, 2, 70000};
  draft.components[0].componentIndexes = {2, 5};
  ASSERT_EQ(1, load(draft));
  EXPECT_EQ(nullptr, script.build->currentstyle());
  auto entries = script.build->resolve(script.build->styles[0].references);
  ASSERT_EQ(2u, entries.size());
  EXPECT_EQ("b.txt", entries[0]->target);
  EXPECT_EQ("a.txt", entries[1]->target);
  Component* first = script.components.at(0);
  EXPECT_EQ((std::vector<int>{0}), first->events);
  EXPECT_EQ((std::vector<unsigned>{0, 2, 70000}), first->eventIndexes);
  ASSERT_EQ(1u, first->subcomponents.size());
  EXPECT_EQ(script.components.at(2), first->subcomponents[0]);
  EXPECT_EQ(nullptr, script.components.at(3));
}

TEST_F(BuildInfoTest, ComponentCyclesAreRefused) {
  struct Row {
    const char* name;
    std::vector<std::vector<unsigned>> subs;
    int loads;
  };
  const Row rows[] = {
      {"forward chain", {{1}, {2}, {}}, 1},
      {"shared child", {{2}, {2}, {}}, 1},
      {"itself", {{0}}, 0},
      {"two steps back", {{1}, {2}, {0}}, 0},
  };
  for (const Row& row : rows) {
    ScriptDraft draft = MinimalScript();
    for (const auto& subs : row.subs) {
      Component component;
      component.componentIndexes = subs;
      draft.components.push_back(component);
    }
    EXPECT_EQ(row.loads, load(draft)) << row.name;
  }
}

TEST_F(BuildInfoTest, VersionWithoutLeadingControlList) {
  ScriptDraft draft = RichScript(301, 16);
  ASSERT_EQ(1, load(draft));
  EXPECT_TRUE(script.dialogs.controls.empty());
  EXPECT_EQ(1u, script.dialogs.dialogs[0].controls.size());
  draft.version = 302;
  ASSERT_EQ(1, load(draft));
  EXPECT_EQ(1u, script.dialogs.controls.size());
}

} // namespace
