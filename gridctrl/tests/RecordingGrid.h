#pragma once

#include <gridctrl/GridCtrl.h>
#include <gridctrl/GridTipWnd.h>

#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

// A grid that writes down every hook call with its arguments, in order, and answers the refusing
// hooks as a test asks.
class RecordingGrid : public CGridCtrl {
public:
  std::vector<std::string> log;
  bool allowSelChange = true;
  bool allowScroll = true;
  int rowsToAddOnOverflow = 0;
  int showMenuAnswer = 2;
  int colSizedOverride = -1;
  bool allowEdit = true;
  bool allowEndEdit = true;

  template <class... Args> void Record(const char* name, Args... args) {
    std::ostringstream line;
    line << name << "(";
    const char* separator = "";
    ((line << separator << args, separator = ","), ...);
    (void)separator;
    line << ")";
    log.push_back(line.str());
  }
  // Every hook call but painting, in order.
  std::vector<std::string> Hooks() const {
    std::vector<std::string> found;
    for (const auto& line : log)
      if (line.compare(0, 11, "OnPaintArea") != 0)
        found.push_back(line);
    return found;
  }
  // The calls whose name starts with `prefix`, in order.
  std::vector<std::string> Calls(const std::string& prefix) const {
    std::vector<std::string> found;
    for (const auto& line : log)
      if (line.compare(0, prefix.size(), prefix) == 0)
        found.push_back(line);
    return found;
  }

  BOOL OnSelChanging(int a, int b, int c, int d) override {
    Record("OnSelChanging", a, b, c, d);
    return allowSelChange;
  }
  BOOL OnScrollChanging(int a, int b, int c, int d) override {
    Record("OnScrollChanging", a, b, c, d);
    return allowScroll;
  }
  void OnRowOverflow(int count, int missing, int value) override {
    Record("OnRowOverflow", count, missing, value);
    if (rowsToAddOnOverflow)
      SetRowCount(count + rowsToAddOnOverflow);
  }
  void OnRowUnderflow(int count, int target) override { Record("OnRowUnderflow", count, target); }
  void OnColChanged(int a, int b) override { Record("OnColChanged", a, b); }
  void OnRowChanged(int a, int b) override { Record("OnRowChanged", a, b); }
  void OnSelChanged(int a, int b, int c, int d) override { Record("OnSelChanged", a, b, c, d); }
  void OnLeftColChanged(int a, int b) override { Record("OnLeftColChanged", a, b); }
  void OnTopRowChanged(int a, int b) override { Record("OnTopRowChanged", a, b); }
  void OnColSizing(int col, int* width) override { Record("OnColSizing", col, *width); }
  void OnColSized(int col, int* width) override {
    Record("OnColSized", col, *width);
    if (colSizedOverride >= 0)
      *width = colSizedOverride;
  }
  void OnRowSized(int row, int* height) override { Record("OnRowSized", row, *height); }
  void OnLButtonCell(int col, int row, BOOL down, const CRect&, CPoint, int answer) override {
    Record("OnLButtonCell", col, row, down, answer);
  }
  void OnRButtonCell(int col, int row, BOOL down, const CRect&, CPoint, int answer) override {
    Record("OnRButtonCell", col, row, down, answer);
  }
  void OnDblClkCell(int col, int row, const CRect&, CPoint, int answer) override {
    Record("OnDblClkCell", col, row, answer);
  }
  void OnColHeaderClick(int col, BOOL down) override { Record("OnColHeaderClick", col, down); }
  void OnColHeaderRClick(int col, BOOL down) override { Record("OnColHeaderRClick", col, down); }
  void OnColHeaderDblClk(int col) override { Record("OnColHeaderDblClk", col); }
  void OnRowHeaderClick(int row, BOOL down) override { Record("OnRowHeaderClick", row, down); }
  void OnRowHeaderDblClk(int row) override { Record("OnRowHeaderDblClk", row); }
  void OnCornerClick(BOOL down) override { Record("OnCornerClick", down); }
  void OnCornerDblClk() override { Record("OnCornerDblClk"); }
  void OnCornerRClick(BOOL down) override { Record("OnCornerRClick", down); }
  int OnShowMenu(int col, int row, int area) override {
    Record("OnShowMenu", col, row, area);
    return showMenuAnswer;
  }
  BOOL OnBeginEdit(int col, int row, CEdit*) override {
    Record("OnBeginEdit", col, row);
    return allowEdit;
  }
  BOOL OnEndEdit(int col, int row, CEdit*) override {
    Record("OnEndEdit", col, row);
    return allowEndEdit;
  }
  void OnCellNotify(int code, int col, int row, int value, CString* text) override {
    Record("OnCellNotify", code, col, row, value, text ? static_cast<const char*>(*text) : "");
  }
  void OnPaintArea(CDC*, int area) override { Record("OnPaintArea", area); }
  BOOL OnVScrolling(int row, int percent, CGridTipWnd* tip) override {
    Record("OnVScrolling", row, percent);
    tip->SetText(("Row " + std::to_string(row)).c_str());
    return TRUE;
  }
};

// Rectangles print as coordinates in failure messages.
inline void PrintTo(const CRect& r, std::ostream* out) {
  *out << "(" << r.left << "," << r.top << ")-(" << r.right << "," << r.bottom << ")";
}

// A visible top-level window holding one grid as a child of the given client size.
template <class Grid> class GridHost {
public:
  explicit GridHost(int width = 400, int height = 300) {
    parent_.CreateEx(0, nullptr, "grid host", WS_POPUP | WS_VISIBLE, CRect(0, 0, width + 20, height + 20),
                     nullptr, 0);
    grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, width, height), &parent_, 100);
  }
  HWND child(int id) { return ::GetDlgItem(grid.m_hWnd, id); }
  HWND body() { return child(kGridBodyId); }

  CWnd parent_; // declared first: the grid goes before its parent
  Grid grid;
};
