#include <foundation/tests/checkrecorder.h>

#include <foundation/system/checkfailed.h>
#include <foundation/system/outofmemory.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tests/support/ModalAnswerer.h>

#include <string>

using testsupport::ModalAnswerer;

namespace {

constexpr CheckSite Site{"FPATH", 851};

} // namespace

TEST(CheckFailedTest, RecordingSinkHearsEachFailureAndTheLoopGoesOn) {
  CheckRecorder recorder;
  int passes = 0;
  for (int i = 0; i < 3; ++i) {
    CheckFailed(Site, i == 1);
    ++passes;
  }
  EXPECT_EQ(3, passes);
  EXPECT_THAT(recorder.seen,
              testing::ElementsAre(CheckRecorder::Pair{"FPATH", 851}, CheckRecorder::Pair{"FPATH", 851}));
}

TEST(CheckFailedTest, ProgramSinkShowsOneErrorBoxPerFailure) {
  ModalAnswerer answerer;
  answerer.answer("Check failed at line 851 in file FPATH", IDOK);
  answerer.answer("Check failed at line 851 in file FPATH", IDOK);
  CheckFailed(Site, 1);
  EXPECT_EQ(0, CheckFailed(Site, 0));
  EXPECT_EQ(0, CheckFailed(Site, 0));
  ASSERT_EQ(2u, answerer.seen().size()) << answerer.describeSeen();
  EXPECT_EQ("Check failed at line 851 in file FPATH", answerer.seen()[0].text);
}

TEST(CheckFailedTest, OutOfMemoryIsReportedInItsBox) {
  ModalAnswerer answerer;
  answerer.answer("Fatal error", IDOK);
  FatalOutOfMemory(nullptr);
  ASSERT_EQ(1u, answerer.seen().size());
  EXPECT_EQ("Fatal error: Out of memory", answerer.seen()[0].text);
}
