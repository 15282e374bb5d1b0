#pragma once

#include <windows.h>

#include <vector>

// A logical palette built entry by entry and realised in a DC for as long as it is selected.
class palette {
public:
  palette() = default;
  ~palette() { unselect(); }
  palette(const palette&) = delete;
  palette& operator=(const palette&) = delete;

  // n entries, all black.
  void setsize(int n);
  int setentry(int index, COLORREF colour);
  int size() const { return static_cast<int>(entries_.size()); }
  COLORREF entry(int index) const;
  int empty() const { return entries_.empty(); }
  // Realises the palette in the DC: 1 when realised, or at once without entries; 0 when the device
  // has no palette.
  int select(HDC hdc);
  // Puts the DC's previous palette back and deletes this one.
  void unselect();
  void setbackground(int force) { background_ = force; }

private:
  std::vector<PALETTEENTRY> entries_;
  int background_ = 0;
  HDC hdc_ = nullptr;
  HPALETTE palette_ = nullptr;
  HPALETTE previous_ = nullptr;
};
