#include <engine/dialogs/UndoDialog.h>

#include <engine/controllers/UninstallController.h>
#include <engine/log/LogText.h>

#include <foundation/strings/textresource.h>
#include <foundation/windows/msgloop.h>

#include <kxlang/kxlangids.h>

#include <algorithm>
#include <vector>

namespace {

// Space after each list column, in pixels.
constexpr int ColumnGap = 12;
constexpr int DetailPoints = 8;

std::string Text(UINT id) {
  char text[TextSize];
  LoadText(text, id);
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos)
      end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

int TextWidth(HDC dc, const std::string& text) {
  SIZE size = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

} // namespace

std::string AlignDetail(const std::string& text) {
  if (text.empty())
    return text;
  std::vector<std::string> lines = Lines(text);
  size_t widest = 0;
  for (const std::string& line : lines)
    if (size_t colon = line.find(':'); colon != std::string::npos)
      widest = std::max(widest, colon);
  std::string out;
  for (const std::string& line : lines) {
    if (!out.empty())
      out += "\r\n";
    size_t colon = line.find(':');
    if (colon == std::string::npos) {
      out += line;
      continue;
    }
    size_t value = line.find_first_not_of(' ', colon + 1);
    out += line.substr(0, colon + 1) + std::string(widest - colon + 1, ' ') +
           (value == std::string::npos ? "" : line.substr(value));
  }
  return out;
}

INT_PTR UndoDialog::dlgproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_INITDIALOG:
    init();
    return TRUE;
  case WM_DRAWITEM:
    drawitem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  case WM_CLOSE:
    close();
    return TRUE;
  case WM_COMMAND:
    command(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  case WM_DESTROY:
    bar_.detach();
    return FALSE;
  default:
    return FALSE;
  }
}

void UndoDialog::init() {
  HWND list = this->list();
  for (const auto& record : controller_.records)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LogSummary(*record).c_str()));
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  layoutlist();
  if (HWND detail = GetDlgItem(hwnd(), IDC_UNDO_DETAIL); detail && mode_ == Advanced) {
    detailFont_.set("Courier New", DetailPoints, 0, 0, 0);
    if (detailFont_.createfor(detail))
      detailFont_.setonwindow(detail);
  }
  if (mode_ == Simple)
    SetDlgItemTextA(hwnd(), IDC_UNDOSIM_TEXT, controller_.header.product.c_str());
  if (mode_ == Gauge)
    bar_.attach(GetDlgItem(hwnd(), IDC_UNDOSLT_GAUGE));
  EnableWindow(GetDlgItem(hwnd(), IDOK), !controller_.records.empty());
  labelok();
  update();
}

// Both columns are as wide as their widest text can be, so that a status word changing during the run
// never moves anything; the list scrolls sideways over both.
void UndoDialog::layoutlist() {
  HWND list = this->list();
  if (!list)
    return;
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(list, WM_GETFONT, 0, 0)));
  int summary = 0, status = 0;
  for (const auto& record : controller_.records)
    summary = std::max(summary, TextWidth(dc, LogSummary(*record)));
  for (UINT k = 0; k <= UndoFailed; ++k)
    status = std::max(status, TextWidth(dc, Text(TEXT_STATUS_UNDO + k)));
  status = std::max(status, TextWidth(dc, Text(TEXT_STATUS_LEFT)));
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  summaryColumn_ = summary + ColumnGap;
  statusColumn_ = status + ColumnGap;
  SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(summaryColumn_ + statusColumn_), 0);
}

// The other two dialogs use the list's id for their text and gauge.
HWND UndoDialog::list() const { return mode_ == Advanced ? GetDlgItem(hwnd(), IDC_UNDO_LIST) : nullptr; }

void UndoDialog::redrawlist() {
  if (HWND list = this->list())
    InvalidateRect(list, nullptr, FALSE);
}

int UndoDialog::selected() const { return static_cast<int>(SendMessageA(list(), LB_GETCURSEL, 0, 0)); }

void UndoDialog::update() {
  if (mode_ != Advanced)
    return;
  int index = selected();
  LogRecord* record = index >= 0 && index < static_cast<int>(controller_.records.size())
                          ? controller_.records[static_cast<size_t>(index)].get()
                          : nullptr;
  for (int k = 0; k < 5; ++k) {
    HWND button = GetDlgItem(hwnd(), IDC_UNDO_UNDO + k);
    int checked = record && record->status == k;
    SendMessageA(button, BM_SETCHECK, checked, 0);
    EnableWindow(button, record && controller_.state != UninstallController::Running &&
                             (checked || CanSwitchStatus(*record, k)));
  }
  SetDlgItemTextA(hwnd(), IDC_UNDO_DETAIL, record ? AlignDetail(LogDetail(*record)).c_str() : "");
}

void UndoDialog::drawitem(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= controller_.records.size())
    return;
  const LogRecord& record = *controller_.records[item.itemID];
  int chosen = item.itemState & ODS_SELECTED;
  SetBkColor(item.hDC, GetSysColor(chosen ? COLOR_WINDOWTEXT : COLOR_WINDOW));
  SetTextColor(item.hDC, GetSysColor(chosen ? COLOR_WINDOW : COLOR_WINDOWTEXT));
  ExtTextOutA(item.hDC, 0, 0, ETO_OPAQUE, &item.rcItem, nullptr, 0, nullptr);
  RECT summary = item.rcItem, status = item.rcItem;
  summary.right = summary.left + summaryColumn_;
  status.left = summary.right;
  status.right = status.left + statusColumn_;
  std::string text = LogSummary(record);
  std::string word = statusword(record);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
  DrawTextA(item.hDC, text.c_str(), -1, &summary, format);
  DrawTextA(item.hDC, word.c_str(), -1, &status, format);
}

