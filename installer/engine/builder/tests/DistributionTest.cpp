#include <engine/tests/ScriptSamples.h>

#include <engine/builder/Distribution.h>
#include <engine/builder/LibraryPacker.h>
#include <engine/operations/FileItemJob.h>
#include <foundation/files/lzpreader.h>

#include <engine/script/InstallScript.h>
#include <engine/tests/FileTimes.h>
#include <engine/tests/FolderArchive.h>
#include <engine/tests/InstallerFixture.h>
#include <engine/tests/TestFolders.h>
#include <foundation/tests/memorystreams.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using testsupport::ModalAnswerer;

namespace {

int FilesIn(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return 0;
  int count = 0;
  do
    count += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return count;
}

class DistributionTest : public testing::Test {
protected:
  void SetUp() override {
    RegisterEventTypes();
    testsupport::writeFile(dir.file("one.txt"), "first file");
    testsupport::writeFile(dir.file("two.txt"), "the second file");
    CreateDirectoryA(dir.file("out").c_str(), nullptr);
  }
  void TearDown() override { ReleaseEventTypes(); }

  std::string description(const std::string& extra) {
    return "# a test distribution\r\nproduct Tolvane\nstyle tolv\n" + extra + "file " + dir.file("one.txt") +
           " one.txt\nfile " + dir.file("two.txt") + " two.txt\nevent 19 name|value\nini p=a:\\ sz=77\n";
  }

  std::string member(const FileEntry& entry, int parts) {
    std::string archive;
    for (int n = 1; n <= parts; ++n)
      archive += testsupport::readFile(dir.file("out\\" + ArchivePartName("tolv", n, parts)));
    return archive.substr(static_cast<size_t>((entry.firstPart - 1) * (parts > 1 ? 8 : 0) + entry.offset),
                          static_cast<size_t>(entry.packedSize));
  }

