#include <calendar/data/FileBytes.h>

#include <tests/support/TempDir.h>

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

// A write that stops short is a failure with a reason the user can be told, and the file it was to
// replace stays as it was.
TEST(FileBytesTest, AShortWriteFailsWithAReasonAndKeepsTheOldFile) {
  struct {
    const char* name;
    BOOL answer;    // what the stand-in write answers after writing half the bytes
    DWORD error;    // the error it leaves
    DWORD reported; // what the caller reads afterwards
  } const cases[] = {
      {"success with fewer bytes and no error", TRUE, 0, ERROR_DISK_FULL},
      {"failure with no error", FALSE, 0, ERROR_DISK_FULL},
      {"failure with the system's reason", FALSE, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
  };
  testsupport::TempDir folder;
  const std::string path = folder.file("events20.wdb");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(writeFile(path, "previous"));
    filebytes::WriteOverride shortWrite([&c](HANDLE file, const char* data, DWORD size, DWORD* written) {
      WriteFile(file, data, size / 2, written, nullptr);
      SetLastError(c.error);
      return c.answer;
    });
    EXPECT_FALSE(filebytes::Replace(path, std::string(1000, 'x')));
    EXPECT_EQ(GetLastError(), c.reported);
    EXPECT_EQ(readFile(path), "previous");
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
  }
}

} // namespace
