#include <foundation/drawing/palette.h>

#include <gtest/gtest.h>
#include <tests/support/MemoryDib.h>

using testsupport::MemoryDib;

TEST(PaletteTest, EntriesAndSelection) {
  palette colours;
  EXPECT_EQ(1, colours.empty());
  MemoryDib target(4, 4);
  EXPECT_EQ(1, colours.select(target.dc())) << "nothing to realise";
  colours.setsize(3);
  EXPECT_EQ(RGB(0, 0, 0), colours.entry(2));
  EXPECT_EQ(1, colours.setentry(2, RGB(1, 2, 3)));
  EXPECT_EQ(0, colours.setentry(3, RGB(1, 2, 3)));
  EXPECT_EQ(RGB(1, 2, 3), colours.entry(2));
  EXPECT_EQ(CLR_INVALID, colours.entry(-1));
  // A true-colour device has no palette to realise into.
  ASSERT_FALSE(GetDeviceCaps(target.dc(), RASTERCAPS) & RC_PALETTE);
  EXPECT_EQ(0, colours.select(target.dc()));
  colours.unselect();
}
