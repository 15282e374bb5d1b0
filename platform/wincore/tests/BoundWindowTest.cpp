#include <wincore/BoundWindow.h>
#include <wincore/ErrorReporter.h>

#include <gtest/gtest.h>
#include <tests/support/WindowText.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

using testsupport::windowText;
using wincore::BoundWindow;

namespace {

const char kClass[] = "WincoreTestWindow";
constexpr UINT kPing = WM_USER + 1;
constexpr UINT kThrow = WM_USER + 2;
constexpr UINT kDestroySelf = WM_USER + 3;

// Records what it sees; answers kPing with its own address's low bits, so a truncated pointer shows.
class Recorder : public BoundWindow {
public:
  std::vector<std::string> log;
  int destroys = 0;
  int* deletions = nullptr;
  bool ownsItself = false;
  bool destroyAgainInDestroy = false;
  bool answerAfterSelfDestroy = false;

  ~Recorder() override {
    if (deletions)
      ++*deletions;
  }
  HWND make() {
    registerClass(kClass, 0);
    return create(0, kClass, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr);
  }

protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
    case kPing:
      return reinterpret_cast<LRESULT>(this);
    case kThrow:
      throw std::runtime_error("handler failed");
    case kDestroySelf:
      destroy();
      // The window is gone (and with ownsItself, the object): only the local state may be read.
      return 7;
    case WM_DESTROY:
      ++destroys;
      if (destroyAgainInDestroy)
        log.push_back(destroy() ? "destroyed again" : "second destroy refused");
      break;
    case WM_CHAR:
      if (wParam >= '0' && wParam <= '9')
        return 0;
      break;
    }
    return callDefault(message, wParam, lParam);
  }
  void onFinalMessage(HWND) override {
    log.push_back("final");
    if (ownsItself)
      delete this;
  }
};

TEST(BoundWindowTest, AWindowIsBoundAtCreationAndLetGoAtItsLastMessage) {
  Recorder recorder;
  HWND hwnd = recorder.make();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(recorder.handle(), hwnd);
  EXPECT_EQ(BoundWindow::fromHandle(hwnd), &recorder);
  EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 0); // the slot stays the window's own
  EXPECT_EQ(SendMessageA(hwnd, kPing, 0, 0), reinterpret_cast<LRESULT>(&recorder));
  SendMessageA(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("title")); // default handling
  EXPECT_EQ(windowText(hwnd), "title");

  EXPECT_TRUE(recorder.destroy());
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(recorder.handle(), nullptr);
  EXPECT_EQ(BoundWindow::fromHandle(hwnd), nullptr);
  EXPECT_EQ(recorder.log, std::vector<std::string>{"final"});
}

TEST(BoundWindowTest, ASubclassedControlKeepsItsUserDataAndGetsItsProcedureBack) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  SetWindowLongPtrA(edit, GWLP_USERDATA, 1234);
  auto original = GetWindowLongPtrA(edit, GWLP_WNDPROC);
  Recorder recorder;
  ASSERT_TRUE(recorder.subclass(edit));
  EXPECT_FALSE(Recorder().subclass(edit)); // one object per window

  for (char ch : std::string("a1b2"))
    SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(ch), 1);
  EXPECT_EQ(windowText(edit), "ab"); // digits taken by the object, the rest by the edit control
  EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_USERDATA), 1234);

  EXPECT_EQ(recorder.unsubclass(), edit);
  EXPECT_EQ(GetWindowLongPtrA(edit, GWLP_WNDPROC), original);
  EXPECT_EQ(BoundWindow::fromHandle(edit), nullptr);
  SendMessageA(edit, WM_CHAR, '3', 1);
  EXPECT_EQ(windowText(edit), "ab3");
  DestroyWindow(edit);
}

TEST(BoundWindowTest, ADestroyAskedForDuringTheDestructionIsRefused) {
  Recorder recorder;
  recorder.destroyAgainInDestroy = true;
  HWND hwnd = recorder.make();
  ASSERT_NE(hwnd, nullptr);
  DestroyWindow(hwnd);
  EXPECT_EQ(recorder.destroys, 1);
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"second destroy refused", "final"}));
  EXPECT_FALSE(recorder.destroy()); // nothing left to destroy
}

