#include <lookup/TfrmAreaCode.h>

#include <formlib/TApplication.h>
#include <lookup/AreaCodeTable.h>
#include <wincore/MessageLoop.h>

#include <lookup/tests/HelpPanels.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/MessagePump.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/RealInput.h>
#include <tests/support/SentInput.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

// The list row of an area code, or -1.
int rowOf(const std::string& code) {
  for (int i = 0; i < kAreaCodeRowCount; ++i)
    if (std::string(kAreaCodeRows[i], 3) == code)
      return i;
  return -1;
}

struct AreaCodeTest : ::testing::Test {
  AreaCodeTest() {
    Application->Initialize();
    Application->SetExeName(dir.file("pellawin.exe"));
    form = std::make_unique<TfrmAreaCode>(nullptr);
    form->Show();
    pumpMessages();
  }
  ~AreaCodeTest() override {
    Application->SetExeName(exeName);
    form.reset();
    pumpMessages();
  }
  // The text typed into an emptied search box, one character at a time.
  void search(const std::string& text) {
    form->Edit1->SetText("");
    typeText(form->Edit1->Handle(), text);
  }

  std::string exeName = Application->ExeName();
  TempDir dir;
  std::unique_ptr<TfrmAreaCode> form;
};

TEST_F(AreaCodeTest, SearchBoxSelectsTheFirstMatchAfterTheFirstRow) {
  ASSERT_EQ(form->Edit1->Parent(), form->StatusBar1);
  struct Case {
    const char* typed;
    const char* selected; // null: no row selected
  } cases[] = {
      {"2", "202"}, {"20", "202"}, {"201", "201"}, // the first row is searched last
      {"9", "901"}, {"97", "970"}, {"808", "808"}, {"999", nullptr}, {"1", nullptr}, {"x", nullptr},
  };
  for (const Case& c : cases) {
    search(c.typed);
    EXPECT_EQ(form->lb->ItemIndex(), c.selected ? rowOf(c.selected) : -1) << c.typed;
  }
}

TEST_F(AreaCodeTest, EachTypedDigitNarrowsTheSelectionAndTheBoxTakesThree) {
  form->Edit1->SetText("");
  struct Step {
    char typed;
    const char* selected;
  } steps[] = {{'8', "801"}, {'0', "801"}, {'9', "809"}, {'1', "809"}};
  for (const Step& s : steps) {
    typeText(form->Edit1->Handle(), std::string(1, s.typed));
    EXPECT_EQ(form->lb->ItemIndex(), rowOf(s.selected)) << "after " << s.typed;
  }
  EXPECT_EQ(form->Edit1->Text(), "809");
}

TEST_F(AreaCodeTest, TypingInTheListContinuesInTheSearchBox) {
  // Another program on the desktop may have taken the focus while the window opened.
  form->lb->SetFocus();
  typeText(form->lb->Handle(), "7");
  EXPECT_TRUE(form->Edit1->Focused());
  EXPECT_EQ(form->Edit1->Text(), "7");
  EXPECT_EQ(form->Edit1->SelStart(), 1);
  EXPECT_EQ(form->lb->ItemIndex(), rowOf("701"));
  typeText(form->Edit1->Handle(), "1");
  EXPECT_EQ(form->Edit1->Text(), "71");
  EXPECT_EQ(form->lb->ItemIndex(), rowOf("712"));

  // Control characters stay with the list.
  form->lb->SetFocus();
  typeText(form->lb->Handle(), "\b");
  EXPECT_TRUE(form->lb->Focused());
  EXPECT_EQ(form->Edit1->Text(), "71");
}

TEST_F(AreaCodeTest, ShowingAgainRefillsTheListAndKeepsTheSearchText) {
  search("9");
  form->Close();
  EXPECT_FALSE(form->Visible());
  form->Show();
  EXPECT_EQ(form->lb->Count(), kAreaCodeRowCount);
  EXPECT_EQ(form->lb->Item(0), kAreaCodeRows[0]);
  EXPECT_EQ(form->lb->Item(kAreaCodeRowCount - 1), kAreaCodeRows[kAreaCodeRowCount - 1]);
  EXPECT_EQ(form->Edit1->Text(), "9");
}

