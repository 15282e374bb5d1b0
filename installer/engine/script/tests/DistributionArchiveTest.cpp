#include <engine/tests/FolderArchive.h>

#include <gtest/gtest.h>

namespace {

// Which file a member starts in and which one it runs on into.
TEST(DistributionArchiveTest, MembersStartInTheirPartsFileAndRunOnByNumber) {
  struct Row {
    const char* name;
    int numbered, parts, firstPart;
    const char* first;
    const char* next;
  } rows[] = {
      {"one unnumbered file", 0, 1, 1, "c:\\src\\data.exe", "c:\\src\\data.001"},
      {"numbered parts", 1, 3, 1, "c:\\src\\data.001", "c:\\src\\data.002"},
      {"a member starting in a later part", 1, 3, 2, "c:\\src\\data.002", "c:\\src\\data.003"},
      {"one numbered part", 1, 1, 1, "c:\\src\\data.001", "c:\\src\\data.002"},
      {"more parts, unnumbered", 0, 3, 1, "c:\\src\\data.exe", "c:\\src\\data.001"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    FolderArchive archive("c:\\src", "data", row.parts, row.numbered);
    FileEntry entry{row.firstPart, 0, 0, 10, 10, "a", "a"};
    archive.member(entry);
    fpathbuf first, next;
    ASSERT_EQ(1, archive.partname(0, first));
    ASSERT_EQ(1, archive.partname(1, next));
    EXPECT_STREQ(row.first, first.str());
    EXPECT_STREQ(row.next, next.str());
  }
}

} // namespace
