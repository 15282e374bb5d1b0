#include <lookup/TTabListBox.h>

#include <formlib/TForm.h>

#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>

#include <gtest/gtest.h>

#include <memory>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

// The first column at or after `from` with a dark pixel in the first row, or -1.
int firstInk(const MemoryDib& dib, int from) {
  for (int x = from; x < dib.width(); ++x)
    for (int y = 0; y < 14; ++y)
      if (GetRValue(dib.pixel(x, y)) < 128 && GetGValue(dib.pixel(x, y)) < 128)
        return x;
  return -1;
}

TEST(TTabListBoxTest, TabsAlignToTheTabStops) {
  auto form = std::make_unique<TForm>(nullptr);
  form->Show();
  auto* tabbed = new TTabListBox(form.get(), form.get());
  auto* plain = new TListBox(form.get(), form.get());
  for (TListBox* list : {static_cast<TListBox*>(tabbed), plain}) {
    list->SetBounds(0, 0, 300, 100);
    list->SetTabWidth(25);
    list->Add("1\tX");
  }
  EXPECT_TRUE(GetWindowLongA(tabbed->Handle(), GWL_STYLE) & LBS_USETABSTOPS);
  MemoryDib tabbedDib(300, 100), plainDib(300, 100);
  paintClient(tabbed->Handle(), tabbedDib);
  paintClient(plain->Handle(), plainDib);
  int digitEnd = 8; // past the "1"
  int tabbedX = firstInk(tabbedDib, digitEnd);
  int plainX = firstInk(plainDib, digitEnd);
  ASSERT_GT(tabbedX, 0);
  ASSERT_GT(plainX, 0);
  // 25 dialog units are several characters wide; without tab stops the text runs on.
  EXPECT_GT(tabbedX, plainX + 15);
  EXPECT_GE(tabbedX, 25);
  form.reset();
  pumpMessages();
}

} // namespace
