#include <calendar/views/CGridView.h>

#include <calendar/dialogs/CEventDlg.h>
#include <calendar/dialogs/CHolidayDlg.h>
#include <calendar/frame/CDorvixApp.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/frame/LocaleText.h>
#include <calendar/resource.h>
#include <calendar/views/CalendarLook.h>
#include <calendar/views/Hints.h>
#include <calendar/views/ListOrder.h>

#include <appframe/AfxIds.h>
#include <appframe/CFrameWnd.h>
#include <appframe/CWaitCursor.h>

using namespace listorder;

BEGIN_MESSAGE_MAP(CGridView, CView)
ON_WM(WM_CREATE, OnCreate)
ON_WM(WM_SIZE, OnSize)
ON_COMMAND(ID_MODIFY, OnModify)
ON_COMMAND(IDC_MODIFY, OnModify)
ON_COMMAND(ID_DELETE, OnDelete)
ON_COMMAND(IDC_DELETE, OnDelete)
ON_COMMAND(ID_EDIT_FIND, OnFind)
ON_COMMAND(ID_FILE_PRINT, OnPrint)
ON_COMMAND(ID_SORT_3, OnSortDateTime)
ON_COMMAND(ID_SORT_6, OnSortTypeAge)
ON_COMMAND(ID_SORT_5, OnSortTypeDateTime)
ON_COMMAND(ID_SORT_4, OnSortTypeName)
END_MESSAGE_MAP()

namespace {

const COLORREF kSortHeaderColour = RGB(32, 32, 255);

struct ColumnLook {
  const char* header;
  short align;
  int CAppSettings::*width;
};
const ColumnLook kColumns[kColumnCount] = {
    {"Name", 0x21, &CAppSettings::widthName}, {"Day", 0x21, &CAppSettings::widthDay},
    {"Date", 0x22, &CAppSettings::widthDate}, {"Days Left", 0x22, &CAppSettings::widthDaysLeft},
    {"Time", 0x22, &CAppSettings::widthTime}, {"Age", 0x22, &CAppSettings::widthAge},
    {"Type", 0x21, &CAppSettings::widthType},
};

std::string DaysLeftText(int days) { return days == 0 ? "Today!!" : std::to_string(days); }

// The seven texts of a row.
std::array<std::string, kColumnCount> RowTexts(const CListEntry& entry) {
  std::array<std::string, kColumnCount> texts;
  if (entry.kind == CListEntry::HolidayKind) {
    const CHoliday& holiday = *entry.holiday;
    texts[kName] = holiday.name;
    texts[kDay] = localetext::Date(holiday.Date(), "ddd");
    texts[kDate] = localetext::Date(holiday.Date());
    texts[kDaysLeft] = DaysLeftText(holiday.daysLeft);
    texts[kType] = "Holiday";
    return texts;
  }
  const CEventItem& event = *entry.event;
  texts[kName] = event.name;
  texts[kType] = event.type;
  if (event.eventTime >= 0)
    texts[kTime] = localetext::Time(event.eventTime, AppSettings().timeFormat);
  if (!event.HasNextDate()) {
    texts[kDate] = texts[kDaysLeft] = "n/a";
    return texts;
  }
  texts[kDay] = localetext::Date(event.nextDate, "ddd");
  texts[kDate] = localetext::Date(event.nextDate);
  texts[kDaysLeft] = DaysLeftText(event.daysLeft);
  if (event.yearly && !event.noYear && event.age >= 0)
    texts[kAge] = std::to_string(event.age);
  return texts;
}

CDate EntryDate(const CListEntry& entry) {
  if (entry.kind == CListEntry::HolidayKind)
    return entry.holiday->Date();
  return entry.event->nextDate;
}

} // namespace

CGridView::CGridView() : grid_(this), printDialog_(DefaultPrintDialog()), sortColumns_{kDate, kTime} {}

CGridView::~CGridView() { grid_.entries.clear(); }

CDorvixDoc* CGridView::GetDoc() const { return static_cast<CDorvixDoc*>(GetDocument()); }

