#pragma once

#include <calendar/data/CDate.h>
#include <calendar/views/CCalMonthGrid.h>

#include <appframe/CView.h>

class CDorvixDoc;

// The lower pane: the month calendar. Days with listed entries are highlighted, the current entry's day
// is marked, and a day chosen here selects that day's rows in the list.
class CCalView : public CView {
  DECLARE_MESSAGE_MAP()

public:
  static constexpr UINT kGridId = 123;
  static constexpr COLORREF kEntryColour = RGB(170, 220, 255);

  CCalView();

  CDorvixDoc* GetDoc() const;
  CCalMonthGrid& Grid() { return grid_; }
  // Every listed entry's day in the shown month gets the highlight colour.
  void HighlightEntryDays();

  void OnUpdate(CView* sender, LPARAM hint, CObject* hintObject) override;
  void OnDraw(CDC*) override {}

protected:
  int OnCreate(CREATESTRUCTA* cs);
  void OnSize(UINT type, int cx, int cy);

private:
  void MarkEntryDay(const CObject* hintObject);
  void Highlight(const CDate& date);

  CCalMonthGrid grid_;
};
