#include <engine/expressions/EvaluateExpression.h>
#include <engine/expressions/ExpandVariables.h>
#include <engine/expressions/ScriptExpressions.h>
#include <engine/expressions/VariableStore.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int Error = INT_MIN + 12345; // marks a row that expects an error, never a value

std::string repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i)
    out += piece;
  return out;
}

class ExpressionTest : public testing::Test {
protected:
  void SetUp() override {
    *store.integervariable("x", 1) = 5;
    *store.integervariable("big", 1) = INT_MAX;
    *store.integervariable("min", 1) = INT_MIN;
    *store.integervariable(std::string(39, 'v').c_str(), 1) = 39;
    SetStringValue(store.stringvariable("name", 1), "Val");
    SetStringValue(store.stringvariable("x", 1), "text of x");
    store.setsourcepath("a:\\src");
  }

  VariableStore store;
};

struct EvaluationCase {
  std::string text;
  int value; // or Error
  int error;
};

} // namespace

TEST_F(ExpressionTest, EveryOperatorPriorityAndError) {
  const std::vector<EvaluationCase> cases = {
      {"1", 1, 0},
      {"2+3*4", 14, 0},
      {"(2+3)*4", 20, 0},
      {"10-4-3", 3, 0},
      {"6/2*3", 9, 0},
      {"7/2", 3, 0},
      {"0-7/2", -3, 0},
      {"1+2<4", 1, 0},
      {"3<2", 0, 0},
      {"2<=2", 1, 0},
      {"3>2", 1, 0},
      {"2>=3", 0, 0},
      {"1<2==1", 1, 0},
      {"1!=1", 0, 0},
      {"2==2&1", 1, 0},
      {"6&3", 2, 0},
      {"6^3", 5, 0},
      {"6|3", 7, 0},
      // Each row below gives another value when the two priorities it mixes are taken the wrong way
      // round: * over +, + over <, < over ==, == over &, & over ^, ^ over |, | over &&, && over ||.
      {"2*3+4", 10, 0},
      {"6^3&5", 7, 0},
      {"3&5^6", 7, 0},
      {"1|1^1", 1, 0},
      {"2|1&&1", 1, 0},
      {"1&&0|2", 1, 0},
      {"1&&2", 1, 0},
      {"0||5", 1, 0},
      {"1||0&&0", 1, 0},
      {"!0&&1", 1, 0},
      {"!x", 0, 0},
      {"!!x", 1, 0},
      {"!(x-5)", 1, 0},
      {"x * 2 ", 10, 0},
      {std::string(39, 'v'), 39, 0},
      // The left value alone decides; the right operand is never evaluated.
      {"0&&nope", 0, 0},
      {"1||nope", 1, 0},
      {"0/nope", 0, 0},
      {"0/0", 0, 0},
      {"1&&nope", Error, UnknownVariable},
      {"nope", Error, UnknownVariable},
      {"1/0", Error, UnknownVariable},
      {"x/(x-5)", Error, UnknownVariable},
      // 32-bit two's complement with wrap-around.
      {"big+1", INT_MIN, 0},
      {"0-2147483647-2", INT_MAX, 0},
      {"65536*65536", 0, 0},
      {"65537*65537", 131073, 0},
      {"2147483648", INT_MIN, 0},
      {"4294967297", 1, 0},
      {"min/(0-1)", INT_MIN, 0},
      {"min*(0-1)", INT_MIN, 0},
      // Syntax.
      {"", Error, ExpressionSyntax},
      {"   ", Error, ExpressionSyntax},
      {"-1", Error, ExpressionSyntax},
      {"a=1", Error, ExpressionSyntax},
      {"(1", Error, ExpressionSyntax},
      {"1)", Error, ExpressionSyntax},
      {"()", Error, ExpressionSyntax},
      {"1 and 1", Error, ExpressionSyntax},
      {"1 2", Error, ExpressionSyntax},
      {"1+", Error, ExpressionSyntax},
      {"!", Error, ExpressionSyntax},
      {"x!", Error, ExpressionSyntax},
      {"1 # 2", Error, ExpressionSyntax},
      {std::string(40, 'v'), Error, ExpressionSyntax},
      // Nesting.
      {repeat("(", 200) + "7" + repeat(")", 200), 7, 0},
      {repeat("(", 300) + "7" + repeat(")", 300), Error, ExpressionSyntax},
      {repeat("(", 100000), Error, ExpressionSyntax},
      {repeat("!", 200) + "0", 0, 0},
      {repeat("!", 300) + "0", Error, ExpressionSyntax},
      {repeat("1+", 199) + "1", 200, 0},
      {repeat("1+", 300) + "1", Error, ExpressionSyntax},
      {repeat("1+", 100000) + "1", Error, ExpressionSyntax},
      {repeat("1*1+", 100) + "1", 101, 0},
  };
  for (const EvaluationCase& c : cases) {
    std::string shown = c.text.substr(0, 40);
    int result = Error;
    int ok = EvaluateExpression(store, c.text.c_str(), result);
    EXPECT_EQ(c.error, ExpressionError()) << shown;
    EXPECT_EQ(c.error == 0, ok) << shown;
    EXPECT_EQ(c.value, result) << shown;
  }
}

