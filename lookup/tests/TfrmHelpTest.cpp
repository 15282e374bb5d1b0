#include <lookup/TfrmHelp.h>

#include <formlib/TApplication.h>

#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

TEST(TfrmHelpTest, OpensWithOnlyTheAskedPanelAndClosesOnEscape) {
  Application->Initialize();
  auto owner = std::make_unique<TForm>(nullptr);
  owner->Show();
  struct Case {
    TPanel* TfrmHelp::*panel;
    const char* expected;
  } cases[] = {{&TfrmHelp::Panel1, "100"}, {&TfrmHelp::Panel2, "010"}, {&TfrmHelp::Panel3, "001"}};
  for (const Case& c : cases) {
    std::string visible;
    bool ownerEnabled = true;
    ModalAnswerer answerer;
    answerer.act("Pellawin Info Help", [&](HWND hwnd) {
      auto* help = dynamic_cast<TfrmHelp*>(TControl::FromHandle(hwnd));
      ASSERT_NE(help, nullptr);
      for (TPanel* panel : {help->Panel1, help->Panel2, help->Panel3})
        visible += panel->Visible() ? '1' : '0';
      ownerEnabled = IsWindowEnabled(owner->Handle());
      PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    TfrmHelp::ShowPanel(owner.get(), c.panel);
    EXPECT_EQ(visible, c.expected);
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
  }
  owner.reset();
  pumpMessages();
}

} // namespace
