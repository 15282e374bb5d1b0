#include <foundation/tests/resourcelibrary.h>

#include <foundation/dialogs/msgdlg.h>

#include <gtest/gtest.h>
#include <tests/support/WindowText.h>

#include <string>

using testsupport::itemText;

namespace {

ULONGLONG processorMilliseconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto value = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return (value(kernel) + value(user)) / 10000;
}

} // namespace

TEST(MsgdlgTest, ShowsItsTextAndAcknowledgesOk) {
  ResourceLibrary english("kxenu.dll");
  msgdlg notice;
  notice.caption.set("Notice");
  notice.okbutton = 1;
  notice.settextf("Copying %s", "files");
  ASSERT_EQ(1, notice.create());
  EXPECT_EQ("Copying files", itemText(notice.hwnd(), 101));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(notice.hwnd(), IDOK)));
  notice.settextf("%s", std::string(600, 'x').c_str());
  EXPECT_EQ(std::string(511, 'x'), itemText(notice.hwnd(), 101));
  SendMessageA(notice.hwnd(), WM_COMMAND, IDOK, 0);
  EXPECT_EQ(1, notice.acknowledged);
  notice.destroy();
  EXPECT_EQ(nullptr, notice.hwnd());
}

TEST(MsgdlgTest, StaysUpForItsMinimumTimeWithoutBusyWaiting) {
  ResourceLibrary english("kxenu.dll");
  msgdlg notice;
  notice.caption.set("Wait");
  notice.mintime = 1;
  notice.duration = 400;
  ASSERT_EQ(1, notice.create());
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(notice.hwnd(), IDOK)));
  ULONGLONG start = GetTickCount64(), processorStart = processorMilliseconds();
  notice.destroy();
  ULONGLONG waited = GetTickCount64() - start, busy = processorMilliseconds() - processorStart;
  EXPECT_GE(waited, 390u);
  EXPECT_LT(busy, waited / 2) << "the wait sleeps";
  EXPECT_EQ(nullptr, notice.hwnd());
}
