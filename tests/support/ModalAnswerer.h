#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace testsupport {

// What a user would have read on a message box or dialog.
struct SeenBox {
  std::string windowClass;
  std::string caption;
  std::string text; // a message box's text; for other dialogs, their static texts one per line
};

// Answers modal message boxes and dialogs for the test's thread, the way a user would, through a CBT
// hook: when a box is activated, the first pending rule whose match appears in its caption or text
// answers it. Every box seen is recorded. A dialog box (class "#32770") that no rule answers fails the
// test and is closed with IDCANCEL, so that an unexpected question can never hang a run; a one-shot
// rule still pending when the answerer goes fails the test too.
class ModalAnswerer {
public:
  using Action = std::function<void(HWND)>;

  ModalAnswerer();
  ~ModalAnswerer();
  ModalAnswerer(const ModalAnswerer&) = delete;
  ModalAnswerer& operator=(const ModalAnswerer&) = delete;

  // Presses the button `id` (IDOK, IDYES, IDNO...) on the next box that matches.
  ModalAnswerer& answer(const std::string& match, int id);
  // The same for every box that matches, for as long as the answerer lives.
  ModalAnswerer& answerAlways(const std::string& match, int id);
  // Lets every window that matches open and stay unanswered: a modeless window the test drives itself.
  ModalAnswerer& leaveOpen(const std::string& match);
  // Runs `action` on the next top-level window of any class that matches (a dialog or a modal form),
  // typically to fill in its controls and post the button that closes it. The action runs while the
  // window is being activated: it should post, not send, whatever closes the window.
  ModalAnswerer& act(const std::string& match, Action action);
  // Presses Enter on the next box that matches, once it is up and in front: the box's own loop reads the
  // key and takes its default button, as a user who only hits Enter does.
  ModalAnswerer& enterOn(const std::string& match);

  const std::vector<SeenBox>& seen() const { return seen_; }
  // The boxes seen, as "caption: text" lines, for readable failure messages.
  std::string describeSeen() const;
  size_t pending() const;

private:
  struct Rule {
    std::string match;
    Action action;
    bool dialogsOnly;
    bool always;
    bool used = false;
  };

  static LRESULT CALLBACK hookProc(int code, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK hideProc(int code, WPARAM wParam, LPARAM lParam);
  static void CALLBACK deferredActivate(HWND, UINT, UINT_PTR timer, DWORD);
  void onActivate(HWND hwnd);
  void respond(HWND hwnd);
  Rule* findRule(const SeenBox& box);

  HHOOK hook_ = nullptr;
  HHOOK hideHook_ = nullptr;
  ModalAnswerer* previous_ = nullptr;
  std::vector<Rule> rules_;
  std::vector<SeenBox> seen_;
  std::set<HWND> handled_;
};

// The text of a message box or the static texts of a dialog, as recorded in SeenBox.
std::string dialogText(HWND dialog);

} // namespace testsupport