TEST_F(AreaCodeTest, ButtonsCloseAndShowTheAreaCodeHelp) {
  form->SetBounds(50, 50, 700, 400);
  EXPECT_EQ(form->btOK->Left(), form->Panel1->Width() - form->btOK->Width() - 15);
  EXPECT_EQ(form->btHelp->Left(), form->btOK->Left() - form->btHelp->Width() - 5);

  EXPECT_EQ(pellawintest::HelpPanelsShownBy(form->btHelp->Handle()), "001");
  EXPECT_TRUE(form->Visible());

  pressKey(form->lb->Handle(), VK_ESCAPE);
  EXPECT_FALSE(form->Visible());
  form->Show();
  click(form->btOK->Handle(), 5, 5);
  EXPECT_FALSE(form->Visible());
}

TEST_F(AreaCodeTest, PlacementThatCannotBeStoredIsReportedAndTheWindowCloses) {
  Application->SetExeName(dir.file("gone\\pellawin.exe"));
  auto lost = std::make_unique<TfrmAreaCode>(nullptr);
  lost->Show();
  ModalAnswerer answerer;
  answerer.answer("Unable to write to " + dir.file("gone\\pellawin.ini"), IDOK);
  click(lost->btOK->Handle(), 5, 5);
  EXPECT_FALSE(lost->Visible());
  EXPECT_EQ(answerer.seen().size(), 1u) << answerer.describeSeen();
}

// The search box lies across the right edge of the "Search:" panel: above and below it the bar shows
// nothing but its face (under the bar's own top line), no line of a panel's edge.
TEST_F(AreaCodeTest, NoPanelEdgeCrossesTheSearchBox) {
  HWND bar = form->StatusBar1->Handle();
  RECT client;
  GetClientRect(bar, &client);
  MemoryDib dib(client.right, client.bottom, RGB(1, 2, 3));
  paintClient(bar, dib);
  RECT edit;
  GetWindowRect(form->Edit1->Handle(), &edit);
  MapWindowPoints(nullptr, bar, reinterpret_cast<POINT*>(&edit), 2);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (const RECT& area :
       {RECT{edit.left, 1, edit.right, edit.top}, RECT{edit.left, edit.bottom, edit.right, client.bottom}}) {
    int size = (area.right - area.left) * (area.bottom - area.top);
    ASSERT_GT(size, 0);
    EXPECT_EQ(dib.count(face, area), size) << "rows " << area.top << " to " << area.bottom;
  }
}

// A user who clicks into the list and types a code: the keys go through the program's own message loop.
struct AreaCodeByUser : AreaCodeTest {
  // The keys of `text`, typed while the program's loop runs, until the search box shows `shown`.
  bool typeUntilShown(const std::string& text, const std::string& shown) {
    return realinput::sendThroughLoop(realinput::keysOf(text), wincore::runModalLoop,
                                      [&] { return form->Edit1->Text() == shown; });
  }
};

TEST_F(AreaCodeByUser, DigitsTypedInTheListSearchTheCodes) {
  realinput::click(form->lb->Handle(), POINT{20, 5}); // the first row
  ASSERT_TRUE(form->lb->Focused());
  struct Step {
    const char* typed;
    const char* shown;
    const char* selected; // null: no row selected
  } steps[] = {{"9", "9", "901"}, {"7", "97", "970"}, {"0", "970", "970"}, {"\b\b\b999", "999", nullptr}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.typed);
    ASSERT_TRUE(typeUntilShown(step.typed, step.shown)) << "the box shows \"" << form->Edit1->Text() << "\"";
    EXPECT_TRUE(form->Edit1->Focused());
    EXPECT_EQ(form->lb->ItemIndex(), step.selected ? rowOf(step.selected) : -1);
  }
}

} // namespace
