#pragma once

#include <appframe/CView.h>

// The lower pane until the month calendar is part of the program: the current month drawn as a table,
// with today marked. It is drawn again when the day changes or today's month is asked for.
class CPlainMonthView : public CView {
public:
  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void OnDraw(CDC* dc) override;
};
