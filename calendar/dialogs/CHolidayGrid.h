#pragma once

#include <gridctrl/GridCtrl.h>

// The holiday dialog's grid: a check box for each holiday's enabled flag, its name, its notification
// days and its description. Only the notification days are edited in place, and only whole numbers
// from 1 to 99 are taken; the parent is told of a value refused.
class CHolidayGrid : public CGridCtrl {
public:
  enum Column { kEnabled = 0, kName, kNotifyDays, kDescription };
  // Posted to the grid's parent when a notification-days entry was refused, so that the user is told
  // once the edit has ended (a message box during it would end it a second time).
  static constexpr UINT kRefusedMessage = WM_APP + 20;
  static constexpr int kMinNotifyDays = 1;
  static constexpr int kMaxNotifyDays = 99;

  // The notification days of a text: a whole number 1..99, else -1.
  static int ParseNotifyDays(const char* text);

  void OnLButtonCell(int col, int row, BOOL down, const CRect& rect, CPoint point, int typeAnswer) override;
  BOOL OnEndEdit(int col, int row, CEdit* editor) override;
  int CompareCells(const CGridCell&, const CGridCell&) override { return 0; }
};
