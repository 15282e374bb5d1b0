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
