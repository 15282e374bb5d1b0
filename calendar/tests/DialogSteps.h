#pragma once

#include "ModalAnswerer.h"
#include "ModalSteps.h"
#include "RealInput.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

using testsupport::actByUser;

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
