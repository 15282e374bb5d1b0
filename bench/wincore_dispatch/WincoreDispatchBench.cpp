// What the window core adds to every message: 100 000 messages sent to a bound window of the core's own
// class, to a subclassed system control, and to a plain window procedure (the floor the system itself
// costs), best of several runs; then the object look-up alone for the two kinds of bound window.
#include <wincore/BoundWindow.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

constexpr int kMessages = 100000;
constexpr int kRuns = 5;
constexpr UINT kPing = WM_USER + 1;
const char kPlainClass[] = "WincoreBenchPlain";
const char kOwnClass[] = "WincoreBenchOwn";

LRESULT CALLBACK plainProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kPing)
    return 1;
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

class Pinged : public wincore::BoundWindow {
protected:
  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kPing)
      return 1;
    return callDefault(message, wParam, lParam);
  }
};

// The best of several runs, in microseconds per call.
double microseconds(const std::function<void()>& call) {
  double best = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kMessages; ++i)
      call();
    std::chrono::duration<double, std::micro> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count() / kMessages);
  }
  return best;
}

double sending(HWND hwnd) {
  return microseconds([hwnd] { SendMessageA(hwnd, kPing, 0, 0); });
}

double lookingUp(HWND hwnd) {
  return microseconds([hwnd] { wincore::BoundWindow::fromHandle(hwnd); });
}

} // namespace

int main() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = &plainProcedure;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kPlainClass;
  RegisterClassA(&wc);
  HWND plain = CreateWindowExA(0, kPlainClass, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);

  Pinged own;
  wincore::BoundWindow::registerClass(kOwnClass, 0);
  own.create(0, kOwnClass, "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr);

  Pinged control;
  control.subclass(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
  if (!plain || !own.handle() || !control.handle()) {
    std::printf("the windows could not be made\n");
    return 1;
  }

  double floor = sending(plain);
  double ownClass = sending(own.handle());
  double subclassed = sending(control.handle());
  std::printf("%d messages each, best of %d runs, microseconds per message\n", kMessages, kRuns);
  std::printf("plain window procedure:   %8.3f\n", floor);
  std::printf("bound, own class:         %8.3f (ratio to plain %.2f)\n", ownClass, ownClass / floor);
  std::printf("bound, subclassed STATIC: %8.3f (ratio to plain %.2f)\n", subclassed, subclassed / floor);
  std::printf("look-up alone, own class:  %8.3f\n", lookingUp(own.handle()));
  std::printf("look-up alone, subclassed: %8.3f\n", lookingUp(control.handle()));

  own.destroy();
  control.destroy();
  DestroyWindow(plain);
  return 0;
}
