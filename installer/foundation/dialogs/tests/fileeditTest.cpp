#include <foundation/dialogs/fileedit.h>

#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <string>

using testsupport::TempDir;

namespace {

class FileeditTest : public testing::Test {
protected:
  FileeditTest() {
    // No word wrap: wrapping a 32 000-character line in a 200-pixel edit takes Wine minutes.
    edit = CreateWindowExA(0, "EDIT", "", WS_POPUP | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL, 0, 0,
                           200, 100, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
  }
  ~FileeditTest() override { DestroyWindow(edit); }

  int readonly() const { return (GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY) != 0; }
  // Replaces the whole text the way typing does, which marks the edit changed.
  void type(const char* text) {
    SendMessageA(edit, EM_SETSEL, 0, -1);
    SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
  }

  TempDir temp;
  HWND edit;
};

} // namespace

TEST_F(FileeditTest, WholeFileIsEditedAndSavedThroughANewFile) {
  std::string file = temp.file("readme.txt");
  testsupport::writeFile(file, "first version");
  ASSERT_EQ(1, fileedit::load(edit, fpathbuf(file.c_str())));
  EXPECT_FALSE(readonly());
  type("second version");
  ASSERT_EQ(1, fileedit::save(edit, fpathbuf(file.c_str())));
  EXPECT_EQ("second version", testsupport::readFile(file));
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((temp.path() + "\\*.*").c_str(), &found);
  int files = 0;
  do
    files += !(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  while (FindNextFileA(search, &found));
  FindClose(search);
  EXPECT_EQ(1, files) << "the new file replaced the old one";
}

TEST_F(FileeditTest, FileLongerThanTheLimitIsShownCutAndNeverSaved) {
  std::string file = temp.file("long.txt");
  std::string content(FileEditLimit + 10, 'a');
  testsupport::writeFile(file, content);
  ASSERT_EQ(1, fileedit::load(edit, fpathbuf(file.c_str())));
  EXPECT_EQ(FileEditLimit, GetWindowTextLengthA(edit));
  EXPECT_TRUE(readonly());
  EXPECT_EQ(0, fileedit::save(edit, fpathbuf(file.c_str())));
  EXPECT_EQ(content, testsupport::readFile(file));
}

TEST_F(FileeditTest, FileOfExactlyTheLimitIsWhole) {
  std::string file = temp.file("exact.txt");
  testsupport::writeFile(file, std::string(FileEditLimit, 'b'));
  ASSERT_EQ(1, fileedit::load(edit, fpathbuf(file.c_str())));
  EXPECT_EQ(FileEditLimit, GetWindowTextLengthA(edit));
  EXPECT_FALSE(readonly());
  EXPECT_EQ(0, fileedit::load(edit, fpathbuf(temp.file("missing.txt").c_str())));
}

TEST_F(FileeditTest, FileHoldingANulIsShownReadOnlyAndNeverSaved) {
  std::string file = temp.file("utf16.txt");
  std::string content("\xff\xfeN\0o\0t\0e\0s\0", 12);
  testsupport::writeFile(file, content);
  ASSERT_EQ(1, fileedit::load(edit, fpathbuf(file.c_str())));
  EXPECT_TRUE(readonly());
  EXPECT_EQ(0, fileedit::save(edit, fpathbuf(file.c_str())));
  EXPECT_EQ(content, testsupport::readFile(file));
}

TEST_F(FileeditTest, AnEditLeftUntouchedIsNeverWritten) {
  std::string file = temp.file("notes.txt");
  testsupport::writeFile(file, "as the user keeps it\r\n");
  ASSERT_EQ(1, fileedit::load(edit, fpathbuf(file.c_str())));
  // Another program changes the file while the dialog is up; OK must not write it back.
  testsupport::writeFile(file, "changed meanwhile");
  EXPECT_EQ(1, fileedit::save(edit, fpathbuf(file.c_str())));
  EXPECT_EQ("changed meanwhile", testsupport::readFile(file));
}
