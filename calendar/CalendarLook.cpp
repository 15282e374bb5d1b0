#include "CalendarLook.h"

namespace calendarlook {

void CreateBoldFont(CFont& font) {
  LOGFONTA look{};
  look.lfHeight = 12;
  look.lfWeight = FW_BOLD;
  lstrcpynA(look.lfFaceName, "MS Sans Serif", LF_FACESIZE);
  font.CreateFontIndirect(&look);
}

int RowHeight(const CFont& font) {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, font.m_hObject);
  TEXTMETRICA metrics{};
  GetTextMetricsA(screen, &metrics);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return metrics.tmHeight * 11 / 10;
}

} // namespace calendarlook
