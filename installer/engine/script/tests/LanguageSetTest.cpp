#include <engine/tests/TestFolders.h>
#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/memorystreams.h>

#include <engine/script/LanguageSet.h>
#include <engine/script/ScriptSchema.h>
#include <foundation/strings/textresource.h>
#include <tests/support/TempDir.h>

#include <kxlang/kxlangids.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(LanguageSetTest, CodesMapThroughBothTables) {
  struct Row {
    const char* code;
    int index;
  } rows[] = {{"deu", 1}, {"RUS", 13}, {"frc", 5}, {"FRC", 5}, {"enc", 3}, {"ena", 2},
              {"esv", 4}, {"nlb", 7},  {"xxx", 3}, {"zzz", 3}, {"", 3}};
  for (const Row& row : rows)
    EXPECT_EQ(row.index, MapLanguageCode(row.code)) << row.code;
  EXPECT_EQ(11, LanguageIndexOfName("finish"));
  EXPECT_EQ(-1, LanguageIndexOfCode("frc"));
}

TEST(LanguageSetTest, IndexOutOfRangeIsAFailedCheck) {
  CheckRecorder checks;
  EXPECT_STREQ("rus", LanguageCode(13));
  EXPECT_STREQ("", LanguageCode(14));
  EXPECT_STREQ("", LanguageName(-1));
  ASSERT_EQ(2u, checks.seen.size());
  EXPECT_EQ("LANGSET", checks.seen[0].first);
}

TEST(LanguageSetTest, ChoiceFollowsTheSystemWhenOffered) {
  LanguageSet german;
  german.defaultLanguage = 1;
  german.offered[1] = 1;
  EXPECT_EQ(1, german.choose(5));
  german.offered[5] = 1;
  EXPECT_EQ(5, german.choose(5));
}

std::string ints(std::initializer_list<int> values, int count) {
  std::string out;
  for (int v : values)
    out += std::string(1, static_cast<char>(v)) + std::string(3, '\0');
  for (int i = static_cast<int>(values.size()); i < count; ++i)
    out += std::string("\x01\0\0\0", 4);
  return out;
}

TEST(LanguageSetTest, StoredFormByVersion) {
  struct Row {
    int version;
    int entries;
  } rows[] = {{300, 11}, {301, 11}, {302, 20}};
  for (const Row& row : rows) {
    memistream stream(ints({2}, row.entries) + "rest");
    stream.version = row.version;
    ScriptReader reader(stream);
    LanguageSet set;
    ASSERT_EQ(1, set.read(reader)) << row.version;
    EXPECT_EQ(4, reader.remaining()) << row.version;
    EXPECT_EQ(2, set.defaultLanguage);
    EXPECT_EQ(1, set.offered[9]);
    EXPECT_EQ(row.version == 302, set.offered[13]) << row.version;
  }
  memistream stream(ints({14}, 20));
  stream.version = 302;
  ScriptReader reader(stream);
  LanguageSet set;
  EXPECT_EQ(0, set.read(reader));
}

// The German language library, copied in from beside the programs as the only one there is.
class LanguageLibraryTest : public testing::Test {
protected:
  void SetUp() override {
    std::string library = ProgramsFolder() + "\\kxdeu.dll";
    ASSERT_TRUE(CopyFileA(library.c_str(), dir.file("kxdeu.dll").c_str(), FALSE));
  }

  testsupport::TempDir dir;
};

TEST_F(LanguageLibraryTest, ChosenLibraryBecomesTheResourceModule) {
  EXPECT_EQ(EngineModule(), ResourceModule());
  {
    LanguageLibrary library;
    EXPECT_EQ(0, library.loaded());
    ASSERT_EQ(1, library.LoadResourceDll(dir.path().c_str(), 1, "kx%s.dll"));
    EXPECT_EQ(1, library.loaded());
    char text[TextSize];
    LoadText(text, TEXT_ERROR);
    EXPECT_STREQ("Fehler", text);
  }
  EXPECT_EQ(EngineModule(), ResourceModule());
}

TEST_F(LanguageLibraryTest, MissingLibraryKeepsTheProgramsOwnResources) {
  LanguageLibrary library;
  EXPECT_EQ(0, library.LoadResourceDll(dir.path().c_str(), 5, "kx%s.dll"));
  EXPECT_EQ(0, library.loaded());
  EXPECT_EQ(EngineModule(), ResourceModule());
}

} // namespace