CPrintDialog* CGridView::DefaultPrintDialog() {
  // The application's one print dialog (all pages, no selection), so that the printer chosen stays
  // chosen for the next print; a view without the calendar's application has its own.
  auto* app = dynamic_cast<CDorvixApp*>(AfxGetApp());
  return app ? &app->m_printDialog : &ownPrintDialog_;
}

void CGridView::SetPrintDialog(CPrintDialog* dialog) {
  printDialog_ = dialog ? dialog : DefaultPrintDialog();
}

int CGridView::OnCreate(CREATESTRUCTA*) {
  calendarlook::CreateBoldFont(font_);
  framePen_.CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  if (!grid_.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, kGridId))
    return -1;
  grid_.SetPrintDialog(printDialog_);
  grid_.SetFont(static_cast<HFONT>(font_.m_hObject));
  grid_.SetDefRowHeight(calendarlook::RowHeight(font_));
  CGridCell cell;
  cell.SetBkColor(RGB(192, 192, 192));
  cell.SetTextColor(RGB(0, 0, 0));
  cell.SetSelBkColor(RGB(0, 0, 128));
  cell.SetSelTextColor(RGB(255, 255, 255));
  cell.SetPen(&framePen_);
  cell.SetAlign(0x21);
  grid_.SetDefaultCell(&cell);
  grid_.SetColCount(kColumnCount);
  const CAppSettings& settings = AppSettings();
  for (int col = 0; col < kColumnCount; ++col) {
    grid_.SetColWidth(col, settings.*kColumns[col].width);
    grid_.SetCellText(col, -1, kColumns[col].header);
    if (kColumns[col].align == 0x21)
      grid_.SetCellAlign(col, -1, 0x21);
  }
  grid_.SetRowHeaderWidth(10);
  grid_.SetUniformRowHeight(1);
  grid_.SetCurCellStyle(2);
  grid_.SetRowSelect(TRUE);
  ColourSortHeaders();
  return 0;
}

void CGridView::OnSize(UINT, int cx, int cy) {
  if (grid_.m_hWnd)
    grid_.MoveWindow(0, 0, cx, cy);
}

void CGridView::OnInitialUpdate() { Refill(); }

void CGridView::SetTarget(const CListEntry* entry) {
  targetIndex_ = -1;
  if (!entry)
    return;
  targetKind_ = entry->kind;
  targetIndex_ = entry->kind == CListEntry::EventKind ? entry->event->listIndex : entry->holiday->index;
}

void CGridView::Refill() {
  CDorvixDoc* doc = GetDoc();
  if (!doc || !grid_.m_hWnd)
    return;
  grid_.entries.clear();
  std::vector<CListEntry*> inserted;
  for (const auto& event : doc->events)
    if (event->listed)
      inserted.push_back(new CListEntry(event.get()));
  for (CHoliday& holiday : doc->holidays->holidays)
    if (holiday.listed)
      inserted.push_back(new CListEntry(&holiday));
  std::vector<CListEntry*> ordered = Order(inserted, sortColumns_);
  entries_.clear();
  for (CListEntry* entry : ordered)
    entries_.emplace_back(entry);

  grid_.SetRedraw(0);
  // The rows are the entries inserted, whatever the document's count says.
  grid_.SetRowCount(static_cast<int>(entries_.size()));
  int current = targetIndex_ == -1 && !entries_.empty() ? 0 : -1;
  for (size_t row = 0; row < entries_.size(); ++row) {
    const CListEntry& entry = *entries_[row];
    grid_.entries.push_back(entries_[row].get());
    FillRow(static_cast<int>(row), entry);
    int index = entry.kind == CListEntry::EventKind ? entry.event->listIndex : entry.holiday->index;
    if (entry.kind == targetKind_ && index == targetIndex_)
      current = static_cast<int>(row);
  }
  if (current >= 0) {
    grid_.SetCurRow(current);
    Announce(grid_.EntryAt(current));
  }
  targetIndex_ = -1;
  grid_.SetRedraw(1);
}

void CGridView::FillRow(int row, const CListEntry& entry) {
  std::array<std::string, kColumnCount> texts = RowTexts(entry);
  CGridCell cell;
  for (int col = 0; col < kColumnCount; ++col) {
    cell.Clear();
    cell.SetText(texts[static_cast<size_t>(col)].c_str());
    cell.SetAlign(kColumns[col].align);
    grid_.SetCell(col, row, &cell);
  }
}

