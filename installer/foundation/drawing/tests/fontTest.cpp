#include <foundation/drawing/font.h>

#include <gtest/gtest.h>
#include <tests/support/MemoryDib.h>

#include <cmath>

using testsupport::MemoryDib;

TEST(FontTest, PointsBecomePixelsForTheDevice) {
  MemoryDib target(10, 10);
  dc device(target.dc(), 10, 10);
  double perPoint = device.pixperpt();
  ASSERT_GT(perPoint, 0);
  struct Case {
    int points;
    int pixels;
  };
  for (const Case& c : {Case{12, static_cast<int>(std::lround(12 * perPoint))},
                        Case{-12, -static_cast<int>(std::lround(12 * perPoint))}, Case{0, 0}}) {
    font f;
    f.set("Arial", c.points, 1, 0, 0);
    EXPECT_EQ(1, f.createfor(device)) << c.points;
    EXPECT_EQ(c.pixels, f.height) << c.points;
    LOGFONTA made{};
    GetObjectA(f.handle(), sizeof made, &made);
    EXPECT_EQ(FW_BOLD, made.lfWeight);
  }
}

TEST(FontTest, SelectedAndPutBack) {
  MemoryDib target(10, 10);
  dc device(target.dc(), 10, 10);
  HGDIOBJ before = GetCurrentObject(device.hdc(), OBJ_FONT);
  font f;
  f.set("Arial", -20, 0, 1, 0);
  EXPECT_EQ(0, f.select(device)) << "not created yet";
  ASSERT_EQ(1, f.create());
  EXPECT_EQ(1, f.select(device));
  EXPECT_EQ(f.handle(), GetCurrentObject(device.hdc(), OBJ_FONT));
  EXPECT_EQ(0, f.select(device)) << "selected already";
  f.free();
  EXPECT_EQ(before, GetCurrentObject(device.hdc(), OBJ_FONT));

  HWND window = CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, nullptr, nullptr);
  HGDIOBJ own = reinterpret_cast<HGDIOBJ>(SendMessageA(window, WM_GETFONT, 0, 0));
  ASSERT_EQ(1, f.create());
  EXPECT_EQ(1, f.setonwindow(window));
  EXPECT_EQ(reinterpret_cast<LRESULT>(f.handle()), SendMessageA(window, WM_GETFONT, 0, 0));
  f.deselect();
  EXPECT_EQ(reinterpret_cast<LRESULT>(own), SendMessageA(window, WM_GETFONT, 0, 0));
  DestroyWindow(window);
}

TEST(FontTest, FitWidthScalesTheCharactersAndKeepsAFontForAnEmptyText) {
  MemoryDib target(10, 10);
  dc device(target.dc(), 10, 10);
  font f;
  f.set("Arial", -20, 0, 0, 0);
  ASSERT_EQ(1, f.create());
  int natural = f.textwidth("Installation");
  ASSERT_GT(natural, 0);
  EXPECT_EQ(1, f.fitwidth(device, "Installation", natural * 2));
  EXPECT_NEAR(natural * 2, f.textwidth("Installation"), natural / 5);

  EXPECT_EQ(0, f.fitwidth(device, "", 100));
  EXPECT_TRUE(f.handle());
  EXPECT_GT(f.textheight("x"), 0);
}
