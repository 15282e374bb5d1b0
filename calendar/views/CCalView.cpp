#include <calendar/views/CCalView.h>

#include <calendar/frame/CDorvixDoc.h>
#include <calendar/views/CListEntry.h>
#include <calendar/views/Hints.h>

BEGIN_MESSAGE_MAP(CCalView, CView)
ON_WM(WM_CREATE, OnCreate)
ON_WM(WM_SIZE, OnSize)
END_MESSAGE_MAP()

CCalView::CCalView() : grid_(this) {}

CDorvixDoc* CCalView::GetDoc() const { return static_cast<CDorvixDoc*>(GetDocument()); }

int CCalView::OnCreate(CREATESTRUCTA*) {
  CRect client = GetClientRect();
  return grid_.Create(WS_CHILD | WS_VISIBLE, client, this, kGridId) ? 0 : -1;
}

void CCalView::OnSize(UINT, int cx, int cy) {
  if (!grid_.m_hWnd)
    return;
  grid_.MoveWindow(0, 0, cx, cy);
  if (!grid_.HasMonth()) {
    CDate today;
    grid_.SetMonth(today.Month(), today.Year());
  }
  grid_.DoLayout();
}

void CCalView::Highlight(const CDate& date) {
  if (!date.IsValid() || date.Month() != grid_.Month() || date.Year() != grid_.Year())
    return;
  int col, row;
  grid_.CellOfDay(date.Day(), col, row);
  grid_.ChangeCell(col, row, [](CGridCell& cell) { cell.SetBkColor(kEntryColour); });
}

void CCalView::HighlightEntryDays() {
  CDorvixDoc* doc = GetDoc();
  if (!doc || !grid_.HasMonth())
    return;
  for (const auto& event : doc->events)
    if (event->listed && event->HasNextDate())
      Highlight(event->nextDate);
  for (const CHoliday& holiday : doc->holidays->holidays)
    if (holiday.listed)
      Highlight(holiday.Date());
}

void CCalView::MarkEntryDay(const CObject* hintObject) {
  auto* entry = dynamic_cast<const CListEntry*>(hintObject);
  if (!entry || !grid_.HasMonth())
    return;
  CDate date;
  if (entry->kind == CListEntry::EventKind) {
    if (!entry->event->listed || !entry->event->HasNextDate())
      return;
    date = entry->event->nextDate;
  } else {
    if (!entry->holiday->listed)
      return;
    date = entry->holiday->Date();
  }
  grid_.MarkDay(date.Day(), date.Month(), date.Year());
}

void CCalView::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  switch (hint) {
  case kHintEntryCurrent:
    MarkEntryDay(hintObject);
    break;
  case kHintListChanged:
    grid_.SetRedraw(0);
    grid_.ClearDays();
    HighlightEntryDays();
    grid_.SetRedraw(1);
    grid_.RedrawAll();
    MarkEntryDay(hintObject);
    break;
  case kHintNoDate:
    grid_.ClearMark();
    break;
  case kHintShowToday: {
    CDate today;
    grid_.SetMonth(today.Month(), today.Year());
    break;
  }
  case kHintDayChanged:
    grid_.RemarkToday();
    break;
  case kHintWeekStart:
    grid_.Refill();
    break;
  default:
    break;
  }
}