void CGridView::Announce(CListEntry* entry) {
  CDorvixDoc* doc = GetDoc();
  if (!doc || !entry)
    return;
  bool dated = entry->kind == CListEntry::HolidayKind || entry->event->HasNextDate();
  if (dated)
    doc->UpdateAllViews(this, kHintEntryCurrent, entry);
  else
    doc->UpdateAllViews(this, kHintNoDate);
}

void CGridView::OnUpdate(CView*, LPARAM hint, CObject* hintObject) {
  auto* entry = dynamic_cast<CListEntry*>(hintObject);
  switch (hint) {
  case kHintListChanged:
    if (GetDoc())
      GetDoc()->Recount();
    // After the events were replaced the rows hold no entries: the target kept then stands.
    if (entry || !grid_.entries.empty())
      SetTarget(entry ? entry : grid_.EntryAt(grid_.GetCurRow()));
    Refill();
    break;
  case kHintEventsReplaced:
    LetGoOfEntries();
    break;
  case kHintDayChosen:
    if (auto* date = dynamic_cast<CDateObject*>(hintObject))
      SelectDay(date->date);
    break;
  case kHintStoreColumns:
    StoreColumnWidths();
    break;
  case kHintEditEvent:
    // The alarm window's event need not be listed (notification off, or not yet in its days prior).
    if (entry && entry->event)
      EditEvent(entry->event->serialNumber);
    break;
  case kHintDeleteEvent:
    if (entry && entry->event)
      DeleteEventBySerial(entry->event->serialNumber);
    break;
  default:
    break;
  }
}

void CGridView::SelectDay(const CDate& date) {
  grid_.ClearSelection();
  grid_.EnableSelection(TRUE);
  grid_.ClearSelection();
  int last = -1;
  for (int row = 0; row < static_cast<int>(grid_.entries.size()); ++row) {
    const CListEntry& entry = *grid_.entries[static_cast<size_t>(row)];
    if (!EntryDate(entry).IsValid() || EntryDate(entry) != date)
      continue;
    grid_.SelectCell(0, row);
    last = row;
  }
  if (last >= 0)
    grid_.SetCurRow(last);
  grid_.RedrawAll();
}

void CGridView::StoreColumnWidths() {
  CAppSettings& settings = AppSettings();
  for (int col = 0; col < kColumnCount; ++col)
    grid_.GetColWidth(col, &(settings.*kColumns[col].width));
}

int CGridView::RowOfSerial(int serial) const {
  // Looked up in the document first: the grid's entries are only compared, never read, as an event
  // may have gone since the last refill.
  const CEventItem* event = GetDoc() ? GetDoc()->FindEvent(serial) : nullptr;
  if (!event)
    return -1;
  for (size_t row = 0; row < grid_.entries.size(); ++row)
    if (grid_.entries[row]->event == event)
      return static_cast<int>(row);
  return -1;
}

void CGridView::LetGoOfEntries() {
  SetTarget(grid_.EntryAt(grid_.GetCurRow()));
  grid_.entries.clear();
  entries_.clear();
}

void CGridView::EditEntry(CListEntry* entry) {
  CDorvixDoc* doc = GetDoc();
  if (!doc || !entry)
    return;
  if (entry->kind == CListEntry::EventKind) {
    EditEvent(entry->event->serialNumber);
    return;
  }
  CWaitCursor wait;
  CHoliday* holiday = entry->holiday;
  CHolidayDlg dialog(doc, holiday->index, GetParentFrame());
  if (dialog.DoModal() != IDOK)
    return;
  doc->Recount();
  CListEntry edited(holiday);
  doc->UpdateAllViews(nullptr, kHintListChanged, &edited);
}

void CGridView::EditEvent(int serial) {
  CDorvixDoc* doc = GetDoc();
  CEventItem* event = doc ? doc->FindEvent(serial) : nullptr;
  if (!event)
    return;
  CWaitCursor wait;
  CEventItem copy = *event;
  CEventDlg dialog(copy, GetParentFrame());
  // The dialog runs a message loop: the event may go or move meanwhile, so it is looked up again.
  if (dialog.DoModal() != IDOK || !doc->ModifyEvent(copy))
    return;
  doc->Recount();
  CListEntry edited(doc->FindEvent(serial));
  doc->UpdateAllViews(nullptr, kHintListChanged, &edited);
}

