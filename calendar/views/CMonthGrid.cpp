#include <calendar/views/CMonthGrid.h>

#include <calendar/data/CAppSettings.h>
#include <calendar/data/CDate.h>
#include <calendar/frame/LocaleText.h>
#include <calendar/views/CalendarLook.h>
#include <calendar/views/DrawnText.h>
#include <calendar/views/MonthLayout.h>
#include <gridctrl/GridCellFrame.h>
#include <gridctrl/GridCellType.h>

#include <algorithm>
#include <cstdio>

BEGIN_MESSAGE_MAP(CMonthGrid, CGridCtrl)
ON_WM(WM_SIZE, OnMonthSize)
END_MESSAGE_MAP()

namespace {

const COLORREF kEmptyBackground = RGB(224, 224, 224);
const short kCentred = kAlignCentre | kAlignMiddle;

// The navigation buttons: column and arrow (cell type 8's flags).
const struct {
  int col;
  int arrow;
} kNavigation[] = {{0, 128}, {1, 32}, {5, 16}, {6, 64}};

bool IsNavigation(int col) { return col == 0 || col == 1 || col == 5 || col == 6; }

} // namespace

CMonthGrid::CMonthGrid() {
  greyPen_.CreatePen(PS_SOLID, 1, RGB(128, 128, 128));
  calendarlook::CreateBoldFont(font_);
}

int CMonthGrid::FirstColumn() const {
  return monthlayout::FirstColumn(month_, year_, AppSettings().calendarStartDay);
}

int CMonthGrid::DaysInMonth() const { return CDate::DaysInMonth(month_, year_); }

void CMonthGrid::CellOfDay(int day, int& col, int& row) const {
  monthlayout::CellOfDay(day, FirstColumn(), col, row);
}

void CMonthGrid::ChangeCell(int col, int row, const std::function<void(CGridCell&)>& change) {
  CGridCell cell;
  GetCell(col, row, &cell);
  change(cell);
  SetCell(col, row, &cell);
}

void CMonthGrid::OnGridCreated() {
  SetFont(static_cast<HFONT>(font_.m_hObject));
  SetColHeaderHeight(0);
  SetRowHeaderWidth(0);
  SetVScrollWidth(0);
  SetHScrollHeight(0);
  SetColCount(7);
  SetRowCount(2);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int col = 0; col < 7; ++col)
    ChangeCell(col, 1, [&](CGridCell& cell) {
      cell.SetFrameStyle(kFrameRaised);
      cell.SetBkColor(face);
      cell.SetTextColor(RGB(0, 0, 150));
      cell.SetAlign(kCentred);
    });
  WriteWeekdayNames();
  JoinCells(2, 0, 4, 0);
  ChangeCell(2, 0, [&](CGridCell& cell) {
    cell.SetAlign(kCentred);
    cell.SetTextColor(kTodayColour);
    cell.SetFrameStyle(kFrameRaised);
    cell.SetBkColor(face);
  });
  for (const auto& nav : kNavigation)
    ChangeCell(nav.col, 0, [&](CGridCell& cell) {
      cell.SetFrameStyle(kFrameRaised);
      cell.SetBkColor(face);
      cell.SetCellType(8);
      cell.SetTypeFlags(nav.arrow);
    });
  DoLayout();
}

void CMonthGrid::WriteWeekdayNames() {
  // 1 June 1997 was a Sunday.
  int first = AppSettings().calendarStartDay == 1 ? 2 : 1;
  for (int col = 0; col < 7; ++col)
    SetCellText(col, 1, localetext::Date(CDate(first + col, 6, 1997), "ddd").c_str());
}

void CMonthGrid::OnMonthSize(UINT type, int cx, int cy) {
  OnSize(type, cx, cy);
  DoLayout();
}

void CMonthGrid::DoLayout() {
  if (!m_hWnd)
    return;
  CRect client = GetClientRect();
  SetRedraw(0);
  SetRowCount(rows_);
  std::vector<int> widths = monthlayout::ColumnWidths(client.Width());
  for (int col = 0; col < 7; ++col)
    SetColWidth(col, widths[static_cast<size_t>(col)]);
  std::vector<int> heights = monthlayout::RowHeights(client.Height(), rows_);
  for (int row = 0; row < rows_; ++row)
    SetRowHeight(row, heights[static_cast<size_t>(row)]);
  FitTexts();
  SetRedraw(1);
}

