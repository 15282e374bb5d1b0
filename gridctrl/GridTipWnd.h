#pragma once

#include <appframe/CWnd.h>
#include <gridctrl/GridDefs.h>

class CGridCtrl;

// A small framed text shown beside a scroll thumb while it is dragged.
class CGridTipWnd : public CWnd {
public:
  explicit CGridTipWnd(CGridCtrl* grid) : m_pGrid(grid) {}

  void SetText(const char* text);
  const CString& GetText() const { return m_text; }
  void SetColors(COLORREF text, COLORREF background);
  // Alignment bits (GridDefs.h) of the tip against its point: kAlignCentre centred on it, kAlignRight
  // ending at it, else starting at it; kAlignMiddle centred on it, kAlignBottom ending at it, else
  // starting at it.
  void SetPlacement(int flags) { m_placement = flags; }
  void SetFont(HFONT font);
  int LineHeight();
  // Places the tip at a point of the grid's client area and shows it painted.
  void ShowAt(int x, int y, int minWidth);
  void Show();
  void Hide();

protected:
  void OnPaint();
  void OnPrintClient(HDC dc, UINT flags);
  BOOL OnEraseBkgnd(HDC) { return TRUE; }
  DECLARE_MESSAGE_MAP()

private:
  void Paint(CDC* dc);
  int TextWidth();

  CGridCtrl* m_pGrid;
  CString m_text;
  COLORREF m_textColour = RGB(0, 0, 0);
  COLORREF m_background = RGB(255, 255, 0);
  HFONT m_font = nullptr;
  int m_lineHeight = 0;
  int m_placement = 0;
};
