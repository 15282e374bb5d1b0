#include <lookup/TGradientBack.h>

#include <formlib/TForm.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>

#include <gtest/gtest.h>

#include <memory>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

TEST(TGradientBackTest, BandsStepFromBlueDownward) {
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientSize(420, 316);
  auto* back = new TGradientBack(form.get(), form.get());
  ASSERT_EQ(back->ClientHeight(), 316);
  // 316 / 255 gives bands of 2 pixels starting every 1.239 pixels; the last band over a pixel wins.
  struct Case {
    int y;
    int band;
  } cases[] = {{0, 1}, {1, 2}, {158, 129}, {315, 255}};
  for (bool allBlue : {true, false}) {
    back->SetisAllBlue(allBlue);
    MemoryDib dib(420, 316);
    paintClient(back->Handle(), dib);
    for (const Case& c : cases) {
      COLORREF expected = allBlue ? RGB(0, 0, 255 - c.band) : RGB(c.band, 0, 255 - c.band);
      EXPECT_EQ(dib.pixel(0, c.y), expected) << "y " << c.y << " all blue " << allBlue;
      EXPECT_EQ(dib.pixel(419, c.y), expected) << "y " << c.y << " all blue " << allBlue;
    }
  }
  form.reset();
  pumpMessages();
}

} // namespace
