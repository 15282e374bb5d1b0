#include <lookup/TfrmAreaCode.h>
#include <lookup/TfrmInternet.h>

#include <formlib/TApplication.h>

#include <tests/support/MessagePump.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

using namespace formlib;
using namespace pellawin;
using namespace testsupport;

namespace {

struct AreaCodeWindow {
  using Form = TfrmAreaCode;
  static constexpr const char* key = "frmArea";
  static constexpr RECT designed{199, 94, 540, 374};
};
struct InternetWindow {
  using Form = TfrmInternet;
  static constexpr const char* key = "frmInternet";
  static constexpr RECT designed{200, 102, 323, 380};
};

template <class Window> struct LookupWindowPlacementTest : ::testing::Test {
  LookupWindowPlacementTest() { Application->SetExeName(dir.file("pellawin.exe")); }
  ~LookupWindowPlacementTest() override {
    Application->SetExeName(exeName);
    pumpMessages();
  }
  static RECT bounds(const TForm& form) { return {form.Left(), form.Top(), form.Width(), form.Height()}; }

  std::string exeName = Application->ExeName();
  TempDir dir;
};

using Windows = ::testing::Types<AreaCodeWindow, InternetWindow>;
TYPED_TEST_SUITE(LookupWindowPlacementTest, Windows);

TYPED_TEST(LookupWindowPlacementTest, CentredUntilAPlacementIsSavedOnCloseThenRestoredOnShow) {
  using Form = typename TypeParam::Form;
  const RECT designed = TypeParam::designed;
  auto first = std::make_unique<Form>(nullptr);
  EXPECT_EQ(first->Left(), (GetSystemMetrics(SM_CXSCREEN) - designed.right) / 2);
  EXPECT_EQ(first->Top(), (GetSystemMetrics(SM_CYSCREEN) - designed.bottom) / 2);
  first->Show();
  first->SetBounds(30, 40, 500, 300);
  first->Close();
  std::string key = TypeParam::key;
  EXPECT_NE(readFile(this->dir.file("pellawin.ini")).find("[" + key + "]\r\n" + key + "="),
            std::string::npos);
  EXPECT_NE(readFile(this->dir.file("pellawin.ini")).find(" 30 40 530 340 \r\n"), std::string::npos);
  first.reset();

  // With a placement stored the window keeps its designed bounds until shown.
  auto second = std::make_unique<Form>(nullptr);
  RECT before = this->bounds(*second);
  EXPECT_EQ(before.left, designed.left);
  EXPECT_EQ(before.top, designed.top);
  second->Show();
  RECT after = this->bounds(*second);
  EXPECT_EQ(after.left, 30);
  EXPECT_EQ(after.top, 40);
  EXPECT_EQ(after.right, 500);
  EXPECT_EQ(after.bottom, 300);
}

} // namespace
