#include <gridctrl/GridCell.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {

const COLORREF kUnsetColour = static_cast<COLORREF>(-1);
// More decimals than a double carries only pads with zeros; fewer than none is no format at all.
const int kMaxDecimals = 30;

} // namespace

CGridCell::CGridCell() { Clear(); }

CGridCell::CGridCell(const CGridCell& other) : CGridCell() { CopyFrom(other); }

CGridCell& CGridCell::operator=(const CGridCell& other) {
  CopyFrom(other);
  return *this;
}

int CGridCell::Clear() {
  m_strText.Empty();
  m_strText2.Empty();
  m_strDisplay.Empty();
  m_nValueType = -1;
  m_nRangeFlag = -1;
  m_nSpareFlag = -1;
  m_crText = m_crBk = m_crSelText = m_crSelBk = kUnsetColour;
  m_nAlign = -1;
  m_nFrameStyle = -1;
  m_nNoEdit = -1;
  m_nCellType = -1;
  m_nTypeFlags = -1;
  m_hPen = nullptr;
  m_hFont = nullptr;
  m_hBitmap = nullptr;
  m_nJoined = 0;
  m_nNumSpare = 0;
  m_nNumSpare2 = 0;
  m_nDecimals = 2;
  FreeData();
  return 0;
}

void CGridCell::CopyNumber(const CGridCell& source) {
  m_nValueType = source.m_nValueType;
  m_dNumber = source.m_dNumber;
  m_nNumSpare = source.m_nNumSpare;
  m_nDecimals = source.m_nDecimals;
  m_nNumSpare2 = source.m_nNumSpare2;
}

void CGridCell::CopyData(const CGridCell& source) {
  FreeData();
  if (!source.m_nDataFlag || !source.m_pData)
    return;
  unsigned char* block = new (std::nothrow) unsigned char[static_cast<size_t>(source.m_nDataLen)];
  if (!block)
    return; // no memory: the target keeps no block, and the copy still succeeds
  std::memcpy(block, source.m_pData.get(), static_cast<size_t>(source.m_nDataLen));
  m_pData.reset(block);
  m_nDataFlag = source.m_nDataFlag;
  m_nDataLen = source.m_nDataLen;
}

int CGridCell::CopyFrom(const CGridCell& source) {
  if (&source == this)
    return 0; // freeing our block first would copy from freed memory
  m_strText = source.m_strText;
  m_strText2 = source.m_strText2;
  m_strDisplay = source.m_strDisplay;
  m_nValueType = source.m_nValueType;
  if (source.m_nValueType >= 0)
    CopyNumber(source);
  m_dMin = source.m_dMin;
  m_dMax = source.m_dMax;
  m_nRangeFlag = source.m_nRangeFlag;
  m_nSpareFlag = source.m_nSpareFlag;
  m_crText = source.m_crText;
  m_crBk = source.m_crBk;
  m_crSelText = source.m_crSelText;
  m_crSelBk = source.m_crSelBk;
  m_nAlign = source.m_nAlign;
  m_nFrameStyle = source.m_nFrameStyle;
  m_hPen = source.m_hPen;
  m_hFont = source.m_hFont;
  m_hBitmap = source.m_hBitmap;
  m_nNoEdit = source.m_nNoEdit;
  m_nCellType = source.m_nCellType;
  m_nTypeFlags = source.m_nTypeFlags;
  m_nJoined = source.m_nJoined;
  if (source.m_nJoined) {
    m_nAnchor = source.m_nAnchor;
    m_nJoinCol = source.m_nJoinCol;
    m_nJoinRow = source.m_nJoinRow;
  }
  CopyData(source);
  return 0;
}

