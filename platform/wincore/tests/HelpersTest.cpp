#include <wincore/Drawing.h>
#include <wincore/Registry.h>
#include <wincore/Scrolling.h>
#include <wincore/Units.h>
#include <wincore/WindowText.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/RegistrySandbox.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(WheelLinesTest, StepsBelowANotchAreKeptUntilTheyMakeALine) {
  wincore::WheelLines wheel;
  struct Case {
    const char* name;
    int delta;
    int lines;
  } cases[] = {{"a notch", 120, 3},
               {"a fifth of one", 24, 0},
               {"another fifth", 24, 1},
               {"a third", 40, 1},
               {"a quarter", 30, 0},
               {"back the other way", -30, 0},
               {"the rest of a line", -10, -1},
               {"two notches down", -240, -6}};
  for (const Case& c : cases)
    EXPECT_EQ(wheel.add(c.delta), c.lines) << c.name;
}

TEST(ScrollRequestTest, LinesPagesEndsAndTheThumbCountFromTheFirstPosition) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VSCROLL, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  const wincore::ScrollRange range{10, 1, 100};
  struct Case {
    const char* name;
    int code;
    std::optional<int> position;
  } cases[] = {{"a line up", SB_LINEUP, 49},
               {"a line down", SB_LINEDOWN, 51},
               {"a page up", SB_PAGEUP, 40},
               {"a page down", SB_PAGEDOWN, 60},
               {"the top", SB_TOP, 1},
               {"the bottom", SB_BOTTOM, 100},
               {"the end of a drag", SB_ENDSCROLL, std::nullopt}};
  for (const Case& c : cases)
    EXPECT_EQ(wincore::scrollRequest(window, SB_VERT, c.code, 50, range), c.position) << c.name;
  DestroyWindow(window);
}

TEST(WindowTextTest, LongAndEmptyTextsComeBackWhole) {
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(wincore::windowText(window), "");
  std::string longText(5000, 'x');
  SetWindowTextA(window, longText.c_str());
  EXPECT_EQ(wincore::windowText(window), longText);
  DestroyWindow(window);
}

TEST(RegistryTextTest, OnlyTextValuesAreRead) {
  testsupport::RegistrySandbox sandbox;
  HKEY key;
  ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software\\WincoreTest", &key), ERROR_SUCCESS);
  const char unterminated[] = {'a', 'b', 'c'};
  RegSetValueExA(key, "Text", 0, REG_SZ, reinterpret_cast<const BYTE*>("C:\\Notes"), 9);
  RegSetValueExA(key, "NoZero", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), 3);
  DWORD number = 7;
  RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);
  EXPECT_EQ(wincore::registryText(HKEY_CURRENT_USER, "Software\\WincoreTest", "Text"), "C:\\Notes");
  EXPECT_EQ(wincore::registryText(HKEY_CURRENT_USER, "Software\\WincoreTest", "NoZero"), "abc");
  EXPECT_FALSE(wincore::registryText(HKEY_CURRENT_USER, "Software\\WincoreTest", "Number"));
  EXPECT_FALSE(wincore::registryText(HKEY_CURRENT_USER, "Software\\WincoreTest", "Missing"));
  EXPECT_FALSE(wincore::registryText(HKEY_CURRENT_USER, "Software\\NoSuchKey", "Text"));
}

TEST(DrawingTest, PrintClientPaintsIntoTheGivenContextWithOnePixelLines) {
  testsupport::MemoryDib dib(20, 10);
  HDC dc = dib.dc();
  bool painted = wincore::paintMessage(nullptr, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), [](HDC target) {
    wincore::drawLine(target, 2, 5, 12, 5, RGB(255, 0, 0));
  });
  EXPECT_TRUE(painted);
  EXPECT_EQ(dib.pixel(2, 5), RGB(255, 0, 0));
  EXPECT_EQ(dib.pixel(11, 5), RGB(255, 0, 0));
  EXPECT_NE(dib.pixel(12, 5), RGB(255, 0, 0)) << "the end point is not drawn";
  EXPECT_NE(dib.pixel(5, 4), RGB(255, 0, 0)) << "one pixel wide";
  EXPECT_FALSE(wincore::paintMessage(nullptr, WM_SIZE, 0, [](HDC) {}));
}

TEST(UnitsTest, TwipsAndPointsFollowTheScreensResolution) {
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(wincore::twipsToPixelsY(1440), dpi);
  EXPECT_EQ(wincore::pixelsToTwipsY(dpi), 1440);
  EXPECT_EQ(wincore::pointsToFontHeight(12, 96), -16);
  EXPECT_EQ(wincore::pointsToFontHeight(8, 96), -11); // 10.67 rounds to 11
}

} // namespace
