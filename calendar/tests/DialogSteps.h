#pragma once

#include <calendar/resource.h>
#include <tests/support/ModalAnswerer.h>
#include <tests/support/ModalSteps.h>
#include <tests/support/RealInput.h>

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

// The open alarm, snoozed for `minutes` as a user does it: a click into its box, what is there selected
// and typed over, then a click on its Snooze button. False when no alarm is open.
inline bool snoozeAlarm(int minutes) {
  HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !");
  if (!alarm)
    return false;
  namespace realinput = testsupport::realinput;
  realinput::bringToFront(alarm);
  realinput::click(alarm, realinput::centreOf(GetDlgItem(alarm, IDC_SNOOZE)));
  realinput::pressKey(VK_END);
  realinput::pressKey(VK_HOME, {VK_SHIFT});
  realinput::typeText(std::to_string(minutes));
  pressButton(alarm, IDC_SNOOZEBUTTON);
  return true;
}
