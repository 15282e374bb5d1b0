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
inline void pressButton(HWND dialog, int id) { testsupport::realinput::clickControl(GetDlgItem(dialog, id)); }

// The open alarm, snoozed for `minutes` as a user does it: a click into its box, what is there selected
// and typed over, then a click on its Snooze button. False when no alarm is open.
inline bool snoozeAlarm(int minutes) {
  HWND alarm = FindWindowA(nullptr, "Calvorne Alarm !");
  if (!alarm)
    return false;
  namespace realinput = testsupport::realinput;
  realinput::bringToFront(alarm);
  realinput::typeOver(GetDlgItem(alarm, IDC_SNOOZE), std::to_string(minutes));
  pressButton(alarm, IDC_SNOOZEBUTTON);
  return true;
}
