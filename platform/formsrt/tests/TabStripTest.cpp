#include <formsrt/Controls.h>
#include <formsrt/Form.h>
#include <formsrt/TabStrip.h>

#include <tests/support/SentInput.h>

#include <commctrl.h>

#include <gtest/gtest.h>

using namespace formsrt;

namespace {

struct SettingsForm : Form {
  TabStrip TabStrip1{*this, "TabStrip1", 120, 120, 5400, 4100};
  Frame page1{*this, "Frame1", "", 350, 550, 5000, 3600, 1};
  Frame page2{*this, "Frame1", "", 350, 550, 5000, 3600, 2};
  int shown = 1;
  std::vector<int> clicks;
  SettingsForm() : Form("Form9", 5800, 5000) {
    TabStrip1.addTab("General", "General Options");
    TabStrip1.addTab("Colors", "Grid Colors");
    page2.setVisible(false);
    TabStrip1.Click = [this] {
      int index = TabStrip1.SelectedIndex();
      clicks.push_back(index);
      if (index == shown)
        return;
      (index == 1 ? page1 : page2).setVisible(true);
      (shown == 1 ? page1 : page2).setVisible(false);
      shown = index;
    };
  }
};

// Tabs given when the form was made stay; those its load added are added again, once, at the next load.
TEST(TabStripTest, AReloadedFormHasItsDesignTabsAndThoseItsLoadAdds) {
  struct LoadingForm : SettingsForm {
    void Form_Load() override { TabStrip1.addTab("Added"); }
  } form;
  for (int load = 0; load < 2; ++load) {
    form.Show();
    EXPECT_EQ(form.TabStrip1.TabCount(), 3) << "load " << load;
    EXPECT_EQ(SendMessageA(form.TabStrip1.hwnd(), TCM_GETITEMCOUNT, 0, 0), 3) << "load " << load;
    ASSERT_TRUE(form.Unload());
  }
}

TEST(TabStripTest, ChoosingATabRunsClickWithItsNumber) {
  SettingsForm form;
  form.Show();
  EXPECT_EQ(SendMessageA(form.TabStrip1.hwnd(), TCM_GETITEMCOUNT, 0, 0), 2);
  EXPECT_EQ(form.TabStrip1.SelectedIndex(), 1);
  RECT tab;
  SendMessageA(form.TabStrip1.hwnd(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
  testsupport::click(form.TabStrip1.hwnd(), (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(form.TabStrip1.SelectedIndex(), 2);
  EXPECT_EQ(form.clicks, std::vector<int>{2});
  EXPECT_TRUE(IsWindowVisible(form.page2.hwnd()));
  EXPECT_FALSE(IsWindowVisible(form.page1.hwnd()));
  EXPECT_EQ(form.TabStrip1.TabCaption(2), "Colors");
}

TEST(TabStripTest, TabsAnswerTheirToolTipTexts) {
  SettingsForm form;
  form.Show();
  HWND tips = reinterpret_cast<HWND>(SendMessageA(form.TabStrip1.hwnd(), TCM_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tips, nullptr);
  NMTTDISPINFOA info{};
  info.hdr.hwndFrom = tips;
  info.hdr.idFrom = 1;
  info.hdr.code = TTN_GETDISPINFOA;
  SendMessageA(form.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  ASSERT_NE(info.lpszText, nullptr);
  EXPECT_STREQ(info.lpszText, "Grid Colors");
}

} // namespace
