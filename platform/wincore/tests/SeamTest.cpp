#include <wincore/Seam.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

using Opener = std::function<std::string(const std::string&)>;

TEST(SeamTest, OverridesNestAndEachPutsBackWhatItReplaced) {
  wincore::Seam<Opener> seam{[](const std::string& path) { return "system " + path; }};
  {
    wincore::ScopedOverride<Opener> outer(seam, [](const std::string& path) { return "outer " + path; });
    {
      wincore::ScopedOverride<Opener> inner(seam, [](const std::string& path) { return "inner " + path; });
      EXPECT_EQ(seam("a"), "inner a");
    }
    EXPECT_EQ(seam("b"), "outer b");
  }
  EXPECT_EQ(seam("c"), "system c");
}

} // namespace
