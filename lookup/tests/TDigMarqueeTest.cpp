#include <lookup/TDigMarquee.h>

#include <formlib/TForm.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>

#include <gtest/gtest.h>

#include <memory>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

constexpr COLORREF kGreen = RGB(0, 255, 0); // colour row 0
constexpr COLORREF kRed = RGB(255, 0, 0);   // colour row 1

struct DigMarqueeTest : ::testing::Test {
  DigMarqueeTest() {
    marquee->SetBounds(0, 0, 200, 21);
    marquee->Timer().SetEnabled(false); // the test steps it
  }
  ~DigMarqueeTest() override {
    form.reset();
    pumpMessages();
  }
  std::unique_ptr<MemoryDib> paint() {
    auto dib = std::make_unique<MemoryDib>(200, 21, RGB(1, 2, 3));
    paintClient(marquee->Handle(), *dib);
    return dib;
  }
  // The leftmost column holding `colour`, or -1.
  static int leftmost(const MemoryDib& dib, COLORREF colour) {
    for (int x = 0; x < dib.width(); ++x)
      if (dib.count(colour, RECT{x, 0, x + 1, dib.height()}) > 0)
        return x;
    return -1;
  }
  std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
  TDigMarquee* marquee = new TDigMarquee(form.get(), form.get());
};

TEST(TDigMarqueeGlyphs, CharactersMapToTheirGlyphs) {
  struct Case {
    char c;
    int glyph;
  } cases[] = {{'A', 0},
               {'z', 25},
               {'0', 26},
               {'9', 35},
               {':', 36},
               {'$', 40},
               {' ', 41},
               {'`', 41},
               {'!', 42},
               {')', 49},
               {'=', 50},
               {'\\', 51},
               {';', 54},
               {'"', 55},
               {',', 56},
               {'\'', 57},
               {'^', 58},
               {'>', 66},
               {'~', TDigMarquee::kEscape},
               {'\0', 41}};
  for (const Case& c : cases)
    EXPECT_EQ(TDigMarquee::GlyphIndex(c.c), c.glyph) << "character " << int(c.c);
}

TEST_F(DigMarqueeTest, EscapesChooseColourAndAreNotDrawn) {
  struct Case {
    const char* caption;
    int width;
    COLORREF colour;
  } cases[] = {{"~2 AB", 22, kRed}, {"A~", 11, kGreen}, {"ab c", 44, kGreen}, {"~2x AB", 22, kRed}};
  for (const Case& c : cases) {
    marquee->SetCaption(c.caption);
    EXPECT_EQ(marquee->StripWidth(), c.width) << c.caption;
    EXPECT_EQ(marquee->X(), 200) << c.caption;
    for (int i = 0; i < 10; ++i)
      marquee->Step();
    auto dib = paint();
    EXPECT_GT(dib->count(c.colour), 0) << c.caption;
    EXPECT_EQ(dib->count(c.colour == kRed ? kGreen : kRed), 0) << c.caption;
  }
}

TEST_F(DigMarqueeTest, TextMovesLeftBySpeedEachTickAndWrapsAround) {
  marquee->SetCaption("I");
  marquee->SetSpeed(10);
  for (int tick = 1; tick <= 5; ++tick) {
    marquee->Step();
    EXPECT_EQ(marquee->X(), 200 - 10 * tick);
    // The glyph's dots sit one pixel inside its cell.
    EXPECT_EQ(leftmost(*paint(), kGreen), marquee->X() + 1 + 2 * 1) << "tick " << tick;
  }
  auto dib = paint();
  EXPECT_EQ(dib->pixel(0, 0), RGB(0, 0, 0)) << "the background is black";
  int previous;
  do {
    previous = marquee->X();
    marquee->Step();
  } while (marquee->X() < previous);
  EXPECT_EQ(previous, -20) << "the last position before the text is wholly gone by a step";
  EXPECT_EQ(marquee->X(), 200) << "back in from the right";
}

TEST_F(DigMarqueeTest, SingleLoopStopsJustOffTheLeftEdgeAndReportsOnce) {
  int finished = 0;
  marquee->OnFinishScrolling = [&](TObject*) { ++finished; };
  marquee->SetLoops(1);
  marquee->SetCaption("AB");
  for (int i = 0; i < 200; ++i)
    marquee->Step();
  EXPECT_EQ(marquee->X(), -22);
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(paint()->count(kGreen), 0);
}

TEST_F(DigMarqueeTest, FlashingTextShowsEveryOtherPhase) {
  marquee->SetCaption("~f A");
  marquee->SetSpeed(0);
  marquee->SetFlashTicks(5);
  std::string phases;
  for (int i = 0; i < 12; ++i) {
    marquee->Step();
    phases += marquee->FlashPhase() ? '1' : '0';
  }
  EXPECT_EQ(phases, "000001111110") << "the phase flips on every sixth tick";
  marquee->SetCaption("~f A");
  marquee->SetSpeed(4);
  for (int i = 0; i < 5; ++i)
    marquee->Step();
  EXPECT_FALSE(marquee->FlashPhase());
  EXPECT_GT(paint()->count(kGreen), 0);
  marquee->Step();
  EXPECT_TRUE(marquee->FlashPhase());
  EXPECT_EQ(paint()->count(kGreen), 0) << "a flashing character is gone in the other phase";
}

TEST_F(DigMarqueeTest, FlashTicksBelowOneMeansNoFlashing) {
  marquee->SetCaption("~f A");
  for (int ticks : {0, -1, -100}) {
    marquee->SetFlashTicks(ticks);
    for (int i = 0; i < 20; ++i) {
      marquee->Step();
      ASSERT_FALSE(marquee->FlashPhase()) << "flash ticks " << ticks << ", tick " << i;
    }
  }
}

TEST_F(DigMarqueeTest, RunsOnItsTimer) {
  marquee->SetCaption("A");
  marquee->SetInterval(60);
  EXPECT_EQ(marquee->Timer().Interval(), 60u);
  marquee->SetEnabled(true);
  SendMessageA(marquee->Timer().Handle(), WM_TIMER, 1, 0);
  EXPECT_EQ(marquee->X(), 196);
  marquee->SetEnabled(false);
  EXPECT_EQ(marquee->X(), 200);
  EXPECT_EQ(paint()->count(kGreen), 0) << "a disabled marquee shows nothing";
}

} // namespace
