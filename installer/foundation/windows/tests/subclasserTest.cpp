#include <foundation/windows/tests/highmemory.h>

#include <foundation/windows/subclasser.h>

#include <wincore/ErrorReporter.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Notes its name in a shared trail for WM_USER, then passes the message down the chain.
class TrailSubclasser : public subclasser {
public:
  TrailSubclasser(const char* name, std::string& trail) : name_(name), trail_(trail) {}
  LRESULT wndproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_USER)
      trail_ += name_;
    return defproc(window, message, wParam, lParam);
  }

private:
  const char* name_;
  std::string& trail_;
};

constexpr UINT Throw = WM_USER + 1;

// Fails in its handler for Throw, passes the rest down the chain.
class ThrowingSubclasser : public TrailSubclasser {
public:
  using TrailSubclasser::TrailSubclasser;
  LRESULT wndproc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == Throw)
      throw std::runtime_error("subclass handler failed");
    return TrailSubclasser::wndproc(window, message, wParam, lParam);
  }
};

WNDPROC originalProc = nullptr;
std::string* originalTrail = nullptr;

LRESULT CALLBACK trailProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER && originalTrail)
    *originalTrail += "own";
  return CallWindowProcA(originalProc, window, message, wParam, lParam);
}

class SubclasserTest : public testing::Test {
protected:
  SubclasserTest() {
    control = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    originalProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(trailProc)));
    originalTrail = &trail;
  }
  ~SubclasserTest() override {
    DestroyWindow(control);
    originalTrail = nullptr;
  }

  std::string send() {
    trail.clear();
    SendMessageA(control, WM_USER, 0, 0);
    return trail;
  }
  LONG_PTR proc() const { return GetWindowLongPtrA(control, GWLP_WNDPROC); }

  HWND control;
  std::string trail;
};

} // namespace

TEST_F(SubclasserTest, StackedSubclassersDetachedTopFirst) {
  HighObject<TrailSubclasser> first("first,", trail), second("second,", trail);
  ASSERT_TRUE(sizeof(void*) == 4 || first.aboveFourGiB()); // a 32-bit pointer cannot be truncated
  first->attach(control);
  LONG_PTR shared = proc();
  second->attach(control);
  EXPECT_EQ(second.get(), GetSubclassObject(control));
  EXPECT_EQ("second,first,own", send());

  second->detach();
  EXPECT_EQ(first.get(), GetSubclassObject(control));
  EXPECT_EQ(shared, proc());
  EXPECT_TRUE(first->isattached());
  EXPECT_EQ("first,own", send());

  first->detach();
  EXPECT_EQ(nullptr, GetSubclassObject(control));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(trailProc), proc());
  EXPECT_EQ("own", send());
}

TEST_F(SubclasserTest, StackedSubclassersDetachedBottomFirst) {
  HighObject<TrailSubclasser> first("first,", trail), second("second,", trail);
  first->attach(control);
  second->attach(control);

  first->detach();
  EXPECT_EQ(second.get(), GetSubclassObject(control));
  EXPECT_EQ("second,own", send());

  second->detach();
  EXPECT_EQ(nullptr, GetSubclassObject(control));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(trailProc), proc());
  EXPECT_EQ("own", send());
}

TEST_F(SubclasserTest, DestroyedWhileAttachedLeavesTheChainWhole) {
  HighObject<TrailSubclasser> first("first,", trail), second("second,", trail), third("third,", trail);
  first->attach(control);
  second->attach(control);
  third->attach(control);
  second.destroy();
  EXPECT_EQ("third,first,own", send());
  third.destroy();
  EXPECT_EQ("first,own", send());
  first.destroy();
  EXPECT_EQ("own", send());
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(trailProc), proc());
}

TEST_F(SubclasserTest, TheControlsGoingDetachesEveryObject) {
  HighObject<TrailSubclasser> first("first,", trail), second("second,", trail);
  first->attach(control);
  second->attach(control);
  DestroyWindow(control);
  control = nullptr;
  for (TrailSubclasser* object : {first.get(), second.get()}) {
    EXPECT_FALSE(object->isattached());
    EXPECT_EQ(nullptr, object->hwnd()) << "no object names a dead window";
  }
}

TEST_F(SubclasserTest, AHandlersFailureIsReportedAndTheControlGoesOn) {
  std::vector<std::string> reported;
  wincore::ScopedErrorReporter reporter(
      [&](std::exception_ptr error) { reported.push_back(wincore::errorText(error)); });
  ThrowingSubclasser thrower("thrower,", trail);
  thrower.attach(control);
  SendMessageA(control, Throw, 0, 0);
  EXPECT_EQ(std::vector<std::string>{"subclass handler failed"}, reported);
  EXPECT_EQ("thrower,own", send()) << "the control still answers";
}
