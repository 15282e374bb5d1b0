#include "CPlainListView.h"

#include "CDorvixDoc.h"
#include "CListEntry.h"
#include "CQuickEventDlg.h"
#include "Hints.h"
#include "resource.h"

#include <appframe/CFrameWnd.h>

#include <cstdio>

BEGIN_MESSAGE_MAP(CPlainListView, CView)
ON_WM(WM_CREATE, OnCreate)
ON_WM(WM_SIZE, OnSize)
ON_COMMAND(IDC_MODIFY, OnModifySelected)
ON_COMMAND(IDC_DELETE, OnDeleteSelected)
END_MESSAGE_MAP()

CDorvixDoc* CPlainListView::GetDoc() const { return static_cast<CDorvixDoc*>(GetDocument()); }

int CPlainListView::OnCreate(CREATESTRUCTA*) {
  bool made =
      list_.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY | LBS_USETABSTOPS,
                   CRect(0, 0, 0, 0), this, IDC_EVENTLIST);
  list_.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  return made ? 0 : -1;
}

void CPlainListView::OnSize(UINT, int cx, int cy) { list_.MoveWindow(0, 0, cx, cy); }

namespace {

std::string Line(const CDate& date, int minutes, const std::string& name, int daysLeft) {
  char text[160];
  int day, month, year;
  date.GetDMY(day, month, year);
  std::string when = date.IsValid() ? "" : "(no date)";
  if (date.IsValid()) {
    char part[32];
    std::snprintf(part, sizeof part, "%04d-%02d-%02d", year, month, day);
    when = part;
  }
  char time[16] = "";
  if (minutes >= 0)
    std::snprintf(time, sizeof time, "%02d:%02d", minutes / 60, minutes % 60);
  std::snprintf(text, sizeof text, "%s\t%s\t%s\t%d", when.c_str(), time, name.c_str(), daysLeft);
  return text;
}

} // namespace

void CPlainListView::Refill(int selectSerial) {
  CDorvixDoc* doc = GetDoc();
  if (!doc || !list_.m_hWnd)
    return;
  doc->Recount();
  list_.SendMessage(WM_SETREDRAW, FALSE);
  list_.SendMessage(LB_RESETCONTENT);
  int selected = -1;
  for (int i = 0; i < doc->GetEventCount(); ++i) {
    const CEventItem& event = *doc->GetEvent(i);
    if (!event.listed)
      continue;
    int row = list_.AddString(Line(event.nextDate, event.eventTime, event.name, event.daysLeft).c_str());
    list_.SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(row), event.serialNumber);
    if (event.serialNumber == selectSerial)
      selected = row;
  }
  for (CHoliday& holiday : doc->holidays->holidays) {
    if (!holiday.listed)
      continue;
    int row = list_.AddString(Line(holiday.Date(), -1, holiday.name, holiday.daysLeft).c_str());
    list_.SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(row), -1);
  }
  if (selected >= 0)
    Select(selected);
  list_.SendMessage(WM_SETREDRAW, TRUE);
  list_.Invalidate();
}

void CPlainListView::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  auto* entry = dynamic_cast<CListEntry*>(hintObject);
  int serial = entry && entry->event ? entry->event->serialNumber : -1;
  switch (hint) {
  case 0:
  case kHintListChanged:
  case kHintDayChanged:
    Refill(serial);
    break;
  case kHintEditEvent:
    EditEvent(serial);
    break;
  case kHintDeleteEvent:
    DeleteEvent(serial);
    break;
  default:
    break;
  }
}

int CPlainListView::SelectedSerial() const {
  int row = static_cast<int>(list_.SendMessage(LB_GETCURSEL));
  if (row < 0)
    return -1;
  return static_cast<int>(list_.SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(row)));
}

void CPlainListView::EditEvent(int serial) {
  CDorvixDoc* doc = GetDoc();
  CEventItem* event = doc ? doc->FindEvent(serial) : nullptr;
  if (!event)
    return;
  CEventItem copy = *event;
  CQuickEventDlg dialog(copy, GetParentFrame());
  if (dialog.DoModal() != IDOK)
    return;
  // The dialog ran a message loop: the event may have gone meanwhile.
  event = doc->FindEvent(serial);
  if (!event)
    return;
  *event = copy;
  doc->eventFile.WriteEvents(doc->events);
  CListEntry entry(event);
  doc->UpdateAllViews(nullptr, kHintListChanged, &entry);
}

void CPlainListView::DeleteEvent(int serial) {
  CDorvixDoc* doc = GetDoc();
  if (!doc || doc->IndexOf(serial) < 0)
    return;
  doc->DeleteEvent(doc->IndexOf(serial));
  doc->UpdateAllViews(nullptr, kHintListChanged);
}

void CPlainListView::OnModifySelected() { EditEvent(SelectedSerial()); }

void CPlainListView::OnDeleteSelected() {
  int serial = SelectedSerial();
  CEventItem* event = GetDoc() ? GetDoc()->FindEvent(serial) : nullptr;
  if (!event)
    return;
  std::string question = "Delete the event \"" + event->name + "\"?";
  if (MessageBoxA(m_hWnd, question.c_str(), "Calvorne", MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  DeleteEvent(serial); // looked up again: the question ran a message loop
}