void CMonthGrid::FitTexts() {
  HDC dc = ::GetDC(m_hWnd);
  for (int row = 0; row < GetRowCount(); ++row)
    for (int col = 0; col < GetColCount(); ++col) {
      int anchorCol, anchorRow, lastCol, lastRow;
      if (GetJoinedBlock(col, row, &anchorCol, &anchorRow, &lastCol, &lastRow) &&
          (anchorCol != col || anchorRow != row))
        continue;
      CGridCell cell;
      GetCell(col, row, &cell);
      std::string text = static_cast<const char*>(cell.m_strText);
      if (text.empty())
        continue;
      CRect room;
      GetCellRect(col, row, &room);
      // The frame drawn is the cell's own or the grid's default; cells with text are never pressed, so
      // the pressed inset plays no part.
      CGridCell drawn;
      GetMergedCell(col, row, &drawn);
      CRect insets = GridFrameInsets(drawn.m_nFrameStyle, 0);
      room.DeflateRect(insets.left, insets.top, insets.right, insets.bottom);
      const int align = drawn.m_nAlign < 0 ? 0 : drawn.m_nAlign;
      if (row >= 2 && monthlayout::DayOfCell(col, row, FirstColumn(), DaysInMonth()) == today_)
        FitToday(dc, cell, room, align);
      else
        cell.m_hFont = FittingFont(dc, text, room, align);
      SetCell(col, row, &cell);
    }
  ::ReleaseDC(m_hWnd, dc);
}

std::vector<HFONT> CMonthGrid::FontsDownTo(int smallest) {
  std::vector<HFONT> fonts{static_cast<HFONT>(font_.m_hObject)};
  for (int height = kLargestSmallHeight; height >= smallest; --height) {
    std::unique_ptr<CFont>& small = smallFonts_[height];
    if (!small) {
      small = std::make_unique<CFont>();
      calendarlook::CreateSmallBoldFont(*small, height);
    }
    fonts.push_back(static_cast<HFONT>(small->m_hObject));
  }
  return fonts;
}

