#include <foundation/tests/resourcelibrary.h>

#include <foundation/dialogs/gauge.h>
#include <foundation/dialogs/progdlg.h>

#include <gtest/gtest.h>
#include <tests/support/MemoryDib.h>

using testsupport::MemoryDib;

namespace {

// Counts the paints that reach the gauge below it.
class PaintCounter : public subclasser {
public:
  LRESULT wndproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_PAINT)
      ++paints;
    return defproc(window, message, wParam, lParam);
  }
  int paints = 0;
};

} // namespace

TEST(GaugeTest, HorizontalBarFillsFromTheLeft) {
  gauge bar;
  bar.colour = RGB(0, 0, 255);
  bar.percent = 25;
  MemoryDib dib(201, 31, RGB(1, 2, 3));
  bar.paint(dib.dc(), RECT{0, 0, 201, 31});
  // Row 1 lies above the percentage text; the last column and row stay unpainted.
  EXPECT_EQ(50, dib.count(RGB(0, 0, 255), RECT{0, 1, 201, 2}));
  EXPECT_EQ(150, dib.count(RGB(255, 255, 255), RECT{0, 1, 201, 2}));
  EXPECT_EQ(RGB(1, 2, 3), dib.pixel(200, 1));
  EXPECT_EQ(RGB(1, 2, 3), dib.pixel(5, 30));
  EXPECT_GT(dib.count(RGB(0, 0, 0)), 0) << "the percentage is written";
}

TEST(GaugeTest, VerticalBarFillsFromTheBottom) {
  gauge bar;
  bar.colour = RGB(255, 0, 0);
  bar.percent = 50;
  MemoryDib dib(31, 201, RGB(1, 2, 3));
  bar.paint(dib.dc(), RECT{0, 0, 31, 201});
  EXPECT_EQ(100, dib.count(RGB(255, 0, 0), RECT{1, 0, 2, 201}));
  EXPECT_EQ(RGB(255, 0, 0), dib.pixel(1, 199));
  EXPECT_EQ(RGB(255, 255, 255), dib.pixel(1, 0));
}

TEST(ProgdlgTest, LinesGaugeAndCancel) {
  ResourceLibrary english("kxenu.dll");
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EnableWindow(owner, FALSE);
  int cancelled = 0;
  progdlg progress;
  progress.cancel = &cancelled;
  progress.reenable = owner;
  ASSERT_EQ(1, progress.create());
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(progress.hwnd(), 105))) << "no icon";
  progress.setline2("File %d of %d", 3, 9);
  char text[64];
  GetDlgItemTextA(progress.hwnd(), 102, text, sizeof text);
  EXPECT_STREQ("File 3 of 9", text);

  HWND item = GetDlgItem(progress.hwnd(), 104);
  EXPECT_TRUE(progress.bar.isattached());
  EXPECT_EQ(static_cast<COLORREF>(0x808080), progress.bar.colour);
  PaintCounter counter;
  counter.attach(item);
  progress.setpercent(40);
  EXPECT_EQ(40, progress.bar.percent);
  EXPECT_EQ(1, counter.paints);
  progress.setpercent(40);
  progress.setpercent(101);
  progress.setpercent(-1);
  EXPECT_EQ(1, counter.paints);
  EXPECT_EQ(40, progress.bar.percent);
  counter.detach();

  MemoryDib dib(hwndref(item).clientwidth(), hwndref(item).clientheight(), RGB(1, 2, 3));
  testsupport::paintClient(item, dib);
  EXPECT_GT(dib.count(RGB(0x80, 0x80, 0x80)), 0);

  SendMessageA(progress.hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_EQ(1, cancelled);
  cancelled = 0;
  SendMessageA(progress.hwnd(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(1, cancelled);

  progress.destroy();
  EXPECT_TRUE(IsWindowEnabled(owner));
  EXPECT_FALSE(progress.bar.isattached());
  DestroyWindow(owner);
}
