#include <engine/screen/ScreenGeometry.h>

#include <gtest/gtest.h>

namespace {

struct PlacementRow {
  const char* name;
  int mode;
  SIZE screen;
  RECT expected;
};

TEST(ScreenGeometryTest, ScreenWindowBySizingMode) {
  InstallScreenSettings settings;
  RECT frame{0, 0, 300, 200};
  AdjustWindowRect(&frame, static_cast<DWORD>(settings.style), FALSE);
  LONG fw = frame.right - frame.left, fh = frame.bottom - frame.top;
  const PlacementRow rows[] = {
      {"whole screen", 0, {1024, 768}, {0, 0, 1024, 768}},
      {"80 per mille", 3, {1000, 800}, {100, 80, 900, 720}},
      {"bitmap",
       2,
       {1024, 768},
       {(1024 - fw) / 2, (768 - fh) / 2, (1024 - fw) / 2 + fw, (768 - fh) / 2 + fh}},
      {"bitmap larger than the screen", 2, {200, 100}, {0, 0, 200, 100}},
  };
  for (const PlacementRow& row : rows) {
    settings.sizingMode = row.mode;
    ScreenPlacement placement = PlaceScreen(settings, row.screen, SIZE{300, 200});
    EXPECT_EQ(row.expected.left, placement.rect.left) << row.name;
    EXPECT_EQ(row.expected.top, placement.rect.top) << row.name;
    EXPECT_EQ(row.expected.right, placement.rect.right) << row.name;
    EXPECT_EQ(row.expected.bottom, placement.rect.bottom) << row.name;
    EXPECT_EQ(0u, placement.style & WS_MAXIMIZE) << row.name;
  }
  settings.sizingMode = 1;
  ScreenPlacement maximized = PlaceScreen(settings, SIZE{1024, 768}, SIZE{});
  EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_MAXIMIZE), maximized.style);
  EXPECT_EQ(0, maximized.rect.left);
  settings.sizingMode = 3;
  settings.widthPerMille = 1500;
  EXPECT_EQ(1024, PlaceScreen(settings, SIZE{1024, 768}, SIZE{}).rect.right);
}

TEST(ScreenGeometryTest, GadgetButtonsAreClampedAndCentred) {
  InstallScreenSettings settings;
  // 90 by 65 per mille of 1000 by 1000 is 91 by 66 pixels with the corners: limited to 63 by 39.
  RECT big = GadgetRect(settings.exitButton, POINT{10, 20}, SIZE{1000, 1000});
  EXPECT_EQ(63, big.right - big.left);
  EXPECT_EQ(39, big.bottom - big.top);
  EXPECT_EQ(10 + 900 + 45 - 31, big.left);
  EXPECT_EQ(20 + 920 + 33 - 19, big.top);
  RECT small = GadgetRect(settings.exitButton, POINT{0, 0}, SIZE{200, 100});
  EXPECT_EQ(19, small.right - small.left);
  EXPECT_EQ(8, small.bottom - small.top); // 92 to 99: MulDiv rounds 98.5 up
}

TEST(ScreenGeometryTest, ShadowOffsets) {
  ShadowCopy white = TextShadow(1, 4, 4);
  EXPECT_EQ(1, white.drawn);
  EXPECT_EQ(2, white.dx);
  EXPECT_EQ(2, white.dy);
  EXPECT_EQ(RGB(255, 255, 255), white.colour);
  ShadowCopy black = TextShadow(2, 4, 3);
  EXPECT_EQ(4, black.dx);
  EXPECT_EQ(3, black.dy);
  EXPECT_EQ(RGB(0, 0, 0), black.colour);
  EXPECT_EQ(0, TextShadow(0, 4, 4).drawn);
  EXPECT_EQ(0, TextShadow(7, 4, 4).drawn);
}

TEST(ScreenGeometryTest, GadgetCaptureStates) {
  GadgetTracker tracker;
  int changed;
  EXPECT_EQ(0, tracker.move(1));
  EXPECT_EQ(1, tracker.press());
  EXPECT_EQ(0, tracker.move(1));
  EXPECT_EQ(1, tracker.move(0));
  EXPECT_EQ(2, tracker.state());
  EXPECT_EQ(0, tracker.release(changed)) << "released outside: no command";
  EXPECT_EQ(1, changed);
  tracker.press();
  tracker.move(0);
  tracker.move(1);
  EXPECT_EQ(1, tracker.release(changed)) << "moved back inside: the command";
  EXPECT_EQ(0, tracker.release(changed));
  EXPECT_EQ(0, changed);
}

TEST(ScreenGeometryTest, ActivityStepsAtMostEvery200Milliseconds) {
  ActivityPace pace;
  EXPECT_EQ(1, pace.due(1000));
  EXPECT_EQ(0, pace.due(1150));
  EXPECT_EQ(1, pace.due(1200));
  EXPECT_EQ(0, pace.due(1399));
  ActivityPace wrapping;
  EXPECT_EQ(1, wrapping.due(0xFFFFFF00));
  EXPECT_EQ(0, wrapping.due(0xFFFFFF80));
  EXPECT_EQ(1, wrapping.due(0x00000010)) << "the tick count wrapped 272 ms later";
}

} // namespace
