#include <calendar/views/CalendarLook.h>

namespace calendarlook {

namespace {

void CreateBold(CFont& font, const char* face, int height) {
  LOGFONTA look{};
  look.lfHeight = height;
  look.lfWeight = FW_BOLD;
  lstrcpynA(look.lfFaceName, face, LF_FACESIZE);
  font.CreateFontIndirect(&look);
}

} // namespace

void CreateBoldFont(CFont& font) { CreateBold(font, "MS Sans Serif", 12); }

// "MS Sans Serif" comes in fixed bitmap sizes only: asked for less, it answers its smallest, 13 pixels.
void CreateSmallBoldFont(CFont& font, int height) { CreateBold(font, "Tahoma", height); }

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