TEST(BoundWindowTest, AnErrorInAHandlerReachesTheReporterAndTheWindowGoesOn) {
  std::vector<std::string> reported;
  wincore::ScopedErrorReporter reporter(
      [&](std::exception_ptr error) { reported.push_back(wincore::errorText(error)); });
  Recorder recorder;
  HWND hwnd = recorder.make();
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(SendMessageA(hwnd, kThrow, 0, 0), 0);
  EXPECT_EQ(reported, std::vector<std::string>{"handler failed"});
  EXPECT_EQ(SendMessageA(hwnd, kPing, 0, 0), reinterpret_cast<LRESULT>(&recorder));
  recorder.destroy();
}

// Where a window's object is kept depends on how it was bound: the three ways, each with an object placed
// above 4 GiB (on a 64-bit build), so that a slot or property too narrow for a pointer shows.
struct Binding {
  const char* name;
  HWND (*bind)(Recorder& recorder);
};

const Binding kBindings[] = {
    {"created in a core class", [](Recorder& recorder) { return recorder.make(); }},
    {"a core class window bound later",
     [](Recorder& recorder) {
       BoundWindow::registerClass(kClass, 0);
       HWND hwnd = CreateWindowExA(0, kClass, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
       return recorder.subclass(hwnd) ? hwnd : nullptr;
     }},
    {"a subclassed control",
     [](Recorder& recorder) {
       HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
       return recorder.subclass(edit) ? edit : nullptr;
     }},
};

TEST(BoundWindowTest, EveryKindOfBoundWindowFindsItsObjectAnywhereInMemory) {
  for (const Binding& binding : kBindings) {
    SCOPED_TRACE(binding.name);
    void* block =
        VirtualAlloc(nullptr, sizeof(Recorder), MEM_COMMIT | MEM_RESERVE | MEM_TOP_DOWN, PAGE_READWRITE);
    ASSERT_NE(block, nullptr);
    if (sizeof(void*) == 8) {
      ASSERT_GT(reinterpret_cast<std::uintptr_t>(block), std::uintptr_t{0xFFFFFFFF});
    }
    auto* recorder = new (block) Recorder;
    HWND hwnd = binding.bind(*recorder);
    // Read at once: the system's reason when the window could not be made, so that a rare failure
    // names its cause.
    DWORD error = GetLastError();
    ASSERT_NE(hwnd, nullptr) << "no window, last error " << error;
    EXPECT_EQ(BoundWindow::fromHandle(hwnd), recorder);
    EXPECT_EQ(SendMessageA(hwnd, kPing, 0, 0), reinterpret_cast<LRESULT>(recorder));
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_USERDATA), 0);
    DestroyWindow(hwnd);
    EXPECT_EQ(recorder->handle(), nullptr);
    EXPECT_EQ(BoundWindow::fromHandle(hwnd), nullptr);
    EXPECT_EQ(recorder->log, std::vector<std::string>{"final"});
    recorder->~Recorder();
    VirtualFree(block, 0, MEM_RELEASE);
  }
}

TEST(BoundWindowTest, AnObjectMayDestroyItsWindowAndItselfInsideAHandler) {
  for (const Binding& binding : kBindings) {
    SCOPED_TRACE(binding.name);
    int deletions = 0;
    auto* recorder = new Recorder;
    recorder->deletions = &deletions;
    recorder->ownsItself = true;
    HWND hwnd = binding.bind(*recorder);
    // Read at once: the system's reason when the window could not be made, so that a rare failure
    // names its cause.
    DWORD error = GetLastError();
    ASSERT_NE(hwnd, nullptr) << "no window, last error " << error;
    EXPECT_EQ(SendMessageA(hwnd, kDestroySelf, 0, 0), 7);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(deletions, 1);
    EXPECT_EQ(BoundWindow::fromHandle(hwnd), nullptr);
    // Windows made after it, which may be handed the same handle value, find no object.
    for (int i = 0; i < 20; ++i) {
      HWND next = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
      EXPECT_EQ(BoundWindow::fromHandle(next), nullptr);
      DestroyWindow(next);
    }
  }
}

