#include <formsrt/Text.h>
#include <formsrt/tests/ErrorOf.h>

#include <gtest/gtest.h>

using namespace formsrt;

namespace {

TEST(TextTest, ValTakesTheLeadingNumberIgnoringBlanks) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {{"12abc", 12}, {"abc", 0},    {"", 0},        {" 1 2 3", 123}, {"-8.5x", -8.5},
               {"9.5", 9.5},  {"1e3", 1000}, {"1.2.3", 1.2}, {"+7", 7}};
  for (const Case& c : cases)
    EXPECT_DOUBLE_EQ(Val(c.text), c.value) << c.text;
}

TEST(TextTest, CIntRoundsHalvesToEvenAndChecksRange) {
  struct Case {
    double value;
    int result;
  } cases[] = {{8.5, 8}, {9.5, 10}, {-2.5, -2}, {2.4999, 2}, {32767, 32767}, {-32768, -32768}};
  for (const Case& c : cases)
    EXPECT_EQ(CInt(c.value), c.result) << c.value;
  EXPECT_EQ(errorOf([] { CInt(32767.5); }), errOverflow);
  EXPECT_EQ(errorOf([] { CInt(-32769.0); }), errOverflow);
}

TEST(TextTest, CIntOfTextNeedsAWholeNumber) {
  EXPECT_EQ(CInt(" 520 "), 520);
  EXPECT_EQ(CInt("-3"), -3);
  EXPECT_EQ(errorOf([] { CInt("12abc"); }), errTypeMismatch);
  EXPECT_EQ(errorOf([] { CInt(""); }), errTypeMismatch);
  EXPECT_EQ(errorOf([] { CInt("40000"); }), errOverflow);
}

TEST(TextTest, TrimAndSlices) {
  EXPECT_EQ(Trim("  a b  "), "a b");
  EXPECT_EQ(LTrim("  a "), "a ");
  EXPECT_EQ(RTrim(" a  "), " a");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(Mid("abcdef", 4, 2), "de");
  EXPECT_EQ(Mid("abc", 5), "");
  EXPECT_EQ(Left("ab", 5), "ab");
  EXPECT_EQ(Right("abcdef", 2), "ef");
  EXPECT_EQ(errorOf([] { Mid("abc", 0); }), errInvalidCall);
}

TEST(RuntimeErrorTest, DescribesNumberAndText) {
  EXPECT_EQ(RuntimeError(errFileNotFound).describe(), "53 - File not found");
  EXPECT_EQ(RuntimeError(errPastEnd).describe(), "62 - Input past end of file");
}

} // namespace