TEST_F(ExpressionTest, Expansions) {
  struct Case {
    std::string text;
    int size;
    const char* expected; // none for an error
    int error;
  } cases[] = {
      {"a$", 256, "a$", 0},
      {"$$x", 256, "$x", 0},
      {"cost: $5", 256, "cost: $5", 0},
      {"$ x", 256, "$ x", 0},
      {"${name}", 256, "Val", 0},
      {"$name!", 256, "Val!", 0},
      {"[$x]", 256, "[text of x]", 0},
      {"$s\\setup", 256, "a:\\src\\setup", 0},
      {"${x", 256, nullptr, BadVariableName},
      {"${na me}", 256, nullptr, BadVariableName},
      {"$" + std::string(40, 'n'), 256, nullptr, BadVariableName},
      {"${" + std::string(40, 'n') + "}", 256, nullptr, BadVariableName},
      {"$nope", 256, nullptr, UnknownVariable},
      {"$name_2", 256, nullptr, UnknownVariable},
      {"${big}", 256, nullptr, UnknownVariable},
      // A buffer of 8 holds 7 characters and the terminator.
      {"ab$name$$", 8, "abVal$", 0},
      {"abc$name$", 8, "abcVal$", 0},
      {"abcde$name", 8, nullptr, BadVariableName},
      {"12345678", 8, nullptr, BadVariableName},
  };
  for (const Case& c : cases) {
    char out[300];
    std::memset(out, '#', sizeof out);
    int ok = ExpandVariables(store, c.text.c_str(), out, c.size);
    EXPECT_EQ(c.error, ExpressionError()) << c.text;
    EXPECT_EQ(c.expected != nullptr, ok) << c.text;
    EXPECT_STREQ(c.expected ? c.expected : "", out) << c.text;
    EXPECT_EQ('#', out[c.size]) << c.text;
  }
}

TEST_F(ExpressionTest, WrappersReportEachErrorOnceInWords) {
  struct Recorder : ErrorReport {
    void reporterror(const char* text) override { seen.push_back(text); }
    std::vector<std::string> seen;
  } report;
  char out[StringValueSize];
  int result = 0;
  EXPECT_EQ(0, ExpandWithReport(store, "${x", out, sizeof out, report));
  EXPECT_EQ(0, ExpandWithReport(store, "$nope", out, sizeof out, report));
  EXPECT_EQ(0, EvaluateWithReport(store, "nope+1", result, report));
  EXPECT_EQ(0, EvaluateWithReport(store, "1/0", result, report));
  EXPECT_EQ(0, EvaluateWithReport(store, "1 +", result, report));
  EXPECT_EQ(1, ExpandWithReport(store, "$name", out, sizeof out, report));
  EXPECT_EQ(1, EvaluateWithReport(store, "x", result, report));
  EXPECT_EQ(5, result);
  EXPECT_THAT(report.seen, testing::ElementsAre(
                               "Bad variable name in expression ${x", "Unknown variable in expression $nope",
                               "Unknown variable in expression nope+1", "Unknown variable in expression 1/0",
                               "Syntax error in expression 1 +"));
}
