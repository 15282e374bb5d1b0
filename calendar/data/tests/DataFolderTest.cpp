#include <calendar/data/DataFolder.h>

#include <tests/support/TempDir.h>

#include <windows.h>

#include <gtest/gtest.h>

namespace {

// A file dialog may change the current directory; the calendar's files must stay where they were.
TEST(DataFolderTest, IsFixedAtStartUpWhateverTheCurrentDirectoryBecomes) {
  testsupport::TempDir start, elsewhere;
  start.enter();
  DataFolder::Set();
  SetCurrentDirectoryA(elsewhere.path().c_str());
  EXPECT_EQ(DataFolder::Path("events20.dat"), start.file("events20.dat"));

  DataFolder::Set(".");
  EXPECT_EQ(DataFolder::Path("holidays.dat"), elsewhere.file("holidays.dat"));
  SetCurrentDirectoryA(start.path().c_str()); // so that the other folder can be removed
}

} // namespace
