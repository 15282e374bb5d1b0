#pragma once

#include <gridctrl/tests/RecordingGrid.h>

#include <gridctrl/GridCellFrame.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/SentInput.h>

#include <gtest/gtest.h>

// A grid of 5 columns of 100 and 10 rows of 20, with helpers to set a cell's type and to paint the body.
struct CellTypeFixture : ::testing::Test {
  GridHost<RecordingGrid> host;
  RecordingGrid& grid = host.grid;
  HWND body = host.body();
  testsupport::MemoryDib dib{400, 300, RGB(255, 0, 255)};

  CellTypeFixture() {
    grid.SetColCount(5);
    grid.SetRowCount(10);
    grid.log.clear();
  }
  void SetType(int col, int row, int type, int flags = -1, const char* text = "", const char* display = "") {
    CGridCell cell;
    cell.SetCellType(type);
    cell.SetTypeFlags(flags);
    cell.SetText(text);
    cell.m_strDisplay = display;
    grid.SetCell(col, row, &cell);
  }
  CGridCell Merged(int col, int row) {
    CGridCell cell;
    grid.GetMergedCell(col, row, &cell);
    return cell;
  }
  void Paint() { testsupport::paintClient(body, dib); }
  // The cell less its grid lines (right and bottom).
  CRect Inner(int col, int row) {
    CRect rect;
    grid.GetCellRect(col, row, &rect);
    return CRect(rect.left, rect.top, rect.right - 1, rect.bottom - 1);
  }
  int Ink(const CRect& area, COLORREF ink = RGB(0, 0, 0)) { return dib.count(ink, area); }
};

// A grid whose OnCellNotify hook, run during a press on a button of a cell, makes another window (the
// host's top-level) take the capture at the next turn of the message loop while the button is still
// held: what a message box shown from the hook, or any window that captures the mouse, does.
class CaptureStealingGrid : public RecordingGrid {
public:
  void OnCellNotify(int code, int col, int row, int value, CString* text) override {
    RecordingGrid::OnCellNotify(code, col, row, value, text);
    thief_ = GetAncestor(m_hWnd, GA_ROOT);
    ::SetTimer(nullptr, 0, 0, Steal);
  }

private:
  static void CALLBACK Steal(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    ::SetCapture(thief_);
  }
  static inline HWND thief_ = nullptr;
};

struct CaptureStealingHost : GridHost<CaptureStealingGrid> {
  CaptureStealingHost() {
    grid.SetColCount(5);
    grid.SetRowCount(10);
  }
  ~CaptureStealingHost() {
    if (GetCapture() == parent_.m_hWnd)
      ReleaseCapture();
  }
  // Makes (col, row) the current cell, of `type`.
  void SetType(int col, int row, int type, const char* display = "") {
    CGridCell cell;
    cell.SetCellType(type);
    cell.m_strDisplay = display;
    grid.SetCell(col, row, &cell);
    grid.SetCurCell(col, row);
  }
  // The button at the right of the cell's inner rectangle (the whole height).
  CRect ButtonFace(int col, int row) {
    CRect rect;
    grid.GetCellRect(col, row, &rect);
    const int width = GetSystemMetrics(SM_CXVSCROLL);
    return CRect(rect.right - 1 - width, rect.top, rect.right - 1, rect.bottom - 1);
  }
  // A button face is drawn pressed when its left edge has the shadow colour, raised when it is white
  // (the left edge: the current cell's focus frame runs along the top).
  bool DrawnPressed(const CRect& face) {
    testsupport::MemoryDib picture(400, 300);
    testsupport::paintClient(body(), picture);
    EXPECT_NE(picture.pixel(face.left, face.top + 5), GetSysColor(COLOR_BTNFACE));
    return picture.pixel(face.left, face.top + 5) == GetSysColor(COLOR_BTNSHADOW);
  }
};