// Each line says what the uninstall does to its record; once it has run, what it did not undo is
// what it left.
std::string UndoDialog::statusword(const LogRecord& record) const {
  int left = record.status == Kept || record.status == CannotUndo;
  if (left && controller_.state != UninstallController::NotStarted)
    return Text(TEXT_STATUS_LEFT);
  return LogRecordText(record);
}

// A dialog shown again after a run (the other mode) names what its button now does.
void UndoDialog::labelok() {
  if (controller_.state == UninstallController::Finished)
    SetDlgItemTextA(hwnd(), IDOK, Text(TEXT_UNDO_FINISHED).c_str());
  else if (controller_.state == UninstallController::Cancelled)
    SetDlgItemTextA(hwnd(), IDOK, Text(TEXT_UNDO_CANCELLED).c_str());
}

// The button says "Stop" only once records are being undone: a No to the confirmation leaves it as
// it was, since nothing was done.
void UndoDialog::runundo() {
  toUndo_ = 0;
  undone_ = 0;
  for (const auto& record : controller_.records)
    toUndo_ += record->status == ToUndo;
  controller_.undo(mode_ != Simple, [this](int index, int after) {
    if (!after && undone_ == 0)
      SetDlgItemTextA(hwnd(), IDOK, Text(TEXT_UNDO_RUNNING).c_str());
    SendMessageA(list(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    if (mode_ != Advanced) {
      std::string summary = LogSummary(*controller_.records[static_cast<size_t>(index)]);
      SetDlgItemTextA(hwnd(), mode_ == Gauge ? IDC_UNDOSLT_TEXT : IDC_UNDOSIM_TEXT, summary.c_str());
    }
    if (after) {
      redrawlist();
      ++undone_;
      if (mode_ == Gauge && bar_.isattached())
        bar_.setpercent(toUndo_ ? MulDiv(undone_, 100, toUndo_) : 100);
    }
    update();
  });
  labelok();
  update();
}

int UndoDialog::leftToUndo() const {
  for (const auto& record : controller_.records)
    if (record->status == ToUndo)
      return 1;
  return 0;
}

void UndoDialog::close() {
  if (controller_.state == UninstallController::Running) {
    controller_.cancelRequested = 1;
    return;
  }
  int result = 0;
  if (mode_ == Simple && controller_.state != UninstallController::NotStarted) {
    EndDialog(hwnd(), controller_.state == UninstallController::Finished ? 0 : 1);
    return;
  }
  if (controller_.quitcheck(result))
    EndDialog(hwnd(), result);
}

void UndoDialog::command(int id, int code) {
  switch (id) {
  case IDOK:
    // Starts the undo or resumes it after a cancel; once the run has finished the button is "Done"
    // and always leaves, through the quit check when something is still open.
    if (controller_.state == UninstallController::Running)
      controller_.cancelRequested = 1;
    else if (controller_.state == UninstallController::Finished)
      close();
    else
      runundo();
    break;
  case IDCANCEL:
    if (controller_.state == UninstallController::Running)
      controller_.cancelRequested = 1;
    else
      close();
    break;
  case IDC_UNDO_SWITCH:
    // After the run too: the other dialog shows what was undone and what was left.
    if (controller_.state != UninstallController::Running)
      EndDialog(hwnd(), 2);
    break;
  case IDC_UNDO_LIST:
    if (mode_ == Advanced && code == LBN_SELCHANGE)
      update();
    break;
  case IDC_UNDO_UNDO:
  case IDC_UNDO_KEEP: {
    int index = selected();
    if (index < 0 || controller_.state == UninstallController::Running)
      break;
    LogRecord& record = *controller_.records[static_cast<size_t>(index)];
    if (CanSwitchStatus(record, id - IDC_UNDO_UNDO))
      record.status = id - IDC_UNDO_UNDO;
    redrawlist();
    update();
    break;
  }
  default:
    break;
  }
}

int RunGaugeUndo(UninstallController& controller) {
  UndoDialog dialog(controller, UndoDialog::Gauge);
  if (!CreateModelessDialog(dialog, nullptr, "DLGUNDOMAINSLT"))
    return 0;
  HWND window = dialog.hwnd();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  MessageLoop().adddialog(window);
  dialog.runundo();
  // A log with nothing to undo is finished too: otherwise its uninstaller could never go.
  int finished = controller.state == UninstallController::Finished || !dialog.leftToUndo();
  MessageLoop().removedialog(window);
  DestroyWindow(window);
  return finished;
}

INT_PTR AskQuitDialog::dlgproc(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG)
    return TRUE;
  if (message != WM_COMMAND)
    return FALSE;
  switch (LOWORD(wParam)) {
  case IDOK:
    EndDialog(hwnd(), 0);
    return TRUE;
  case IDCANCEL:
    EndDialog(hwnd(), 2);
    return TRUE;
  case IDC_UNDOASKQUIT_FINISH:
    EndDialog(hwnd(), 1);
    return TRUE;
  default:
    return FALSE;
  }
}
