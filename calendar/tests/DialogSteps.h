#pragma once

#include "ModalAnswerer.h"
#include "RealInput.h"
#include <calendar/resource.h>

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

// The open alarm, snoozed for `minutes` the way its window offers: the minutes written into its box, then
// its Snooze button. False when no alarm is open.
inline bool snoozeAlarm(int minutes) {
  HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !");
  if (!alarm)
    return false;
  SetDlgItemInt(alarm, IDC_SNOOZE, static_cast<UINT>(minutes), FALSE);
  SendMessageA(alarm, WM_COMMAND, IDC_SNOOZEBUTTON, 0);
  return true;
}
