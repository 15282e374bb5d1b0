#include <formsrt/Printer.h>
#include <formsrt/tests/ErrorOf.h>

#include <tests/support/MetafileText.h>

#include <gtest/gtest.h>

using namespace formsrt;
using testsupport::metafileTexts;

namespace {

struct PrinterTest : ::testing::Test {
  PrinterObject printer;
  MetafilePages* pages = nullptr;
  int dpi = 0;
  int average = 0;
  PrinterTest() {
    auto target = std::make_unique<MetafilePages>();
    pages = target.get();
    printer.setTarget(std::move(target));
    printer.setScaleMode(PrinterObject::scaleInches);
    HDC screen = GetDC(nullptr);
    dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
};

TEST_F(PrinterTest, ItemsStandAtCharacterColumnsAndLinesMoveDown) {
  printer.setCurrentY(0.5);
  printer.Print({{5, "Plovera Event List"}, {70, "April 01, 2026"}});
  double second = printer.CurrentY();
  printer.Print();
  printer.Print({{5, "Date"}, {13, "Event"}});
  printer.EndDoc();
  ASSERT_EQ(pages->pages().size(), 1u);
  EXPECT_TRUE(pages->ended());
  std::vector<testsupport::DrawnText> texts = metafileTexts(pages->pages()[0]);
  ASSERT_EQ(texts.size(), 4u);
  int column = texts[0].x / 4; // column 5 starts four characters in
  EXPECT_GT(column, 0);
  EXPECT_EQ(texts[1].x, 69 * column);
  EXPECT_EQ(texts[3].x, 12 * column);
  EXPECT_EQ(texts[0].y, dpi / 2);
  EXPECT_EQ(texts[1].y, dpi / 2) << "items of one line share it";
  double lineHeight = second - 0.5;
  EXPECT_GT(lineHeight, 0.1);
  EXPECT_LT(lineHeight, 0.3);
  EXPECT_NEAR(texts[2].y, dpi * (0.5 + 2 * lineHeight), 2) << "an empty line takes its height";
  EXPECT_EQ(texts[2].text, "Date");
}

TEST_F(PrinterTest, NewPageStartsAtTheTopAndEndDocSendsEveryPage) {
  printer.Print({{1, "one"}});
  EXPECT_EQ(printer.Page(), 1);
  printer.NewPage();
  EXPECT_EQ(printer.CurrentY(), 0);
  EXPECT_EQ(printer.Page(), 2);
  printer.Print({{1, "two"}});
  printer.EndDoc();
  ASSERT_EQ(pages->pages().size(), 2u);
  EXPECT_EQ(metafileTexts(pages->pages()[0])[0].text, "one");
  EXPECT_EQ(metafileTexts(pages->pages()[1])[0].text, "two");
  EXPECT_EQ(metafileTexts(pages->pages()[1])[0].y, 0);
}

TEST_F(PrinterTest, KillDocAbandonsTheDocument) {
  printer.Print({{1, "gone"}});
  printer.KillDoc();
  EXPECT_TRUE(pages->aborted());
  EXPECT_FALSE(pages->ended());
  EXPECT_TRUE(pages->pages().empty());
}

TEST(DefaultPrinterTest, NoPrinterIsARuntimeError) {
  PrinterObject printer;
  EXPECT_EQ(errorOf([&] { printer.Print({{5, "x"}}); }), errPrinter);
  EXPECT_EQ(errorOf([&] { printer.EndDoc(); }), 0) << "nothing was started";
}

} // namespace
