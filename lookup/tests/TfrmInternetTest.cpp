#include <lookup/TfrmInternet.h>

#include <formlib/TApplication.h>
#include <lookup/DomainSuffixTable.h>

#include <lookup/tests/HelpPanels.h>
#include <tests/support/MessagePump.h>
#include <tests/support/SentInput.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

struct InternetTest : ::testing::Test {
  InternetTest() {
    Application->Initialize();
    Application->SetExeName(dir.file("pellawin.exe"));
    form = std::make_unique<TfrmInternet>(nullptr);
    form->Show();
    pumpMessages();
  }
  ~InternetTest() override {
    Application->SetExeName(exeName);
    form.reset();
    pumpMessages();
  }
  std::string selected() const { return form->Box->Item(form->Box->ItemIndex()); }

  std::string exeName = Application->ExeName();
  TempDir dir;
  std::unique_ptr<TfrmInternet> form;
};

TEST_F(InternetTest, ListsEverySuffixOnceHoweverOftenShown) {
  form->Close();
  form->Show();
  ASSERT_EQ(form->Box->Count(), kDomainSuffixRowCount);
  for (int i = 0; i < kDomainSuffixRowCount; ++i)
    EXPECT_EQ(form->Box->Item(i), kDomainSuffixRows[i]);
}

TEST_F(InternetTest, TypedLettersMoveByTheListsOwnFirstLetterSearch) {
  struct Step {
    const char* typed;
    const char* selected;
  } steps[] = {{"j", "JM\tJamaica"},
               {"J", "JO\tJordan"},
               {"j", "JP\tJapan"},
               {"j", "JM\tJamaica"},
               {"n", "NA\tNamibia"}};
  for (const Step& s : steps) {
    typeText(form->Box->Handle(), s.typed);
    EXPECT_EQ(selected(), s.selected) << "after " << s.typed;
  }
}

TEST_F(InternetTest, ButtonsCloseAndShowTheSuffixHelp) {
  form->SetBounds(50, 50, 500, 400);
  EXPECT_EQ(form->btOK->Left(), 500 - form->btOK->Width() - 20);
  EXPECT_EQ(form->btHelp->Left(), form->btOK->Left() - form->btHelp->Width() - 5);

  EXPECT_EQ(pellawintest::HelpPanelsShownBy(form->btHelp->Handle()), "010");

  pressKey(form->Box->Handle(), VK_ESCAPE);
  EXPECT_FALSE(form->Visible());
  form->Show();
  click(form->btOK->Handle(), 5, 5);
  EXPECT_FALSE(form->Visible());
}

} // namespace