int CGridCell::OverlayFrom(const CGridCell& source) {
  if (&source == this)
    return 0;
  if (!source.m_strText.IsEmpty())
    m_strText = source.m_strText;
  if (!source.m_strText2.IsEmpty())
    m_strText2 = source.m_strText2;
  if (!source.m_strDisplay.IsEmpty())
    m_strDisplay = source.m_strDisplay;
  if (source.m_nValueType >= 0)
    CopyNumber(source);
  if (source.m_nRangeFlag >= 0) {
    m_dMin = source.m_dMin;
    m_dMax = source.m_dMax;
    m_nRangeFlag = source.m_nRangeFlag;
  }
  if (source.m_nSpareFlag >= 0)
    m_nSpareFlag = source.m_nSpareFlag;
  if (IsColorSet(source.m_crText))
    m_crText = source.m_crText;
  if (IsColorSet(source.m_crBk))
    m_crBk = source.m_crBk;
  if (IsColorSet(source.m_crSelText))
    m_crSelText = source.m_crSelText;
  if (IsColorSet(source.m_crSelBk))
    m_crSelBk = source.m_crSelBk;
  if (source.m_nAlign >= 0)
    m_nAlign = source.m_nAlign;
  if (source.m_nFrameStyle >= 0)
    m_nFrameStyle = source.m_nFrameStyle;
  if (source.m_nNoEdit >= 0)
    m_nNoEdit = source.m_nNoEdit;
  if (source.m_nCellType >= 0)
    m_nCellType = source.m_nCellType;
  if (source.m_nTypeFlags >= 0)
    m_nTypeFlags = source.m_nTypeFlags;
  if (source.m_hPen)
    m_hPen = source.m_hPen;
  if (source.m_hFont)
    m_hFont = source.m_hFont;
  if (source.m_hBitmap)
    m_hBitmap = source.m_hBitmap;
  if (source.m_nJoined == 1) {
    m_nJoined = 1;
    m_nAnchor = source.m_nAnchor;
    m_nJoinCol = source.m_nJoinCol;
    m_nJoinRow = source.m_nJoinRow;
  }
  if (source.m_nDataFlag)
    CopyData(source);
  return 0;
}

int CGridCell::SetText(const char* text) {
  m_strText = text;
  return 0;
}

int CGridCell::SetDouble(double value) {
  int decimals = m_nDecimals < 0 ? 0 : (m_nDecimals > kMaxDecimals ? kMaxDecimals : m_nDecimals);
  CString format;
  format.Format("%%1.%dlf", decimals);
  m_strText.Format(format, value); // sized to the result, so 1e300 fits as well as 3.14
  m_dNumber = value;
  m_nValueType = 2;
  return 0;
}

double CGridCell::GetDouble() const { return std::atof(m_strText); }

int CGridCell::SetRange(double minimum, double maximum) {
  m_dMin = minimum;
  m_dMax = maximum;
  return 0;
}

int CGridCell::SetValueType(short type) {
  m_nValueType = type;
  return 0;
}

int CGridCell::SetTextColor(COLORREF colour) {
  m_crText = colour;
  return 0;
}

int CGridCell::SetBkColor(COLORREF colour) {
  m_crBk = colour;
  return 0;
}

int CGridCell::SetSelTextColor(COLORREF colour) {
  m_crSelText = colour;
  return 0;
}

int CGridCell::SetSelBkColor(COLORREF colour) {
  m_crSelBk = colour;
  return 0;
}

int CGridCell::SetAlign(short bits) {
  m_nAlign = bits;
  return 0;
}

int CGridCell::SetFrameStyle(short bits) {
  m_nFrameStyle = bits;
  return 0;
}

int CGridCell::SetPenHandle(HPEN pen) {
  m_hPen = pen;
  return 0;
}

int CGridCell::SetPen(const CPen* pen) {
  m_hPen = pen ? static_cast<HPEN>(pen->m_hObject) : nullptr;
  return 0;
}

int CGridCell::SetFont(const CFont* font) {
  m_hFont = font ? static_cast<HFONT>(font->m_hObject) : nullptr;
  return 0;
}

int CGridCell::SetNoEdit(short flag) {
  m_nNoEdit = flag;
  return 0;
}

int CGridCell::SetCellType(int id) {
  m_nCellType = id;
  return 0;
}

int CGridCell::SetTypeFlags(int flags) {
  m_nTypeFlags = flags;
  return 0;
}

int CGridCell::SetData(const void* bytes, int length) {
  FreeData();
  if (!bytes || length <= 0)
    return 0;
  m_pData.reset(new unsigned char[static_cast<size_t>(length)]);
  std::memcpy(m_pData.get(), bytes, static_cast<size_t>(length));
  m_nDataFlag = 1;
  m_nDataLen = length;
  return 0;
}

int CGridCell::FreeData() {
  m_pData.reset();
  m_nDataFlag = 0;
  m_nDataLen = 0;
  return 0;
}
