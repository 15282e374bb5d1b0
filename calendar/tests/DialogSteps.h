#pragma once

#include "ModalAnswerer.h"
#include "RealInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

// A modal window driven the way a user drives it: once the window matching `match` is up, `steps` run
// from its own message loop (not from inside its activation), so that real input reaches it. The steps
// end it, typically with a button pressed.
inline void actByUser(testsupport::ModalAnswerer& answerer, const std::string& match,
                      std::function<void(HWND)> steps) {
  struct Pending {
    static std::function<void()>& steps() {
      static std::function<void()> pending;
      return pending;
    }
    static HWND& window() {
      static HWND shown = nullptr;
      return shown;
    }
    static void CALLBACK run(HWND, UINT, UINT_PTR timer, DWORD) {
      KillTimer(nullptr, timer);
      HWND shown = window();
      std::function<void()> now = std::move(steps());
      steps() = nullptr;
      // A window opened where the last one stood would take the first click at the same spot as the
      // second half of a double click: the user's next click comes later than that.
      Sleep(GetDoubleClickTime() + 50);
      if (now)
        now();
      // Steps that did not end the window would leave the test waiting for ever.
      if (IsWindow(shown) && IsWindowVisible(shown)) {
        ADD_FAILURE() << "the window stayed open after the user's steps";
        EndDialog(shown, IDCANCEL);
      }
    }
  };
  answerer.act(match, [steps](HWND window) {
    Pending::window() = window;
    Pending::steps() = [steps, window] { steps(window); };
    SetTimer(nullptr, 0, 1, &Pending::run);
  });
}

// A button of a dialog pressed with the mouse.
inline void pressButton(HWND dialog, int id) {
  testsupport::realinput::click(dialog, testsupport::realinput::centreOf(GetDlgItem(dialog, id)));
}

// Enter pressed on the next box that matches, once it is up and in front: the box's own loop reads the key
// and takes its default button, as a user who only hits Enter does. A box without an owner is not yet in
// front while it is being activated, so the key waits for the box's loop.
inline void enterOn(testsupport::ModalAnswerer& answerer, const std::string& match) {
  struct Pending {
    static HWND& box() {
      static HWND shown = nullptr;
      return shown;
    }
    static void CALLBACK run(HWND, UINT, UINT_PTR timer, DWORD) {
      KillTimer(nullptr, timer);
      using testsupport::realinput::keyStroke;
      testsupport::realinput::bringToFront(box());
      testsupport::realinput::sendAtOnce({keyStroke(VK_RETURN, false), keyStroke(VK_RETURN, true)});
    }
  };
  answerer.act(match, [](HWND box) {
    Pending::box() = box;
    SetTimer(nullptr, 0, 1, &Pending::run);
  });
}