  testsupport::TempDir dir;
};

// Each file's time goes into the script: members have no file of their own to take it from.
TEST_F(DistributionTest, OnePartDistributionLoads) {
  const unsigned long long times[] = {0x01D0000012345678ull, 0x01C0000087654321ull};
  ASSERT_TRUE(SetWriteTime(dir.file("one.txt"), times[0]));
  ASSERT_TRUE(SetWriteTime(dir.file("two.txt"), times[1]));
  Distribution distribution;
  std::string error;
  ASSERT_EQ(1, distribution.parse(description(""), error)) << error;
  ASSERT_EQ(1, distribution.write(dir.file("out"), nullptr, error)) << error;

  InstallScript script;
  RecordingReport report;
  ASSERT_EQ(1, LoadScriptFromFolder(script, dir.file("out").c_str(), report));
  EXPECT_EQ("Tolvane", script.product->name);
  ASSERT_EQ(2u, script.build->entries.size());
  EXPECT_EQ("first file", member(script.build->entries[0], 1));
  EXPECT_EQ("the second file", member(script.build->entries[1], 1));
  EXPECT_EQ(times[0], script.build->entries[0].time);
  EXPECT_EQ(times[1], script.build->entries[1].time);
  EXPECT_EQ(3, script.events.count());
  EXPECT_EQ(19, script.events.at(0)->type());
  EXPECT_STREQ("value", script.events.at(0)->text(1));
  EXPECT_EQ(0, script.build->currentstyle()->numbers[StyleNumberedBySet]);

  char text[64];
  GetPrivateProfileStringA("x", "p", "", text, sizeof text, dir.file("out\\kxmain.ini").c_str());
  EXPECT_STREQ("a:\\", text);
  EXPECT_EQ(77u, GetPrivateProfileIntA("x", "sz", 0, dir.file("out\\kxmain.ini").c_str()));
}

TEST_F(DistributionTest, MembersSpanNumberedParts) {
  Distribution distribution;
  std::string error;
  ASSERT_EQ(1, distribution.parse(description("part-size 8\n"), error)) << error;
  ASSERT_EQ(1, distribution.write(dir.file("out"), nullptr, error)) << error;
  EXPECT_EQ(4u, distribution.draft.build.styles[0].diskLabels.size());
  EXPECT_TRUE(testsupport::fileExists(dir.file("out\\tolv.004")));
  EXPECT_FALSE(testsupport::fileExists(dir.file("out\\tolv.exe")));
  const FileEntry& second = distribution.draft.build.entries[1];
  EXPECT_EQ(2, second.firstPart);
  EXPECT_EQ(2, second.offset);
  EXPECT_EQ("the second file", member(second, 4));
  EXPECT_EQ(1, distribution.draft.build.styles[0].numbers[StyleNumberedBySet]);
}

// Every entry names a part that is written, and the engine's archive opens each member where its entry
// says, an empty one at a part's end included.
TEST_F(DistributionTest, EmptyFilesAtAPartBoundaryLieInAWrittenPart) {
  testsupport::writeFile(dir.file("empty.txt"), "");
  struct Row {
    const char* name;
    const char* files; // '1' one.txt (10 bytes), 'e' empty.txt
    long partSize;
    int parts;
  } rows[] = {
      {"last file empty after a full part", "1e", 10, 1},
      {"last file empty after two full parts", "11e", 10, 2},
      {"empty file between full parts", "1e1", 10, 2},
      {"empty file inside a part", "1e1", 15, 2},
      {"only an empty file", "e", 10, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string text = "style tolv\npart-size " + std::to_string(row.partSize) + "\n";
    for (const char* file = row.files; *file; ++file)
      text += "file " + dir.file(*file == '1' ? "one.txt" : "empty.txt") + " f" +
              std::to_string(file - row.files) + "\n";
    std::string out = dir.file(std::string("out\\") + row.name);
    CreateDirectoryA(out.c_str(), nullptr);
    Distribution distribution;
    std::string error;
    ASSERT_EQ(1, distribution.parse(text, error)) << error;
    ASSERT_EQ(1, distribution.write(out, nullptr, error)) << error;
    int parts = static_cast<int>(distribution.draft.build.styles[0].diskLabels.size());
    EXPECT_EQ(row.parts, parts);
    FolderArchive archive(out, "tolv", parts, parts > 1);
    for (const FileEntry& entry : distribution.draft.build.entries) {
      SCOPED_TRACE(entry.target);
      EXPECT_LE(entry.firstPart, parts);
      archive.member(entry);
      ASSERT_EQ(1, archive.open());
      char bytes[32];
      EXPECT_EQ(entry.packedSize, archive.read(bytes, sizeof bytes));
      EXPECT_EQ(1, archive.ateof());
      archive.close();
    }
  }
}

TEST_F(DistributionTest, DescriptionErrorsNameTheLine) {
  const char* rows[] = {"unknown word",     "event 13 x",       "event 19 a|b|c",
                        "file only-source", "file a b archive", "ini q=1"};
  for (const char* row : rows) {
    Distribution distribution;
    std::string error;
    EXPECT_EQ(0, distribution.parse(std::string("product P\n") + row + "\n", error)) << row;
    EXPECT_EQ(std::string("line 2: ") + row, error);
  }
}

// The decompression library beside the programs.
class PackedDistributionTest : public DistributionTest {
protected:
  void SetUp() override {
    DistributionTest::SetUp();
    library = ProgramsFolder() + "\\lzpunz2.dll";
    previous = lzplibrary::setfilename(library.c_str());
  }
  void TearDown() override {
    lzplibrary::setfilename(previous);
    DistributionTest::TearDown();
  }

  std::string library;
  const char* previous = nullptr;
};

TEST_F(PackedDistributionTest, CompressedMembersReadBackThroughTheLibrary) {
  std::string text(5000, 'a');
  testsupport::writeFile(dir.file("big.txt"), text);
  Distribution distribution;
  LibraryPacker packer;
  std::string error;
  ASSERT_EQ(1, distribution.parse("style tolv\nfile " + dir.file("big.txt") + " big.txt compress\n", error));
  ASSERT_EQ(1, distribution.write(dir.file("out"), &packer, error)) << error;
  const FileEntry& entry = distribution.draft.build.entries.at(0);
  EXPECT_EQ(1, entry.compressed());
  EXPECT_EQ(5000, entry.originalSize);
  EXPECT_LT(entry.packedSize, 200);
  EXPECT_EQ(1, distribution.draft.events.at(0).fields.numbers[2]) << "sizes counted packed";

  memistream bytes(member(entry, 1));
  lzpreader reader;
  ASSERT_EQ(1, reader.open(bytes));
  std::string unpacked(6000, '\0');
  int n = 0, total = 0;
  while ((n = reader.read(&unpacked[total], 6000 - total)) > 0)
    total += n;
  EXPECT_EQ(0, n);
  EXPECT_EQ(text, unpacked.substr(0, total));
}

// kxbuild records a check of every member; a byte flipped inside a stored or a compressed member then
// fails its copy with words that say the distribution is damaged, and nothing of it stays: a new
// target is not made, an existing one keeps its bytes. The undamaged members install.
TEST_F(PackedDistributionTest, AMemberWithAFlippedByteFailsItsCopyAndLeavesNothing) {
  testsupport::writeFile(dir.file("stored.txt"), Text(9000, 3));
  testsupport::writeFile(dir.file("packed.txt"), Text(9000, 5));
  Distribution distribution;
  LibraryPacker packer;
  std::string error;
  ASSERT_EQ(1, distribution.parse("style tolv\nfile " + dir.file("stored.txt") + " stored.txt\nfile " +
                                      dir.file("packed.txt") + " packed.txt compress\n",
                                  error));
  ASSERT_EQ(1, distribution.write(dir.file("out"), &packer, error)) << error;
  InstallScript script;
  RecordingReport report;
  ASSERT_EQ(1, LoadScriptFromFolder(script, dir.file("out").c_str(), report));
  ASSERT_EQ(2u, script.build->entries.size());
  const std::string archive = dir.file("out\\tolv.exe"), good = testsupport::readFile(archive);

  struct Row {
    const char* name;
    size_t entry;
    int damaged;
    int targetThere;
  } rows[] = {
      {"a stored member, intact", 0, 0, 0},           {"a compressed member, intact", 1, 0, 0},
      {"a stored member, a new target", 0, 1, 0},     {"a stored member over an existing file", 0, 1, 1},
      {"a compressed member, a new target", 1, 1, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const FileEntry& entry = script.build->entries[row.entry];
    std::string bytes = good;
    if (row.damaged)
      bytes[static_cast<size_t>(entry.offset + entry.packedSize / 2)] ^= 0x20;
    testsupport::writeFile(archive, bytes);
    InstallerFixture f;
    std::string target = f.file("app\\" + entry.target);
    if (row.targetThere) {
      CreateDirectoryA(f.file("app").c_str(), nullptr);
      testsupport::writeFile(target, "the user's older file");
    }
    FolderArchive parts(dir.file("out"), "tolv", 1, 0);
    FileItemSetting setting;
    setting.archive = &parts;
    FileInstallRecord record{};
    record.options[CopyFromArchive] = 1;
    record.entry = &entry;
    record.target = target.c_str();
    ModalAnswerer answerer;
    if (row.damaged)
      answerer.answer("The distribution is damaged: " + entry.source + " does not match its check.", IDOK);
    EXPECT_EQ(!row.damaged, RunFileItem(f.installer, record, setting));
    EXPECT_EQ(0u, answerer.pending()) << answerer.describeSeen();
    if (!row.damaged)
      EXPECT_TRUE(testsupport::readFile(dir.file(entry.source)) == testsupport::readFile(target));
    else if (row.targetThere)
      EXPECT_EQ("the user's older file", testsupport::readFile(target));
    else
      EXPECT_FALSE(testsupport::fileExists(target));
    EXPECT_EQ(row.damaged ? row.targetThere : 1, FilesIn(f.file("app")))
        << "no temporary or backup file stays";
  }
}

TEST_F(PackedDistributionTest, AFilesWordsSetItsEntrysFlags) {
  struct Row {
    const char* words;
    int flags; // bit 0 compressed, bits 1-3 read-only, hidden, system
  } rows[] = {{"", 0},
              {" readonly", 1 << 1},
              {" hidden system", 6 << 1},
              {" system readonly hidden", 7 << 1},
              {" compress readonly", 1 | 1 << 1}};
  for (const Row& row : rows) {
    Distribution distribution;
    LibraryPacker packer;
    std::string error;
    ASSERT_EQ(1, distribution.parse("file " + dir.file("one.txt") + " one.txt" + row.words + "\n", error))
        << error;
    ASSERT_EQ(1, distribution.write(dir.file("out"), &packer, error)) << error;
    EXPECT_EQ(row.flags, distribution.draft.build.entries.at(0).flags) << row.words;
  }
}

// In 16 bits an offset of 40 000 would read back as -25 536: such a description is refused and
// nothing is written; one whose values fit loads with them as they were.
TEST_F(DistributionTest, ValuesThatDoNotFitWidth16AreRefused) {
  testsupport::writeFile(dir.file("big.bin"), std::string(40000, 'b'));
  struct Row {
    const char* name;
    const char* extra;
    int writes;
  } rows[] = {
      {"an offset of 40 000", "width 16\n", 0},
      {"an event int of 40 000", "width 16\nevent 8 40000|0|0\n", 0},
      {"offsets below 32768", "width 16\n", 1},
  };
  std::string out = dir.file("out");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string text = description(row.extra);
    if (row.writes == 0 && std::strstr(row.name, "offset"))
      text = "width 16\nproduct P\nstyle tolv\nfile " + dir.file("big.bin") + " big.bin\nfile " +
             dir.file("one.txt") + " one.txt\nini p=a:\\ sz=77\n";
    Distribution distribution;
    std::string error;
    ASSERT_EQ(1, distribution.parse(text, error)) << error;
    EXPECT_EQ(row.writes, distribution.write(out, nullptr, error)) << error;
    EXPECT_EQ(row.writes == 1, testsupport::fileExists(out + "\\install.inf"));
    if (!row.writes) {
      EXPECT_NE(std::string::npos, error.find("does not fit width 16")) << error;
      continue;
    }
    InstallScript script;
    RecordingReport report;
    ASSERT_EQ(1, LoadScriptFromFolder(script, out.c_str(), report));
    EXPECT_EQ("the second file", member(script.build->entries[1], 1));
  }
}

TEST_F(DistributionTest, CompressionWithoutAPackerIsRefused) {
  Distribution distribution;
  std::string error;
  ASSERT_EQ(1, distribution.parse("file " + dir.file("one.txt") + " one.txt compress\n", error));
  EXPECT_EQ(0, distribution.write(dir.file("out"), nullptr, error));
  EXPECT_EQ("cannot compress " + dir.file("one.txt"), error);
}

} // namespace
