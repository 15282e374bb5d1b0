#pragma once

#include <ModalAnswerer.h>

#include <windows.h>

#include <string>

// Answers the next system-modal error box with OK and keeps its text. Such a box is activated before
// its text is in place, so the text is read a moment later, from inside the box's own message loop.
class SystemModalBox {
public:
  explicit SystemModalBox(testsupport::ModalAnswerer& answerer) {
    text_.clear();
    answerer.act("Error", [](HWND box) {
      box_ = box;
      SetTimer(nullptr, 0, 10, readTextAndClose);
    });
  }

  const std::string& text() const { return text_; }

private:
  static void CALLBACK readTextAndClose(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    text_ = testsupport::dialogText(box_);
    PostMessageA(box_, WM_COMMAND, IDOK, 0);
  }

  static inline HWND box_ = nullptr;
  static inline std::string text_;
};
