#include <calendar2/tests/PloveraFixture.h>

#include <formsrt/Printer.h>
#include <formsrt/RuntimeError.h>

#include <tests/support/MetafileText.h>

#include <gmock/gmock.h>

#include <algorithm>
#include <cstdio>

using namespace plovera;
using namespace testsupport;

namespace {

// Pages kept as metafiles, with a refusal at the start of one page.
class FailingPages : public formsrt::MetafilePages {
public:
  explicit FailingPages(int failingPage) : failingPage_(failingPage) {}
  HDC startPage() override {
    if (++started_ == failingPage_)
      formsrt::raiseError(formsrt::errPrinter);
    return MetafilePages::startPage();
  }

private:
  int failingPage_;
  int started_ = 0;
};

// Events on four days of each month, one with a description too long for its column.
std::vector<std::string> manyEvents() {
  std::vector<std::string> events;
  for (int month = 1; month <= 12; ++month)
    for (int day : {3, 9, 17, 25}) {
      char line[80];
      std::snprintf(line, sizeof line, "%02d/%02d|Event %02d-%02d||02", month, day, month, day);
      events.push_back(line);
    }
  events[0] = "01/03|" + std::string(70, 'L') + "||01";
  return events;
}

std::vector<std::string> textsOf(HENHMETAFILE page) {
  std::vector<std::string> texts;
  for (const DrawnText& drawn : metafileTexts(page))
    texts.push_back(drawn.text);
  return texts;
}

class PrintTest : public PloveraTest {
protected:
  ~PrintTest() override { formsrt::Printer.setTarget(nullptr); }
};

TEST_F(PrintTest, EveryPageHasItsHeadingAndEveryEventIsListedOnce) {
  auto& form = start(manyEvents());
  auto pages = std::make_unique<formsrt::MetafilePages>();
  auto* printed = pages.get();
  formsrt::Printer.setTarget(std::move(pages));
  answers_.answer("PRINT", IDYES);
  answers_.answer("sent to printer", IDOK);
  form.bPrint.press();

  ASSERT_TRUE(printed->ended());
  ASSERT_GE(printed->pages().size(), 2u);
  std::vector<std::string> all;
  for (HENHMETAFILE page : printed->pages()) {
    auto texts = textsOf(page);
    ASSERT_GE(texts.size(), 9u);
    EXPECT_THAT(std::vector<std::string>(texts.begin(), texts.begin() + 7),
                ::testing::ElementsAre("Plovera Event List", "March 10, 2026", "Harnfield Systems", "Date",
                                       "Event", "Year", " Type"));
    EXPECT_NE(texts[7 + 4], "=====") << "a separator right under the heading prints no second rule";
    all.insert(all.end(), texts.begin(), texts.end());
  }
  for (int month = 1; month <= 12; ++month)
    for (int day : {3, 9, 17, 25}) {
      char date[8];
      std::snprintf(date, sizeof date, "%02d/%02d", month, day);
      EXPECT_EQ(std::count(all.begin(), all.end(), date), 1) << date;
    }
  EXPECT_EQ(std::count(all.begin(), all.end(), std::string(57, 'L')), 1) << "cut to its column";
  EXPECT_EQ(all.back(), "48  Events Listed");
  ASSERT_EQ(answers_.seen().size(), 2u);
  EXPECT_EQ(answers_.seen()[1].caption, "Plovera");
}

// The failed job is abandoned, so the next print starts a document of its own with its heading.
TEST_F(PrintTest, AnErrorMidPrintLeavesNoOpenJob) {
  auto& form = start(manyEvents());
  form.Settings.Confirm = 'N';
  auto failing = std::make_unique<FailingPages>(2);
  auto* first = failing.get();
  formsrt::Printer.setTarget(std::move(failing));
  answers_.answer("There was a problem printing to your printer", IDOK);
  form.mnuPrint.Click();
  EXPECT_TRUE(first->aborted());
  EXPECT_FALSE(first->ended());
  EXPECT_EQ(form.MousePointer, 0);

  auto pages = std::make_unique<formsrt::MetafilePages>();
  auto* second = pages.get();
  formsrt::Printer.setTarget(std::move(pages));
  answers_.answer("sent to printer", IDOK);
  form.mnuPrint.Click();
  ASSERT_TRUE(second->ended());
  ASSERT_FALSE(second->pages().empty());
  EXPECT_EQ(textsOf(second->pages()[0]).front(), "Plovera Event List");
  EXPECT_EQ(answers_.pending(), 0u);
}

} // namespace
