#pragma once

#include <appframe/CString.h>
#include <appframe/GdiObjects.h>

#include <memory>

// The value of one grid cell: its texts, an optional number and every display attribute.
//
// Every attribute can be unset (-1 for numbers, an empty text, a null handle). The grid draws a cell by
// starting from a default cell and overlaying only what a more specific cell has set (OverlayFrom).
// Fields are read directly by the grid and by callers; the setters answer 0.
class CGridCell {
public:
  CGridCell();
  CGridCell(const CGridCell& other);
  CGridCell& operator=(const CGridCell& other);
  ~CGridCell() = default;

  int Clear();
  int CopyFrom(const CGridCell& source);
  int CopyTo(CGridCell& target) const { return target.CopyFrom(*this); }
  int OverlayFrom(const CGridCell& source);

  int SetText(const char* text);
  int SetDouble(double value);
  double GetDouble() const;
  int SetRange(double minimum, double maximum);
  int SetValueType(short type);
  int SetTextColor(COLORREF colour);
  int SetBkColor(COLORREF colour);
  int SetSelTextColor(COLORREF colour);
  int SetSelBkColor(COLORREF colour);
  int SetAlign(short bits);
  int SetFrameStyle(short bits);
  int SetPenHandle(HPEN pen);
  int SetPen(const CPen* pen);
  int SetFont(const CFont* font);
  int SetNoEdit(short flag);
  int SetCellType(int id);
  int SetTypeFlags(int flags);
  // Gives the cell its own copy of `length` bytes (none when length is 0).
  int SetData(const void* bytes, int length);
  int FreeData();

  int m_nValueType;
  CString m_strText;
  CString m_strText2;   // input mask of the in-place editor
  CString m_strDisplay; // drawn instead of the text with type flag 8; check-box label; list items
  double m_dNumber = 0;
  short m_nNumSpare = 0;
  short m_nDecimals;
  short m_nNumSpare2 = 0;
  double m_dMin = 0;
  double m_dMax = 0;
  short m_nRangeFlag;
  short m_nSpareFlag;
  COLORREF m_crText;
  COLORREF m_crBk;
  COLORREF m_crSelText;
  COLORREF m_crSelBk;
  short m_nAlign;
  short m_nFrameStyle;
  HPEN m_hPen;
  HFONT m_hFont;
  HBITMAP m_hBitmap;
  short m_nNoEdit;
  int m_nCellType;
  int m_nTypeFlags;
  int m_nDataFlag = 0;
  int m_nDataLen = 0;
  std::unique_ptr<unsigned char[]> m_pData;
  int m_nJoined;
  int m_nAnchor = 0;
  int m_nJoinCol = 0; // anchor: the block's last column; member: the anchor's column
  int m_nJoinRow = 0;

private:
  void CopyNumber(const CGridCell& source);
  void CopyData(const CGridCell& source);
};

// Colours are unset at -1 and compared as signed values, so -1 can never be set as a colour.
inline bool IsColorSet(COLORREF colour) { return static_cast<LONG>(colour) >= 0; }
