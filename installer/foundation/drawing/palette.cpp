#include <foundation/drawing/palette.h>

#include <vector>

void palette::setsize(int n) { entries_.assign(n > 0 ? n : 0, PALETTEENTRY{0, 0, 0, 0}); }

int palette::setentry(int index, COLORREF colour) {
  if (index < 0 || index >= size())
    return 0;
  entries_[index] = PALETTEENTRY{GetRValue(colour), GetGValue(colour), GetBValue(colour), 0};
  return 1;
}

COLORREF palette::entry(int index) const {
  if (index < 0 || index >= size())
    return CLR_INVALID;
  const PALETTEENTRY& e = entries_[index];
  return RGB(e.peRed, e.peGreen, e.peBlue);
}

int palette::select(HDC hdc) {
  if (entries_.empty())
    return 1;
  if (!(GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE))
    return 0;
  unselect();
  std::vector<unsigned char> block(sizeof(LOGPALETTE) + entries_.size() * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(entries_.size());
  for (size_t i = 0; i < entries_.size(); ++i)
    logical->palPalEntry[i] = entries_[i];
  palette_ = CreatePalette(logical);
  if (!palette_)
    return 0;
  hdc_ = hdc;
  previous_ = SelectPalette(hdc, palette_, background_ != 0);
  return RealizePalette(hdc) != GDI_ERROR;
}

void palette::unselect() {
  if (hdc_ && previous_)
    SelectPalette(hdc_, previous_, background_ != 0);
  if (palette_)
    DeleteObject(palette_);
  hdc_ = nullptr;
  palette_ = nullptr;
  previous_ = nullptr;
}
