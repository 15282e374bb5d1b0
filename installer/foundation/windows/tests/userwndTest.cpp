#include <foundation/windows/tests/highmemory.h>

#include <foundation/windows/userwnd.h>

#include <wincore/ErrorReporter.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <tests/support/ModalAnswerer.h>

#include <stdexcept>
#include <string>
#include <vector>

using testing::ElementsAre;
using testsupport::ModalAnswerer;

namespace {

// Records every message its handler sees.
class RecordingWindow : public userwnd {
public:
  LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    if (message == WM_USER)
      return 42;
    return DefWindowProcA(hwnd(), message, wParam, lParam);
  }
  std::vector<UINT> seen;
};

constexpr UINT Throw = WM_USER + 1;

// Fails in its handler for Throw, and for WM_DESTROY when told to.
class ThrowingWindow : public RecordingWindow {
public:
  LRESULT wndproc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == Throw || (message == WM_DESTROY && throwAtDestroy))
      throw std::runtime_error("handler failed");
    return RecordingWindow::wndproc(message, wParam, lParam);
  }
  bool throwAtDestroy = false;
};

const userwndclass& testClass() {
  static userwndclass description = [] {
    userwndclass c;
    c.name = "KxUserwndTest";
    c.registerclass();
    return c;
  }();
  return description;
}

HWND createWindow(userwnd& window) {
  wndcreate parameters;
  parameters.style = WS_OVERLAPPEDWINDOW;
  return window.create(testClass(), parameters) ? window.hwnd() : nullptr;
}

} // namespace

TEST(UserwndTest, HandlerSeesCreateFirstAndLetsGoAfterDestroy) {
  HighObject<RecordingWindow> window;
  ASSERT_TRUE(sizeof(void*) == 4 || window.aboveFourGiB()); // a 32-bit pointer cannot be truncated
  HWND handle = createWindow(*window);
  ASSERT_NE(nullptr, handle);
  ASSERT_FALSE(window->seen.empty());
  EXPECT_EQ(static_cast<UINT>(WM_CREATE), window->seen.front());
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(static_cast<thunk*>(window.get())), GetWindowLongPtrA(handle, 0));
  EXPECT_EQ(42, SendMessageA(handle, WM_USER, 0, 0));

  window->seen.clear();
  DestroyWindow(handle);
  EXPECT_EQ(static_cast<UINT>(WM_DESTROY), window->seen.back())
      << "WM_NCDESTROY goes to the default procedure";
  EXPECT_EQ(nullptr, window->hwnd());
}

TEST(UserwndTest, AHandlersFailureIsReportedAndTheWindowGoesOn) {
  std::vector<std::string> reported;
  wincore::ScopedErrorReporter reporter(
      [&](std::exception_ptr error) { reported.push_back(wincore::errorText(error)); });
  HighObject<ThrowingWindow> window;
  HWND handle = createWindow(*window);
  ASSERT_NE(nullptr, handle);

  SendMessageA(handle, Throw, 0, 0);
  EXPECT_THAT(reported, ElementsAre("handler failed"));
  EXPECT_EQ(42, SendMessageA(handle, WM_USER, 0, 0)) << "the window still answers";

  // A failure while the window goes still lets go of the object.
  window->throwAtDestroy = true;
  DestroyWindow(handle);
  EXPECT_THAT(reported, ElementsAre("handler failed", "handler failed"));
  EXPECT_EQ(nullptr, window->hwnd());
}

TEST(UserwndTest, DestroyingTheObjectFirstReportsAndDestroysTheWindow) {
  ModalAnswerer answerer;
  answerer.answer("del() must be called before userwnd::~userwnd()", IDOK)
      .answer("thunk::~thunk() called but it hasn't been detached", IDOK);
  HighObject<RecordingWindow> window;
  HWND handle = createWindow(*window);
  ASSERT_NE(nullptr, handle);
  window.destroy();
  EXPECT_FALSE(IsWindow(handle));
  ASSERT_EQ(2u, answerer.seen().size()) << answerer.describeSeen();
  EXPECT_EQ("del() must be called before userwnd::~userwnd()", answerer.seen()[0].text);
  EXPECT_EQ("thunk::~thunk() called but it hasn't been detached", answerer.seen()[1].text);
}

TEST(UserwndTest, AttachedByHandAndDetached) {
  HighObject<RecordingWindow> window;
  HWND handle = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  window->attach(handle);
  EXPECT_EQ(handle, window->hwnd());
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(static_cast<thunk*>(window.get())), GetWindowLongPtrA(handle, 0));
  window->detach();
  EXPECT_EQ(0, GetWindowLongPtrA(handle, 0));
  EXPECT_EQ(nullptr, window->hwnd());
  DestroyWindow(handle);
}
