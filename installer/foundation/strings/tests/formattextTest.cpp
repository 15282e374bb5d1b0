#include <foundation/strings/formattext.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::string format(std::size_t limit, const char* text, ...) {
  va_list args;
  va_start(args, text);
  std::string result = FormatText(text, args, limit);
  va_end(args);
  return result;
}

} // namespace

TEST(FormatTextTest, CutsAtTheCallersRoomAndNowhereElse) {
  const std::string long600(600, 'x');
  struct Case {
    const char* name;
    std::size_t limit;
    std::string expected;
  } cases[] = {
      {"fits with its terminator", 6, "abcde"}, {"one over loses the last character", 5, "abcd"},
      {"room for the terminator only", 1, ""},  {"no room at all", 0, ""},
      {"no limit", AnyLength, "abcde"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, format(c.limit, "%s", "abcde")) << c.name;
  EXPECT_EQ(long600, format(AnyLength, "%s", long600.c_str())) << "longer than any old fixed buffer";
  EXPECT_EQ(std::string(511, 'x'), format(512, "%s", long600.c_str()));
}

TEST(FormatTextTest, EmptyAndPercentHeavyFormats) {
  EXPECT_EQ("", format(AnyLength, ""));
  EXPECT_EQ("", format(AnyLength, "%s", ""));
  EXPECT_EQ("100% of 7 parts: a%sb", format(AnyLength, "%d%% of %u parts: %s", 100, 7u, "a%sb"));
  EXPECT_EQ("%%%", format(AnyLength, "%%%%%%"));
  // A cut that falls inside an expansion keeps what fits.
  EXPECT_EQ("-00042|", format(8, "%06d|%-4s|", -42, "ab"));
  EXPECT_EQ("3.50 ffff FFFF", format(AnyLength, "%.2f %x %X", 3.5, 0xFFFFu, 0xFFFFu));
}
