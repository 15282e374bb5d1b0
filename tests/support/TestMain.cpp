#include <tests/support/TestDesktop.h>

#include <gmock/gmock.h>

int main(int argc, char** argv) {
  testsupport::useOwnDesktop();
  testing::InitGoogleMock(&argc, argv);
  int result = RUN_ALL_TESTS();
  testsupport::leaveOwnDesktop();
  return result;
}
