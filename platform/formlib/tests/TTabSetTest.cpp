#include <formlib/TForm.h>
#include <formlib/TTabSet.h>

#include <tests/support/MessagePump.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace formlib;
using namespace testsupport;

namespace {

TEST(TTabSetTest, ClickEventFollowsIndexChangesOnly) {
  auto form = std::make_unique<TForm>(nullptr);
  auto* tabs = new TTabSet(form.get(), form.get());
  tabs->SetBounds(0, 0, 400, 20);
  tabs->SetTabs({"A", "B", "C"});
  std::vector<int> clicks;
  tabs->OnClick = [&](TObject*) { clicks.push_back(tabs->TabIndex()); };
  tabs->SetTabIndex(0);
  tabs->SetTabIndex(0);
  tabs->SetTabIndex(2);
  tabs->SetTabIndex(7); // no such tab
  RECT second = tabs->TabRect(1);
  click(tabs->Handle(), (second.left + second.right) / 2, 10);
  click(tabs->Handle(), (second.left + second.right) / 2, 10);
  std::vector<int> expected = {0, 2, 1};
  EXPECT_EQ(clicks, expected);
  form.reset();
  pumpMessages();
}

} // namespace