// Two threads bind and let go of their own controls at once, and both try to take one shared control:
// each finds only its own objects, and the shared control is bound once.
struct Contender {
  HANDLE start;
  HWND shared;
  Recorder claimant;
  bool won = false;
  int wrong = 0;
};

DWORD WINAPI bindAtTheSameTime(void* parameter) {
  auto* contender = static_cast<Contender*>(parameter);
  WaitForSingleObject(contender->start, INFINITE);
  contender->won = contender->claimant.subclass(contender->shared);
  for (int i = 0; i < 200; ++i) {
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
    Recorder recorder;
    if (!recorder.subclass(edit) || BoundWindow::fromHandle(edit) != &recorder ||
        SendMessageA(edit, kPing, 0, 0) != reinterpret_cast<LRESULT>(&recorder))
      ++contender->wrong;
    DestroyWindow(edit);
    if (recorder.handle() || BoundWindow::fromHandle(edit))
      ++contender->wrong;
  }
  return 0;
}

TEST(BoundWindowTest, ControlsBoundOnTwoThreadsAtOnceFindTheirOwnObjects) {
  HWND shared = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(shared, nullptr);
  HANDLE start = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Contender contenders[2];
  HANDLE threads[2];
  for (int i = 0; i < 2; ++i) {
    contenders[i].start = start;
    contenders[i].shared = shared;
    threads[i] = CreateThread(nullptr, 0, &bindAtTheSameTime, &contenders[i], 0, nullptr);
    ASSERT_NE(threads[i], nullptr);
  }
  SetEvent(start);
  WaitForMultipleObjects(2, threads, TRUE, INFINITE);
  for (HANDLE handle : threads)
    CloseHandle(handle);
  CloseHandle(start);

  EXPECT_EQ(contenders[0].wrong, 0);
  EXPECT_EQ(contenders[1].wrong, 0);
  ASSERT_NE(contenders[0].won, contenders[1].won);
  Recorder& winner = contenders[0].won ? contenders[0].claimant : contenders[1].claimant;
  EXPECT_EQ(BoundWindow::fromHandle(shared), &winner);
  EXPECT_EQ(SendMessageA(shared, kPing, 0, 0), reinterpret_cast<LRESULT>(&winner));
  DestroyWindow(shared);
  EXPECT_EQ(winner.log, std::vector<std::string>{"final"});
}

// Another subclass laid over the object's, as a library might add: it passes messages on to the core's
// procedure, which must still find the object.
WNDPROC underneath = nullptr;
int passedOn = 0;

LRESULT CALLBACK laidOver(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ++passedOn;
  return CallWindowProcA(underneath, hwnd, message, wParam, lParam);
}

TEST(BoundWindowTest, AControlSubclassedAgainOverItsObjectStillReachesIt) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  Recorder recorder;
  ASSERT_TRUE(recorder.subclass(edit));
  passedOn = 0;
  underneath =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&laidOver)));
  EXPECT_EQ(SendMessageA(edit, kPing, 0, 0), reinterpret_cast<LRESULT>(&recorder));
  EXPECT_EQ(passedOn, 1);
  EXPECT_EQ(BoundWindow::fromHandle(edit), &recorder);
  DestroyWindow(edit);
  EXPECT_EQ(recorder.handle(), nullptr);
  EXPECT_EQ(recorder.log, std::vector<std::string>{"final"});
}

TEST(BoundWindowTest, AControlLetGoByOneObjectCanBeBoundToAnother) {
  HWND edit = CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 80, 20, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(edit, nullptr);
  Recorder first;
  Recorder second;
  ASSERT_TRUE(first.subclass(edit));
  EXPECT_EQ(first.unsubclass(), edit);
  ASSERT_TRUE(second.subclass(edit));
  EXPECT_EQ(BoundWindow::fromHandle(edit), &second);
  EXPECT_EQ(SendMessageA(edit, kPing, 0, 0), reinterpret_cast<LRESULT>(&second));
  DestroyWindow(edit);
  EXPECT_TRUE(first.log.empty());
  EXPECT_EQ(second.log, std::vector<std::string>{"final"});
}

} // namespace