void CGridView::OnModify() { EditEntry(grid_.EntryAt(grid_.GetCurRow())); }

void CGridView::OnDelete() { DeleteRow(grid_.GetCurRow()); }

void CGridView::DeleteRow(int row) {
  CListEntry* entry = grid_.EntryAt(row);
  if (!entry || !GetDoc())
    return;
  if (entry->kind == CListEntry::HolidayKind) {
    MessageBoxA(m_hWnd, "Cannot Delete Holidays", "Information", MB_OK | MB_ICONINFORMATION);
    return;
  }
  AskAndDelete(entry->event->serialNumber);
}

void CGridView::AskAndDelete(int serial) {
  CDorvixDoc* doc = GetDoc();
  if (MessageBoxA(m_hWnd, "Delete Current Event?", "Delete Event",
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
    return;
  // The question ran a message loop: find the event and its row again; an event that is not listed has
  // no row.
  if (doc->IndexOf(serial) < 0)
    return;
  int row = RowOfSerial(serial);
  CListEntry* entry = row >= 0 ? grid_.EntryAt(row) : nullptr;
  std::unique_ptr<CEventItem> event = doc->DeleteEvent(doc->IndexOf(serial));
  if (!event)
    return; // the file keeps it, and so does the list
  // The entry leaves the lists before the grid's hooks run for the row's removal; the event goes last.
  if (entry) {
    grid_.entries.erase(grid_.entries.begin() + row);
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
      if (it->get() == entry) {
        entries_.erase(it);
        break;
      }
    grid_.DeleteRow(row);
  }
  event.reset();
  CListEntry* current = grid_.EntryAt(grid_.GetCurRow());
  doc->UpdateAllViews(this, kHintListChanged, current);
  // With no row left current, no day stays marked.
  if (!current)
    doc->UpdateAllViews(this, kHintNoDate);
}

void CGridView::DeleteEventBySerial(int serial) {
  if (!GetDoc() || GetDoc()->IndexOf(serial) < 0) {
    MessageBoxA(m_hWnd, "Event Already Deleted", "Delete Event", MB_OK | MB_ICONWARNING);
    return;
  }
  AskAndDelete(serial);
}

void CGridView::OnFind() { grid_.ShowFindDialog(); }

void CGridView::OnPrint() {
  CWaitCursor wait;
  CFrameWnd* frame = GetParentFrame();
  printDialog_->m_pd.hwndOwner = frame ? frame->m_hWnd : m_hWnd;
  if (printDialog_->DoModal() != IDOK) {
    MessageBoxA(m_hWnd, "Printing Aborted", "Printing", MB_OK | MB_ICONWARNING);
    return;
  }
  grid_.SetPrintDialog(printDialog_);
  if (grid_.GetRowCount() > 0)
    grid_.Print(CGridPrinter::kColHeaders, 0, 0, grid_.GetColCount() - 1, grid_.GetRowCount() - 1);
}

void CGridView::ColourSortHeaders() {
  for (int col = 0; col < kColumnCount; ++col)
    grid_.SetCellTextColor(col, -1, RGB(0, 0, 0));
  for (int col : sortColumns_)
    grid_.SetCellTextColor(col, -1, kSortHeaderColour);
}

void CGridView::SortBy(const std::vector<int>& columns, int mode) {
  sortColumns_ = columns;
  AppSettings().sortMode = mode;
  grid_.SetRedraw(0);
  ColourSortHeaders();
  if (grid_.GetRowCount() > 0) {
    SetTarget(grid_.EntryAt(grid_.GetCurRow()));
    Refill();
  }
  grid_.SetRedraw(1);
}

void CGridView::OnSortDateTime() { SortBy({kDate, kTime}, 3); }
void CGridView::OnSortTypeAge() { SortBy({kType, kAge}, 6); }
void CGridView::OnSortTypeDateTime() { SortBy({kType, kDate, kTime}, 5); }
void CGridView::OnSortTypeName() { SortBy({kType, kName}, 4); }
