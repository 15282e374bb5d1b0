#include <foundation/windows/listhelpers.h>

#include <gtest/gtest.h>

namespace {

// A real list box of 30 items, about 5 of them visible.
class ListHelpersTest : public testing::Test {
protected:
  void make(DWORD style) {
    list = CreateWindowExA(0, "LISTBOX", "", WS_POPUP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | style, 0, 0, 150,
                           10, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(list);
    int itemHeight = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    SetWindowPos(list, nullptr, 0, 0, 150, itemHeight * 5 + 2 * GetSystemMetrics(SM_CYBORDER),
                 SWP_NOZORDER | SWP_NOMOVE);
    RECT client;
    GetClientRect(list, &client);
    visible = client.bottom / itemHeight;
    for (int i = 0; i < 30; ++i)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
  }
  void TearDown() override {
    if (list)
      DestroyWindow(list);
    ListKeepTop = 0;
  }
  int top() const { return static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0)); }

  HWND list = nullptr;
  int visible = 0;
};

} // namespace

TEST_F(ListHelpersTest, EnsureVisibleScrollsTheLeast) {
  make(0);
  ASSERT_GT(visible, 1);
  ListEnsureVisible(list, 20);
  EXPECT_EQ(20 - visible + 1, top());
  ListEnsureVisible(list, 20 - visible + 2);
  EXPECT_EQ(20 - visible + 1, top());
  ListEnsureVisible(list, 3);
  EXPECT_EQ(3, top());
}

TEST_F(ListHelpersTest, SelectOnSingleAndMultipleSelectionLists) {
  make(0);
  ListSelect(list, 4, 1);
  EXPECT_EQ(4, SendMessageA(list, LB_GETCURSEL, 0, 0));
  ListSelect(list, 4, 0);
  EXPECT_EQ(4, SendMessageA(list, LB_GETCURSEL, 0, 0));
  ListKeepTop = 1;
  ListSelect(list, 25, 1);
  EXPECT_EQ(25, SendMessageA(list, LB_GETCURSEL, 0, 0));
  EXPECT_EQ(0, top());
  DestroyWindow(list);

  make(LBS_EXTENDEDSEL);
  ListSelect(list, 2, 1);
  ListSelect(list, 5, 1);
  ListSelect(list, 2, 0);
  EXPECT_EQ(1, SendMessageA(list, LB_GETSELCOUNT, 0, 0));
  EXPECT_EQ(1, SendMessageA(list, LB_GETSEL, 5, 0));
}

TEST(ComboAddFTest, AddsTheFormattedText) {
  HWND combo = CreateWindowExA(0, "COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(combo);
  EXPECT_EQ(0, ComboAddF(combo, "%s %d", "disk", 2));
  char text[32] = "";
  SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ("disk 2", text);
  DestroyWindow(combo);
}
