#pragma once

#include <gridctrl/GridCellType.h>
#include <gridctrl/GridFontCache.h>

#include <map>
#include <string>

// The cell types that only draw: nothing to click, nothing to edit in place except type 4's text.

// Type 4: the text in a font of the device context's face sized so that the text fills the width.
// Finding the size takes a few trial heights: their fonts are kept for the next cells (which mostly
// need the same few), and the sizes found for the cells drawn again.
class CGridCellType4 : public CGridCellType {
public:
  CGridCellType4() : CGridCellType(4, true) {}
  void Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) override;
  // The font height at which `text` just fits `width` in `face`, never above `limit` nor below 2.
  int FittedHeight(CDC* dc, const char* face, const CString& text, int width, int limit);

private:
  int WidthAt(CDC* dc, const char* face, const CString& text, int height);

  std::map<std::string, int> m_fitted; // face, text, width and limit -> height
  CGridFontCache m_fonts;
};

// Type 5: a percentage bar of the text read as a whole number (0..100) with its label across it.
class CGridCellType5 : public CGridCellType {
public:
  CGridCellType5() : CGridCellType(5, false) {}
  void Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) override;
};

// Type 8: an arrow face. By type flags: up to 16 an arrow right, 32 an arrow left, other values up to
// 64 a double arrow right, 128 a double arrow left, anything else no glyph.
class CGridCellType8 : public CGridCellType {
public:
  CGridCellType8() : CGridCellType(8, false) {}
  void Draw(CDC* dc, const CRect& rect, const CGridCell& cell, BOOL selected, BOOL current) override;
};
