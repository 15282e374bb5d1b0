#include <tests/support/TestProgram.h>

#include <foundation/system/ctl3d.h>
#include <foundation/windows/threedhook.h>

#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

namespace {

int hooked = 0;
void recordHook(HWND) { ++hooked; }

// Names another file for the library in one scope.
class ctl3dname {
public:
  explicit ctl3dname(const char* name) : previous_(SetCtl3dName(name)) {}
  ~ctl3dname() { SetCtl3dName(previous_); }

private:
  const char* previous_;
};

} // namespace

TEST(Ctl3dTest, StartsNestAndTheLastStopFreesTheLibrary) {
  SetThreeDHook(recordHook);
  ASSERT_EQ(1, Ctl3dStart());
  EXPECT_TRUE(GetModuleHandleA("ctl3d32.dll"));
  EXPECT_EQ(1, Ctl3dStart());
  Ctl3dStop();
  EXPECT_EQ(1, Ctl3dActive());
  ApplyThreeDLook(nullptr);
  EXPECT_EQ(0, hooked) << "the library's hook replaced the one before";
  Ctl3dStop();
  EXPECT_EQ(0, Ctl3dActive());
  EXPECT_FALSE(GetModuleHandleA("ctl3d32.dll"));
  ApplyThreeDLook(nullptr);
  EXPECT_EQ(0, hooked) << "no hook after the last stop";
  Ctl3dStop();
  EXPECT_EQ(0, Ctl3dActive());
}

TEST(Ctl3dTest, AnAbsentLibraryLeavesControlsAlone) {
  ctl3dname name("noctl3d32.dll");
  EXPECT_EQ(0, Ctl3dStart());
  EXPECT_EQ(0, Ctl3dActive());
  HWND button = CreateWindowExA(0, "BUTTON", "b", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  WNDPROC before = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_WNDPROC));
  Ctl3dSubclassControl(button);
  EXPECT_EQ(before, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(button, GWLP_WNDPROC)));
  DestroyWindow(button);
  Ctl3dStop();
}

TEST(Ctl3dTest, TheSystemsLibraryIsLoadedNotACopyBesideTheProgram) {
  // A library of that name beside the program, without the entries.
  std::string copy = testsupport::testProgramFolder() + "ctl3d32.dll";
  ASSERT_TRUE(CopyFileA((testsupport::testProgramFolder() + "kxlangtest.dll").c_str(), copy.c_str(), FALSE));
  // Started from another folder, as the engine is.
  testsupport::TempDir elsewhere;
  char current[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, current);
  SetCurrentDirectoryA(elsewhere.path().c_str());
  EXPECT_EQ(1, Ctl3dStart());
  SetCurrentDirectoryA(current);
  EXPECT_FALSE(GetModuleHandleA(copy.c_str()));
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  EXPECT_TRUE(GetModuleHandleA((std::string(system) + "\\ctl3d32.dll").c_str()));
  Ctl3dStop();
  EXPECT_TRUE(DeleteFileA(copy.c_str()));
}
