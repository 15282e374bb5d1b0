#include <calendar/dialogs/CHolidayDlg.h>

#include <calendar/frame/CDorvixDoc.h>
#include <calendar/resource.h>
#include <calendar/views/CalendarLook.h>

#include <appframe/CWinApp.h>

#include <algorithm>

BEGIN_MESSAGE_MAP(CHolidayDlg, CDialog)
ON_WM(WM_SIZE, OnSize)
ON_COMMAND(IDC_HD_HELP, OnHelpButton)
ON_MESSAGE(WM_HELP, OnHelpKey)
ON_MESSAGE(CHolidayGrid::kRefusedMessage, OnNotifyDaysRefused)
END_MESSAGE_MAP()

CHolidayDlg::CHolidayDlg(CDorvixDoc* doc, int firstRow, CWnd* parent)
    : CDialog(IDD_HOLIDAYS, parent), doc_(doc), firstRow_(firstRow) {}

bool CHolidayDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  calendarlook::CreateBoldFont(font_);
  if (!grid_.SubclassDlgItem(IDC_HD_GRID, this))
    return true;
  grid_.SetFont(static_cast<HFONT>(font_.m_hObject));
  grid_.SetDefRowHeight(calendarlook::RowHeight(font_));
  CGridCell cell;
  cell.SetBkColor(RGB(255, 255, 255));
  cell.SetTextColor(RGB(0, 0, 0));
  cell.SetSelBkColor(RGB(0, 0, 128));
  cell.SetSelTextColor(RGB(255, 255, 255));
  cell.SetAlign(0x21);
  grid_.SetDefaultCell(&cell);
  grid_.SetRowCount(doc_->holidays->GetCount());
  grid_.SetColCount(4);
  int width = 0;
  grid_.GetColWidth(0, &width);
  grid_.SetColWidth(1, width * 3 / 2);
  grid_.SetColWidth(2, width * 2 / 3);
  grid_.SetColWidth(0, width / 2);
  grid_.SetColWidth(3, width * 2);
  const char* const headers[] = {"Enabled", "Holiday Name", "Notify Days", "Description"};
  for (int col = 0; col < 4; ++col)
    grid_.SetCellText(col, -1, headers[col]);
  grid_.SetRowHeaderWidth(10);
  grid_.SetUniformRowHeight(1);
  grid_.SetCurCellStyle(3);
  grid_.SetRowSelect(TRUE);
  FillRows();
  if (firstRow_ >= 0 && firstRow_ < grid_.GetRowCount()) {
    grid_.SetCurRow(firstRow_);
    grid_.SetTopRow(std::max(0, firstRow_ - 1));
  }
  CRect client = GetClientRect();
  OnSize(SIZE_RESTORED, client.Width(), client.Height());
  return true;
}

void CHolidayDlg::FillRows() {
  CGridCell cell;
  for (int row = 0; row < doc_->holidays->GetCount(); ++row) {
    const CHoliday& holiday = doc_->holidays->GetAt(row);
    cell.Clear();
    cell.SetCellType(1);
    cell.m_nDecimals = 0;
    cell.SetDouble(holiday.enabled);
    cell.SetAlign(kAlignCentre);
    grid_.SetCell(CHolidayGrid::kEnabled, row, &cell);
    SetFixedText(CHolidayGrid::kName, row, holiday.name);
    cell.Clear();
    cell.m_nDecimals = 0;
    cell.SetDouble(holiday.notifyDays);
    cell.SetRange(CHolidayGrid::kMinNotifyDays, CHolidayGrid::kMaxNotifyDays);
    grid_.SetCell(CHolidayGrid::kNotifyDays, row, &cell);
    SetFixedText(CHolidayGrid::kDescription, row, holiday.description);
  }
}

// Names and descriptions come with the holiday file and are not changed here: no editor opens on them,
// whether the user moves on from an edit or clicks them.
void CHolidayDlg::SetFixedText(int col, int row, const std::string& text) {
  CGridCell cell;
  cell.SetText(text.c_str());
  cell.m_nNoEdit = 1;
  grid_.SetCell(col, row, &cell);
}

void CHolidayDlg::OnSize(UINT, int cx, int cy) {
  if (!grid_.m_hWnd)
    return;
  // Margins and button places in dialog units.
  CRect units(6, 6, 6, 24);
  ::MapDialogRect(m_hWnd, &units);
  int left = units.left, top = units.top, right = units.right, bottom = units.bottom;
  grid_.MoveWindow(left, top, std::max(0, cx - left - right), std::max(0, cy - top - bottom));
  const struct {
    int id;
    int x;
  } buttons[] = {{IDOK, 6}, {IDCANCEL, 54}, {IDC_HD_HELP, 102}};
  for (const auto& button : buttons) {
    CRect place(button.x, 0, button.x + 44, 14);
    ::MapDialogRect(m_hWnd, &place);
    ::SetWindowPos(GetDlgItem(button.id), nullptr, place.left, cy - bottom + (bottom - place.Height()) / 2, 0,
                   0, SWP_NOSIZE | SWP_NOZORDER);
  }
}

void CHolidayDlg::OnOK() {
  CGridCell cell;
  for (int row = 0; row < doc_->holidays->GetCount() && row < grid_.GetRowCount(); ++row) {
    CHoliday& holiday = doc_->holidays->GetAt(row);
    grid_.GetCell(CHolidayGrid::kEnabled, row, &cell);
    holiday.enabled = cell.GetDouble() > 0 ? 1 : 0;
    grid_.GetCell(CHolidayGrid::kNotifyDays, row, &cell);
    // The cell refuses other edits; the clamp keeps the file's field sound whatever the cell holds.
    int days = static_cast<int>(cell.GetDouble());
    holiday.notifyDays = std::clamp(days, CHolidayGrid::kMinNotifyDays, CHolidayGrid::kMaxNotifyDays);
  }
  doc_->holidays->SaveHolidays();
  EndDialog(IDOK);
}

void CHolidayDlg::OnHelpButton() { AfxGetApp()->WinHelp(6); }

LRESULT CHolidayDlg::OnHelpKey(WPARAM, LPARAM) {
  OnHelpButton();
  return TRUE;
}

LRESULT CHolidayDlg::OnNotifyDaysRefused(WPARAM, LPARAM) {
  MessageBoxA(m_hWnd, "Notify Days takes a whole number from 1 to 99.\nThe previous value was kept.",
              "Holiday Setup", MB_OK | MB_ICONINFORMATION);
  return 0;
}
