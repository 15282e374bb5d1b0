#include <wincore/ErrorReporter.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

TEST(ErrorReporterTest, AScopedReporterTakesErrorsAndGivesTheProgramsOneBack) {
  std::vector<std::string> outer, inner;
  wincore::ScopedErrorReporter first([&](std::exception_ptr e) { outer.push_back(wincore::errorText(e)); });
  {
    wincore::ScopedErrorReporter second(
        [&](std::exception_ptr e) { inner.push_back(wincore::errorText(e)); });
    wincore::guarded([] { throw std::runtime_error("disk full"); });
    wincore::guarded([] { throw 42; });
  }
  wincore::guarded([] { throw std::logic_error("after"); });
  EXPECT_EQ(inner, (std::vector<std::string>{"disk full", "Unknown error"}));
  EXPECT_EQ(outer, std::vector<std::string>{"after"});
}

TEST(ErrorReporterTest, AFailingReporterIsSwallowed) {
  wincore::ScopedErrorReporter failing([](std::exception_ptr) { throw std::runtime_error("again"); });
  EXPECT_NO_THROW(wincore::reportError(std::make_exception_ptr(std::runtime_error("first"))));
}

} // namespace
