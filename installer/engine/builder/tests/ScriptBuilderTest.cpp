#include <engine/builder/ScriptBuilder.h>
#include <engine/script/InstallScript.h>

#include <foundation/tests/memorystreams.h>

#include <gtest/gtest.h>

#include <string>

// Hand-computed byte images: a mistake shared by the builder and the loader would pass a round trip,
// but not these.

namespace {

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
    out += ' ';
  }
  return out;
}

std::string bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values)
    out.push_back(static_cast<char>(v));
  return out;
}

class ScriptBuilderTest : public testing::Test {
protected:
  void SetUp() override { RegisterEventTypes(); }
  void TearDown() override { ReleaseEventTypes(); }
};

TEST_F(ScriptBuilderTest, HeaderIsWidthByteThenVersion) {
  EXPECT_EQ(hex(bytes({0x20, 0x2e, 0x01, 0x00, 0x00})),
            hex(WriteScript(MinimalScript(302, 32)).bytes.substr(0, 5)));
  EXPECT_EQ(hex(bytes({0x10, 0x2c, 0x01})), hex(WriteScript(MinimalScript(300, 16)).bytes.substr(0, 3)));
}

TEST_F(ScriptBuilderTest, TextsOfLongForm) {
  EXPECT_EQ(hex(bytes({0xfe}) + std::string(254, 'a')), hex(WriteTextBytes(std::string(254, 'a'))));
  EXPECT_EQ(hex(bytes({0xff, 0xff, 0x00}) + std::string(255, 'a')),
            hex(WriteTextBytes(std::string(255, 'a'))));
}

DraftEvent runProgram() {
  DraftEvent event(7);
  event.fields.numbers = {2, 1, 0};
  event.fields.texts = {"a.exe", "", "", "", "rc"};
  return event;
}

TEST_F(ScriptBuilderTest, RunProgramEventWithoutWaitModeBefore301) {
  std::string common = bytes({7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, '1', 0});
  std::string tail = bytes({5, 'a', '.', 'e', 'x', 'e', 0, 0, 0, 2, 'r', 'c'});
  EXPECT_EQ(hex(common + bytes({2, 0, 0, 0, 0, 0, 0, 0}) + tail),
            hex(WriteEventBytes(runProgram(), 300, 32)));
  EXPECT_EQ(hex(common + bytes({2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}) + tail),
            hex(WriteEventBytes(runProgram(), 302, 32)));
}

TEST_F(ScriptBuilderTest, RunProgramEventReadsBackInBothVersions) {
  for (int version : {300, 302}) {
    memistream stream(WriteEventBytes(runProgram(), version, 32).substr(4));
    stream.version = version;
    ScriptReader reader(stream);
    Event event(*FindEventLayout(7));
    ASSERT_EQ(1, event.read(reader)) << version;
    EXPECT_EQ(2, event.number(0));
    EXPECT_EQ(version == 300 ? 0 : 1, event.number(1)) << version;
    EXPECT_STREQ("a.exe", event.text(0));
    EXPECT_STREQ("rc", event.text(4));
    EXPECT_EQ(0, reader.remaining());
  }
}

// The events whose layouts hold a list or a path, byte by byte as the event table lays them out: type
// 41 is a file reference list, four texts, a path and an int; type 3 thirteen ints, a file reference
// list, a list of paths and six texts. The base members come first: component-bound and log state
// ints, the condition and the comment.
TEST_F(ScriptBuilderTest, EventsWithListsAndPathsAreLaidOutByTheTable) {
  auto text = [](const std::string& value) { return bytes({static_cast<int>(value.size())}) + value; };
  auto u32 = [](int value) {
    return bytes({value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff, value >> 24});
  };
  std::string base = u32(0) + u32(0) + text("1") + text("");

  DraftEvent uninstall(41);
  uninstall.fields.references[0] = {3};
  uninstall.fields.texts = {"$i\\u", "G", "W", "1", "k"};
  uninstall.fields.numbers = {1};
  std::string uninstallImage = u32(41) + base + u32(1) + u32(3) + text("$i\\u") + text("G") + text("W") +
                               text("1") + text("k") + u32(1);

  DraftEvent files(3);
  for (int i = 0; i < 13; ++i)
    files.fields.numbers[static_cast<size_t>(i)] = i;
  files.fields.references[0] = {1, 2};
  files.fields.lists[0] = {"a", "bc"};
  files.fields.texts = {"s1", "d1", "", "", "", "x"};
  std::string filesImage = u32(3) + base;
  for (int i = 0; i < 13; ++i)
    filesImage += u32(i);
  filesImage += u32(2) + u32(1) + u32(2) + u32(2) + text("a") + text("bc") + text("s1") + text("d1") +
                text("") + text("") + text("") + text("x");

  struct Row {
    const char* name;
    const DraftEvent& event;
    const std::string& image;
  } rows[] = {{"type 41", uninstall, uninstallImage}, {"type 3", files, filesImage}};
  for (const Row& row : rows) {
    EXPECT_EQ(hex(row.image), hex(WriteEventBytes(row.event, 302, 32))) << row.name;
    memistream stream(row.image.substr(4));
    stream.version = 302;
    ScriptReader reader(stream);
    Event event(*FindEventLayout(row.event.id));
    ASSERT_EQ(1, event.read(reader)) << row.name;
    EXPECT_EQ(0, reader.remaining()) << row.name;
  }
  memistream stream(uninstallImage.substr(4));
  stream.version = 302;
  ScriptReader reader(stream);
  Event event(*FindEventLayout(41));
  ASSERT_EQ(1, event.read(reader));
  EXPECT_STREQ("1", event.text(3)) << "the append expression";
  EXPECT_STREQ("k", event.text(4)) << "the kept path";
  EXPECT_EQ(1, event.number(0)) << "the busy message";
}

TEST_F(ScriptBuilderTest, ComponentWithForwardReferenceIn16Bits) {
  Component component;
  component.kind = 1;
  component.text1 = "A";
  component.expression1 = "1";
  component.componentIndexes = {1};
  EXPECT_EQ(hex(bytes({1, 0, 0, 0, 0, 0, 1, 'A', 0, 1, '1', 0, 0, 0, 1, 0, 1, 0})),
            hex(WriteComponentBytes(component, 16)));
}

TEST_F(ScriptBuilderTest, FileEntryIn16Bits) {
  FileEntry entry;
  entry.firstPart = 1;
  entry.offset = 0x1234;
  entry.flags = 1;
  entry.packedSize = 0x100;
  entry.originalSize = 0x20000;
  entry.source = "a.txt";
  entry.target = "b.txt";
  std::string image = bytes({1, 0, 0x34, 0x12, 1,   0,   0,   1, 0,   0,   0,   0,   2,
                             0, 5, 'a',  '.',  't', 'x', 't', 5, 'b', '.', 't', 'x', 't'});
  EXPECT_EQ(hex(image), hex(WriteFileEntryBytes(entry, 16)));

  memistream stream(image, 1);
  ScriptReader reader(stream);
  FileEntry read;
  ASSERT_EQ(1, read.read(reader));
  EXPECT_EQ(1, read.firstPart);
  EXPECT_EQ(0x1234, read.offset);
  EXPECT_EQ(1, read.compressed());
  EXPECT_EQ(0x100, read.packedSize);
  EXPECT_EQ(0x20000, read.originalSize);
  EXPECT_EQ("b.txt", read.target);
}

} // namespace
