#include <windows.h>

#include <gmock/gmock.h>

// Every test program runs on a desktop of its own. Test programs run side by side, and on one shared
// desktop Wine lets them take activation and focus from each other, so a test that checks where the
// focus went could fail because of its neighbour.
static void useOwnDesktop() {
  char name[64];
  wsprintfA(name, "test%lu", GetCurrentProcessId());
  HDESK desktop = CreateDesktopA(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
  if (desktop)
    SetThreadDesktop(desktop);
}

int main(int argc, char** argv) {
  useOwnDesktop();
  testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
