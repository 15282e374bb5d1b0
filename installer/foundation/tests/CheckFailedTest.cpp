#include "CheckFailed.h"

#include <gtest/gtest.h>

TEST(CheckFailedTest, Placeholder) { EXPECT_EQ(1, CheckFailed(CheckSite{"X", 1}, 1)); }
