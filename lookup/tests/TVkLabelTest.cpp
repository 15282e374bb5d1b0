#include <lookup/TVkLabel.h>

#include <formlib/TForm.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>

#include <gtest/gtest.h>

#include <memory>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

// The rightmost column that holds `colour`, or -1.
int rightmost(const MemoryDib& dib, COLORREF colour) {
  for (int x = dib.width() - 1; x >= 0; --x)
    if (dib.count(colour, RECT{x, 0, x + 1, dib.height()}) > 0)
      return x;
  return -1;
}

TEST(TVkLabelTest, RaisedAndRecessedTextCastShadowAndLightOppositeWays) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* label = new TVkLabel(form.get(), form.get());
  label->SetBounds(0, 0, 60, 40);
  label->SetColor(RGB(0, 128, 0));
  TFont font = label->Font();
  font.SetHeight(-24);
  font.SetBold(true);
  font.SetColor(RGB(0, 0, 255));
  label->SetFont(font);
  label->SetCaption("I");
  EXPECT_EQ(label->TextStyle(), TTextStyle::tsRecessed);
  struct Case {
    TTextStyle style;
    int shadowRightOfLight; // +1: shadow sticks out right, -1: light does, 0: neither drawn
  } cases[] = {{TTextStyle::tsRaised, 1}, {TTextStyle::tsRecessed, -1}, {TTextStyle::tsNone, 0}};
  for (const Case& c : cases) {
    label->SetTextStyle(c.style);
    MemoryDib dib(60, 40);
    paintClient(label->Handle(), dib);
    int shadow = rightmost(dib, clBtnShadow());
    int light = rightmost(dib, clBtnHighlight());
    int text = rightmost(dib, RGB(0, 0, 255));
    ASSERT_GT(text, 0);
    if (c.shadowRightOfLight == 0) {
      EXPECT_EQ(shadow, -1);
      EXPECT_EQ(light, -1);
    } else {
      int outer = c.shadowRightOfLight > 0 ? shadow : light;
      int inner = c.shadowRightOfLight > 0 ? light : shadow;
      EXPECT_EQ(outer, text + 1) << "style " << int(c.style);
      EXPECT_LT(inner, text) << "style " << int(c.style);
    }
  }
  form.reset();
  pumpMessages();
}

} // namespace
