#include <tests/support/ModalAnswerer.h>

#include <tests/support/RealInput.h>
#include <tests/support/WindowText.h>

#include <gtest/gtest.h>

#include <map>

namespace testsupport {

namespace {

thread_local ModalAnswerer* t_current = nullptr;
thread_local std::map<UINT_PTR, HWND> t_deferred;
thread_local HWND t_enterOn = nullptr;

constexpr int kMessageBoxTextId = 0xFFFF;

std::string className(HWND hwnd) {
  char buffer[256] = "";
  GetClassNameA(hwnd, buffer, sizeof buffer);
  return buffer;
}

bool isDialog(HWND hwnd) { return className(hwnd) == "#32770"; }

bool matches(const std::string& match, const SeenBox& box) {
  return match.empty() || box.caption.find(match) != std::string::npos ||
         box.text.find(match) != std::string::npos;
}

BOOL CALLBACK collectStatic(HWND child, LPARAM param) {
  auto* text = reinterpret_cast<std::string*>(param);
  char cls[64] = "";
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Static") != 0)
    return TRUE;
  std::string line = windowText(child);
  if (line.empty())
    return TRUE;
  if (!text->empty())
    *text += '\n';
  *text += line;
  return TRUE;
}

// A box without an owner is not yet in front while it is being activated, so the key waits for the
// box's own loop to run this.
void CALLBACK pressEnterNow(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  using realinput::keyStroke;
  realinput::bringToFront(t_enterOn);
  realinput::sendAtOnce({keyStroke(VK_RETURN, false), keyStroke(VK_RETURN, true)});
}

} // namespace

std::string dialogText(HWND dialog) {
  if (HWND messageText = GetDlgItem(dialog, kMessageBoxTextId))
    return windowText(messageText);
  std::string text;
  EnumChildWindows(dialog, collectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

ModalAnswerer::ModalAnswerer() {
  previous_ = t_current;
  t_current = this;
  hook_ = SetWindowsHookExA(WH_CBT, hookProc, nullptr, GetCurrentThreadId());
  hideHook_ = SetWindowsHookExA(WH_CALLWNDPROC, hideProc, nullptr, GetCurrentThreadId());
  EXPECT_NE(hook_, nullptr) << "the CBT hook could not be installed";
}

ModalAnswerer::~ModalAnswerer() {
  if (hook_)
    UnhookWindowsHookEx(hook_);
  if (hideHook_)
    UnhookWindowsHookEx(hideHook_);
  t_current = previous_;
  for (const Rule& rule : rules_) {
    if (!rule.always && !rule.used)
      ADD_FAILURE() << "no box matching \"" << rule.match << "\" was shown; seen:\n" << describeSeen();
  }
}

ModalAnswerer& ModalAnswerer::answer(const std::string& match, int id) {
  rules_.push_back({match, [id](HWND hwnd) { PostMessageA(hwnd, WM_COMMAND, id, 0); }, true, false});
  return *this;
}

ModalAnswerer& ModalAnswerer::answerAlways(const std::string& match, int id) {
  rules_.push_back({match, [id](HWND hwnd) { PostMessageA(hwnd, WM_COMMAND, id, 0); }, true, true});
  return *this;
}

ModalAnswerer& ModalAnswerer::leaveOpen(const std::string& match) {
  rules_.push_back({match, [](HWND) {}, false, true});
  return *this;
}

ModalAnswerer& ModalAnswerer::act(const std::string& match, Action action) {
  rules_.push_back({match, std::move(action), false, false});
  return *this;
}

ModalAnswerer& ModalAnswerer::enterOn(const std::string& match) {
  return act(match, [](HWND box) {
    t_enterOn = box;
    SetTimer(nullptr, 0, 1, &pressEnterNow);
  });
}

std::string ModalAnswerer::describeSeen() const {
  std::string out;
  for (const SeenBox& box : seen_)
    out += "  [" + box.windowClass + "] " + box.caption + ": " + box.text + "\n";
  return out.empty() ? "  (none)\n" : out;
}

size_t ModalAnswerer::pending() const {
  size_t count = 0;
  for (const Rule& rule : rules_)
    count += !rule.always && !rule.used;
  return count;
}

LRESULT CALLBACK ModalAnswerer::hideProc(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && t_current && message->message == WM_SHOWWINDOW && !message->wParam)
    t_current->handled_.erase(message->hwnd);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK ModalAnswerer::hookProc(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && t_current)
    t_current->onActivate(reinterpret_cast<HWND>(wParam));
  if (code == HCBT_DESTROYWND && t_current)
    t_current->handled_.erase(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

ModalAnswerer::Rule* ModalAnswerer::findRule(const SeenBox& box) {
  bool dialog = box.windowClass == "#32770";
  for (Rule& rule : rules_) {
    if (rule.used || (rule.dialogsOnly && !dialog))
      continue;
    if (matches(rule.match, box))
      return &rule;
  }
  return nullptr;
}

void ModalAnswerer::onActivate(HWND hwnd) {
  // Under load Wine also reports the activation of other programs' windows (tests running beside this
  // one); only this thread's own boxes are answered.
  if (!hwnd || GetWindowThreadProcessId(hwnd, nullptr) != GetCurrentThreadId())
    return;
  if (GetParent(hwnd) && (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD))
    return;
  // A box is activated again when a box of its own closes; it is answered only the first time. A form
  // hidden in the meantime (one kept for the next use) is forgotten when it hides, so its next showing
  // is answered again.
  if (!handled_.insert(hwnd).second)
    return;
  // A system-modal message box is activated before its text is in place: a box with no text yet is
  // read a moment later, from inside its own message loop.
  if (isDialog(hwnd) && dialogText(hwnd).empty()) {
    t_deferred[SetTimer(nullptr, 0, 10, deferredActivate)] = hwnd;
    return;
  }
  respond(hwnd);
}

void CALLBACK ModalAnswerer::deferredActivate(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  HWND hwnd = t_deferred[timer];
  t_deferred.erase(timer);
  if (t_current && IsWindow(hwnd))
    t_current->respond(hwnd);
}

void ModalAnswerer::respond(HWND hwnd) {
  SeenBox box{className(hwnd), windowText(hwnd), dialogText(hwnd)};
  Rule* rule = findRule(box);
  if (rule || isDialog(hwnd))
    seen_.push_back(box);
  if (rule) {
    rule->used = !rule->always;
    Action action = rule->action; // the action may add rules, which moves the vector
    action(hwnd);
    return;
  }
  if (!isDialog(hwnd)) {
    handled_.erase(hwnd);
    return;
  }
  ADD_FAILURE() << "unexpected box [" << box.caption << "]: " << box.text;
  EndDialog(hwnd, IDCANCEL);
}

} // namespace testsupport
