#include "FolderArchive.h"
#include "InstallerFixture.h"

#include <FileItemJob.h>
#include <LibraryPacker.h>
#include <ModalAnswerer.h>
#include <checkrecorder.h>
#include <lzplibrary.h>

#include <gtest/gtest.h>

#include <windows.h>

using testsupport::fileExists;
using testsupport::ModalAnswerer;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

// The bytes packed through the library's writing side.
std::string Pack(const std::string& data) {
  std::string packed;
  EXPECT_EQ(1, LibraryPacker().pack(data, packed));
  return packed;
}

std::string Text(int size, int seed) {
  std::string text;
  for (int i = 0; text.size() < static_cast<size_t>(size); ++i)
    text += "line " + std::to_string(i * seed) + " of the file\r\n";
  text.resize(static_cast<size_t>(size));
  return text;
}

class FileItemJobTest : public ::testing::Test {
protected:
  FileInstallRecord Record(const FileEntry* entry, const std::string& target) {
    FileInstallRecord record{};
    record.options[CopyFromArchive] = entry != nullptr;
    record.options[CopyRetry] = 0;
    record.entry = entry;
    targets.push_back(target);
    record.target = targets.back().c_str();
    return record;
  }

  InstallerFixture f;
  FileItemSetting setting;
  std::vector<std::string> targets{std::vector<std::string>(0)};
};

TEST_F(FileItemJobTest, ArchiveMembersStoredAndCompressedAcrossParts) {
  std::string one = Text(3000, 3), two = Text(50000, 7), three = Text(100, 11);
  std::string packedTwo = Pack(two);
  // Parts of 4000 bytes: one stored, two packed, three stored.
  std::string archive = one + packedTwo + three;
  CreateDirectoryA(f.file("src").c_str(), nullptr);
  int partCount = static_cast<int>((archive.size() + 3999) / 4000);
  for (int part = 0; part < partCount; ++part)
    writeFile(f.file("src\\data." + std::string(part < 9 ? "00" : "0") + std::to_string(part + 1)),
              archive.substr(static_cast<size_t>(part) * 4000, 4000));
  FolderArchive parts(f.file("src"), "data", partCount, 1);
  setting.archive = &parts;
  long twoAt = 3000, threeAt = static_cast<long>(3000 + packedTwo.size());
  FileEntry entries[3];
  entries[0] = {1, 0, 0, 3000, 3000, "one", "one"};
  entries[1] = {1, static_cast<int>(twoAt), 1, static_cast<long>(packedTwo.size()), 50000, "two", "two"};
  entries[2] = {
      static_cast<int>(threeAt / 4000) + 1, static_cast<int>(threeAt % 4000), 0, 100, 100, "three", "three"};
  ASSERT_GT(partCount, 2);
  f.installer.quiet = 1;
  const std::string* expected[] = {&one, &two, &three};
  for (int i = 0; i < 3; ++i) {
    std::string target = f.file("out\\file" + std::to_string(i));
    EXPECT_EQ(1, RunFileItem(f.installer, Record(&entries[i], target), setting)) << i;
    EXPECT_TRUE(*expected[i] == readFile(target)) << i;
  }
}

TEST_F(FileItemJobTest, PlainCompressedFileAndTruncatedMember) {
  std::string data = Text(10000, 5), packed = Pack(data);
  writeFile(f.file("app.ex_"), packed);
  FileEntry entry{1, 0, 1, static_cast<long>(packed.size()), 10000, "app.exe", "app.exe"};
  FileInstallRecord record = Record(&entry, f.file("out\\app.exe"));
  record.options[CopyFromArchive] = 0;
  std::string source = f.file("app.exe");
  record.source = source.c_str();
  EXPECT_EQ(1, RunFileItem(f.installer, record, setting));
  EXPECT_TRUE(data == readFile(f.file("out\\app.exe")));

  // The packed bytes cut short: the library must not install a short file.
  writeFile(f.file("src.exe"), packed.substr(0, packed.size() / 2));
  FolderArchive archive(f.dir.path(), "src", 1, 0);
  setting.archive = &archive;
  FileEntry cut{1, 0, 1, static_cast<long>(packed.size()), 10000, "x", "x"};
  f.installer.quiet = 1;
  CheckRecorder checks;
  EXPECT_EQ(0, RunFileItem(f.installer, Record(&cut, f.file("out\\cut.exe")), setting));
  EXPECT_EQ((std::vector<CheckRecorder::Pair>{{"BSFSPN", 131}}), checks.seen) << "the archive ends early";
  EXPECT_FALSE(fileExists(f.file("out\\cut.exe")));
}

TEST_F(FileItemJobTest, WithoutTheLibraryOnlyCompressedFilesFail) {
  std::string packed = Pack("abc");
  writeFile(f.file("data.exe"), "stored" + packed);
  FolderArchive archive(f.dir.path(), "data", 1, 0);
  setting.archive = &archive;
  FileEntry stored{1, 0, 0, 6, 6, "s", "s"};
  FileEntry compressed{1, 6, 1, static_cast<long>(packed.size()), 3, "c", "c"};
  const char* previous = lzplibrary::setfilename("kxnolibrary.dll");
  f.installer.quiet = 1;
  EXPECT_EQ(1, RunFileItem(f.installer, Record(&stored, f.file("s")), setting));
  EXPECT_EQ(0, RunFileItem(f.installer, Record(&compressed, f.file("c")), setting));
  lzplibrary::setfilename(previous);
  EXPECT_EQ("stored", readFile(f.file("s")));
  EXPECT_FALSE(fileExists(f.file("c")));
}

} // namespace
