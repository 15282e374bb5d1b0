#pragma once

#include "RecordingGrid.h"

#include "GridCellFrame.h"
#include "MemoryDib.h"
#include "SentInput.h"

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
