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
  // A plain list box, not bound to an object: a refill sends it tens of thousands of messages, and none
  // of them needs a handler of ours.
  list_ = CreateWindowExA(0, "LISTBOX", "",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY |
                              LBS_USETABSTOPS,
                          0, 0, 0, 0, m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IDC_EVENTLIST)),
                          GetModuleHandleA(nullptr), nullptr);
  if (!list_)
    return -1;
  ::SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return 0;
}

LRESULT CPlainListView::List(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageA(list_, message, wParam, lParam);
}

int CPlainListView::GetLineCount() const { return static_cast<int>(List(LB_GETCOUNT)); }

std::string CPlainListView::GetLine(int index) const {
  std::string text(static_cast<size_t>(List(LB_GETTEXTLEN, static_cast<WPARAM>(index))) + 1, '\0');
  List(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(text.size() - 1);
  return text;
}

void CPlainListView::Select(int index) { List(LB_SETCURSEL, static_cast<WPARAM>(index)); }

void CPlainListView::OnSize(UINT, int cx, int cy) { ::MoveWindow(list_, 0, 0, cx, cy, TRUE); }

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
  if (!doc || !list_)
    return;
  List(WM_SETREDRAW, FALSE);
  // The serial numbers live beside the list, not as item data: a list box tells its parent of every
  // item with data that it deletes, and a refill would pay one message per line for that.
  List(LB_RESETCONTENT);
  serials_.clear();
  List(LB_INITSTORAGE, static_cast<WPARAM>(doc->listedCount), doc->listedCount * 48);
  int selected = -1;
  for (int i = 0; i < doc->GetEventCount(); ++i) {
    const CEventItem& event = *doc->GetEvent(i);
    if (!event.listed)
      continue;
    std::string line = Line(event.nextDate, event.eventTime, event.name, event.daysLeft);
    List(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    if (event.serialNumber == selectSerial)
      selected = static_cast<int>(serials_.size());
    serials_.push_back(event.serialNumber);
  }
  for (CHoliday& holiday : doc->holidays->holidays) {
    if (!holiday.listed)
      continue;
    std::string line = Line(holiday.Date(), -1, holiday.name, holiday.daysLeft);
    List(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    serials_.push_back(-1);
  }
  if (selected >= 0)
    Select(selected);
  List(WM_SETREDRAW, TRUE);
  ::InvalidateRect(list_, nullptr, TRUE);
}

void CPlainListView::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  auto* entry = dynamic_cast<CListEntry*>(hintObject);
  int serial = entry && entry->event ? entry->event->serialNumber : -1;
  switch (hint) {
  case 0:
  case kHintListChanged:
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
  auto row = static_cast<int>(List(LB_GETCURSEL));
  if (row < 0 || row >= static_cast<int>(serials_.size()))
    return -1;
  return serials_[static_cast<size_t>(row)];
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
  doc->Recount();
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
