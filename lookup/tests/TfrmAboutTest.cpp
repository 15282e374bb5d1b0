#include <lookup/TfrmAbout.h>

#include <formlib/TApplication.h>
#include <lookup/ShellOpen.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

struct AboutTest : ::testing::Test {
  AboutTest() {
    Application->Initialize();
    Application->SetExeName(dir.file("pellawin.exe"));
  }
  ~AboutTest() override {
    Application->SetExeName(exeName);
    about.reset();
    pumpMessages();
  }
  std::string exeName = Application->ExeName();
  TempDir dir;
  std::vector<std::string> opened;
  INT_PTR shellAnswer = 42;
  ShellOpenOverride shell{[this](HWND, const std::string& path) {
    opened.push_back(path);
    return shellAnswer;
  }};
  std::unique_ptr<TfrmAbout> about = std::make_unique<TfrmAbout>(nullptr);
};

TEST_F(AboutTest, OpensModallyAndClosesWithOk) {
  ModalAnswerer answerer;
  answerer.act("How to contact us", [](HWND hwnd) { PostMessageA(hwnd, WM_KEYDOWN, VK_RETURN, 0); });
  EXPECT_EQ(about->ShowModal(), mrOk);
  EXPECT_EQ(about->GradientBack1->Height(), 316);
  EXPECT_EQ(about->DigMarquee1->Top(), 316);
  EXPECT_TRUE(about->GradientBack1->isAllBlue());
}

TEST_F(AboutTest, WebButtonWritesTheShortcutOnceAndOpensIt) {
  std::string path = dir.file("MARWD.URL");
  SendMessageA(about->btWeb->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(readFile(path), "[InternetShortcut]\r\nURL=http://www.marrowind.example/\r\n");
  // An existing file is opened as it is.
  writeFile(path, "[InternetShortcut]\r\nURL=http://elsewhere.example/\r\n");
  SendMessageA(about->btWeb->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(readFile(path), "[InternetShortcut]\r\nURL=http://elsewhere.example/\r\n");
  std::vector<std::string> expected = {path, path};
  EXPECT_EQ(opened, expected);
  EXPECT_EQ(about->ModalResult(), mrOk);
}

TEST_F(AboutTest, ShellRefusalIsReported) {
  shellAnswer = 2;
  ModalAnswerer answerer;
  answerer.answer("Couldn't open web browser for home page " + dir.file("MARWD.URL"), IDOK);
  SendMessageA(about->btWeb->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(answerer.seen().size(), 1u);
}

TEST_F(AboutTest, FailedShortcutWriteLeavesNoFileBehind) {
  // A folder standing where the temporary file would go makes the write fail.
  std::string blocker = dir.file("MARWD.URL.new");
  CreateDirectoryA(blocker.c_str(), nullptr);
  ModalAnswerer answerer;
  answerer.answer("I/O error", IDOK);
  SendMessageA(about->btWeb->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(answerer.seen().size(), 1u);
  EXPECT_FALSE(fileExists(dir.file("MARWD.URL")));
  EXPECT_TRUE(opened.empty());
  EXPECT_EQ(about->ModalResult(), mrNone);
}

} // namespace
