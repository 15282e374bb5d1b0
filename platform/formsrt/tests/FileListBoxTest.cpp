#include <formsrt/FileListBox.h>
#include <formsrt/Form.h>

#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

using namespace formsrt;

namespace {

struct NotesForm : Form {
  FileListBox File1{*this, "File1", 100, 100, 2000, 1500, "*.XVQ"};
  NotesForm() : Form("Form1", 2400, 1800) {}
};

TEST(FileListBoxTest, ListsTheMatchingFilesByNameAndRefreshes) {
  testsupport::TempDir dir;
  for (const char* name : {"Lunch.XVQ", "apple.xvq", "notes.txt"})
    testsupport::writeFile(dir.file(name), "x");
  CreateDirectoryA(dir.file("folder.XVQ").c_str(), nullptr);
  NotesForm form;
  form.File1.setPath(dir.path() + "\\");
  form.Show();
  ASSERT_EQ(form.File1.ListCount(), 2);
  EXPECT_EQ(form.File1.List(0), "apple.xvq");
  EXPECT_EQ(form.File1.List(1), "Lunch.XVQ");
  EXPECT_EQ(SendMessageA(form.File1.hwnd(), LB_GETCOUNT, 0, 0), 2);
  DeleteFileA(dir.file("apple.xvq").c_str());
  form.File1.Refresh();
  EXPECT_EQ(form.File1.ListCount(), 1);
  form.File1.setListIndex(0);
  EXPECT_EQ(form.File1.FileName(), "Lunch.XVQ");
}

} // namespace
