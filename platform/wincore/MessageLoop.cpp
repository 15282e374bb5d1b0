#include <wincore/MessageLoop.h>

#include <memory>
#include <utility>

namespace wincore {

namespace {

struct Filter {
  int id;
  std::shared_ptr<MessageFilter> filter;
};

std::vector<Filter>& filters() {
  static std::vector<Filter> all;
  return all;
}

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

} // namespace

int addMessageFilter(MessageFilter filter) {
  static int lastId = 0;
  filters().push_back(Filter{++lastId, std::make_shared<MessageFilter>(std::move(filter))});
  return lastId;
}

void removeMessageFilter(int id) {
  auto& all = filters();
  for (auto it = all.begin(); it != all.end(); ++it) {
    if (it->id == id) {
      all.erase(it);
      return;
    }
  }
}

bool processMessage(MSG& message) {
  if (message.message == WM_QUIT)
    return false;
  // A copy: a filter may add or remove filters (a dialog closing) while it runs.
  std::vector<Filter> current = filters();
  for (const Filter& f : current) {
    if ((*f.filter)(message))
      return true;
  }
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

bool pumpMessage() {
  MSG message;
  if (GetMessageA(&message, nullptr, 0, 0) <= 0) {
    PostQuitMessage(static_cast<int>(message.wParam));
    return false;
  }
  processMessage(message);
  return true;
}

int runMessageLoop() {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0)
    processMessage(message);
  return static_cast<int>(message.wParam);
}

bool runModalLoop(const std::function<bool()>& keepGoing) {
  while (keepGoing()) {
    if (!pumpMessage())
      return false;
  }
  return true;
}

ModalDisabler::ModalDisabler(HWND modal) {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&windows));
  HWND active = GetActiveWindow();
  if (active != modal)
    previous_ = active;
  for (HWND other : windows) {
    if (other == modal || !IsWindowVisible(other) || !IsWindowEnabled(other))
      continue;
    EnableWindow(other, FALSE);
    disabled_.push_back(other);
  }
}

ModalDisabler::~ModalDisabler() {
  for (HWND other : disabled_) {
    if (IsWindow(other))
      EnableWindow(other, TRUE);
  }
  if (previous_ && IsWindow(previous_))
    SetActiveWindow(previous_);
}

} // namespace wincore
