#pragma once

#include <gridctrl/GridCell.h>

// Where the grid keeps its cells. The grid reaches stored cells only through this interface, so an
// application may put its own store behind a grid. Every default answers -1: not supported.
class CGridStore {
public:
  virtual ~CGridStore() = default;

  virtual int DeleteRow(int /*row*/) { return -1; }
  // Overlays the stored cell onto `cell`; 0 when one is stored there.
  virtual int ReadCell(int /*col*/, int /*row*/, CGridCell& /*cell*/) { return -1; }
  // Keeps a full copy of `cell`.
  virtual int WriteCell(int /*col*/, int /*row*/, const CGridCell& /*cell*/) { return -1; }
  virtual int FindFirst(int /*col*/, const char* /*text*/, int* /*row*/) { return -1; }
  virtual int FindNext(int /*col*/, const char* /*text*/, int* /*row*/) { return -1; }
  // Asked when a row target lies past the end; `value` goes on to the grid's OnRowOverflow hook.
  virtual int SupplyRows(int /*rowCount*/, int /*missing*/, int* /*value*/) { return -1; }
  virtual int SortByColumn(int /*col*/) { return -1; }
  virtual int InsertRow(int /*row*/) { return -1; }
  virtual int InsertColumn(int /*col*/) { return -1; }
  virtual int DeleteCell(int /*col*/, int /*row*/) { return -1; }
  virtual int DeleteColumn(int /*col*/) { return -1; }
  virtual int ClearAll() { return -1; }
};