namespace {

bool Inside(const RECT& inner, const CRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Whether the text, placed in `room` as the cell draws it, shows every pixel it draws.
bool FitsOneLine(HDC dc, HFONT font, const std::string& text, const CRect& room, int align) {
  DrawnText drawn = DrawnText::Measure(dc, font, text);
  CPoint origin = CGridCellType::TextOrigin(room, CSize(drawn.extent.cx, drawn.extent.cy), align);
  RECT covered = drawn.Covered();
  OffsetRect(&covered, origin.x, origin.y);
  return Inside(covered, room);
}

// Two lines as the cell draws a broken text: inside a margin of 3 pixels across and 1 down, each line
// placed by its extent. The cell breaks a text only where the whole line is wider than that.
bool FitsTwoLines(HDC dc, HFONT font, const std::string& first, const std::string& second, const CRect& room,
                  int align) {
  CRect box = room;
  box.DeflateRect(3, 1);
  if (DrawnText::Measure(dc, font, first + " " + second).extent.cx <= box.Width())
    return false;
  int top = box.top;
  for (const std::string& line : {first, second}) {
    DrawnText drawn = DrawnText::Measure(dc, font, line);
    int left = box.left;
    if (align & kAlignCentre)
      left += (box.Width() - drawn.extent.cx) / 2;
    else if (align & kAlignRight)
      left = box.right - drawn.extent.cx;
    RECT covered = drawn.Covered();
    OffsetRect(&covered, left, top);
    if (!Inside(covered, box))
      return false;
    top += drawn.extent.cy;
  }
  return true;
}

} // namespace

HFONT CMonthGrid::FittingFont(HDC dc, const std::string& text, const CRect& room, int align) {
  std::vector<HFONT> fonts = FontsDownTo(kSmallestHeight);
  for (HFONT font : fonts)
    if (FitsOneLine(dc, font, text, room, align))
      return font;
  return fonts.back();
}

void CMonthGrid::FitToday(HDC dc, CGridCell& cell, const CRect& room, int align) {
  const std::string number = std::to_string(today_);
  const std::string text = number + " Today";
  cell.m_nTypeFlags = -1;
  std::vector<HFONT> fonts = FontsDownTo(kReadableHeight);
  for (HFONT font : fonts)
    if (FitsOneLine(dc, font, text, room, align)) {
      cell.SetText(text.c_str());
      cell.m_hFont = font;
      return;
    }
  for (HFONT font : fonts)
    if (FitsTwoLines(dc, font, number, "Today", room, align)) {
      cell.SetText(text.c_str());
      cell.m_hFont = font;
      cell.m_nTypeFlags = kWordBreak;
      return;
    }
  cell.SetText(number.c_str());
  cell.m_hFont = FittingFont(dc, number, room, align);
}

void CMonthGrid::ShowDay(int day) {
  int col, row;
  CellOfDay(day, col, row);
  char text[24];
  bool isToday = day == today_;
  std::snprintf(text, sizeof text, isToday ? "%d Today" : "%d", day);
  ChangeCell(col, row, [&](CGridCell& cell) {
    cell.m_nTypeFlags = -1;
    cell.SetBkColor(RGB(255, 255, 255));
    cell.SetTextColor(isToday ? kTodayColour : RGB(0, 0, 0));
    cell.SetText(text);
  });
}

void CMonthGrid::SetMonth(int month, int year) {
  if (month == month_ && year == year_)
    return;
  month_ = month;
  year_ = year;
  noMonth_ = false;
  CDate today;
  today_ = today.Month() == month && today.Year() == year ? today.Day() : -1;
  int rows = monthlayout::RowCount(DaysInMonth(), FirstColumn());
  if (rows != rows_) {
    rows_ = rows;
    DoLayout();
  }
  SetRedraw(0);
  char title[80];
  std::snprintf(title, sizeof title, "%s, %d", localetext::MonthName(month).c_str(), year);
  SetCellText(2, 0, title);
  CGridCell empty;
  empty.SetFont(&font_);
  empty.SetPen(&greyPen_);
  empty.SetTextColor(RGB(0, 0, 0));
  empty.SetBkColor(kEmptyBackground);
  // Every week row starts empty: a cell keeps nothing (frame, colour) of the day it held last month.
  for (int row = 2; row < rows_; ++row)
    for (int col = 0; col < 7; ++col)
      SetCell(col, row, &empty);
  for (int day = 1; day <= DaysInMonth(); ++day)
    ShowDay(day);
  // The marks of the month belong to it before it is drawn: drawn after, they would not show until
  // something else redrew the grid.
  OnMonthChanged(month, year);
  FitTexts();
  SetRedraw(1);
  RedrawAll();
}

void CMonthGrid::RemarkToday() {
  if (noMonth_)
    return;
  int old = today_;
  today_ = -1;
  if (old > 0)
    ShowDay(old);
  CDate today;
  if (today.Month() == month_ && today.Year() == year_) {
    today_ = today.Day();
    ShowDay(today_);
  }
  FitTexts();
  RedrawAll();
}

void CMonthGrid::Refill() {
  int month = month_, year = year_;
  month_ = year_ = -1;
  WriteWeekdayNames();
  if (month > 0)
    SetMonth(month, year);
}

void CMonthGrid::ClearDays() {
  if (noMonth_)
    return;
  for (int day = 1; day <= DaysInMonth(); ++day) {
    int col, row;
    CellOfDay(day, col, row);
    ChangeCell(col, row, [](CGridCell& cell) { cell.SetBkColor(RGB(255, 255, 255)); });
  }
}

int CMonthGrid::GetCurrentDay() const {
  if (noMonth_)
    return 0;
  return monthlayout::DayOfCell(GetCurCol(), GetCurRow(), FirstColumn(), DaysInMonth());
}

BOOL CMonthGrid::OnSelChanging(int, int, int newCol, int newRow) {
  return !noMonth_ && monthlayout::DayOfCell(newCol, newRow, FirstColumn(), DaysInMonth()) > 0;
}

void CMonthGrid::OnSelChanged(int, int, int, int) { SendDay(); }

void CMonthGrid::SendDay() {
  if (HWND parent = GetParentHwnd())
    ::SendMessageA(parent, kDayMessage, static_cast<WPARAM>(::GetDlgCtrlID(m_hWnd)), 0);
}

void CMonthGrid::OnLButtonCell(int col, int row, BOOL down, const CRect&, CPoint, int) {
  if (!down) {
    if (pressedCol_ >= 0)
      ChangeCell(pressedCol_, pressedRow_, [](CGridCell& cell) { cell.SetFrameStyle(kFrameRaised); });
    if (pressedCol_ >= 0)
      RedrawCell(pressedCol_, pressedRow_);
    pressedCol_ = pressedRow_ = -1;
    return;
  }
  if (noMonth_ || row < 0)
    return;
  if (row >= 2) {
    if (monthlayout::DayOfCell(col, row, FirstColumn(), DaysInMonth()) > 0)
      SendDay();
    return;
  }
  if (row != 0 || !IsNavigation(col))
    return;
  pressedCol_ = col;
  pressedRow_ = row;
  ChangeCell(col, row, [](CGridCell& cell) { cell.SetFrameStyle(kFramePressed); });
  RedrawCell(col, row);
  int month = month_, year = year_;
  monthlayout::Step(col, month, year);
  if (month == month_ && year == year_)
    return;
  SetMonth(month, year);
  if (GetCurrentDay() > 0)
    SendDay();
}
