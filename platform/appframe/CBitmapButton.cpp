#include <appframe/CBitmapButton.h>

CBitmapButton::~CBitmapButton() { FreeBitmaps(); }

void CBitmapButton::FreeBitmaps() {
  for (HBITMAP& bitmap : bitmaps_) {
    if (bitmap)
      DeleteObject(bitmap);
    bitmap = nullptr;
  }
}

bool CBitmapButton::LoadBitmaps(const char* up, const char* down, const char* focus, const char* disabled) {
  FreeBitmaps();
  HINSTANCE instance = GetModuleHandleA(nullptr);
  const char* names[4] = {up, down, focus, disabled};
  for (int i = 0; i < 4; ++i)
    if (names[i])
      bitmaps_[i] = LoadBitmapA(instance, names[i]);
  return bitmaps_[0] != nullptr;
}

bool CBitmapButton::LoadBitmaps(UINT up, UINT down, UINT focus, UINT disabled) {
  auto name = [](UINT id) { return id ? MAKEINTRESOURCEA(id) : nullptr; };
  return LoadBitmaps(name(up), name(down), name(focus), name(disabled));
}

bool CBitmapButton::AutoLoad(UINT id, CWnd* parent) {
  if (!SubclassDlgItem(id, parent))
    return false;
  std::string caption = GetWindowText().str();
  if (!LoadBitmaps((caption + "U").c_str(), (caption + "D").c_str(), (caption + "F").c_str(),
                   (caption + "X").c_str()))
    return false;
  ModifyStyle(0x0F, BS_OWNERDRAW);
  SizeToContent();
  return true;
}

void CBitmapButton::SizeToContent() {
  BITMAP info{};
  if (!bitmaps_[0] || !GetObjectA(bitmaps_[0], sizeof info, &info))
    return;
  SetWindowPos(m_hWnd, nullptr, 0, 0, info.bmWidth, info.bmHeight,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CBitmapButton::DrawItem(const DRAWITEMSTRUCT* item) {
  HBITMAP bitmap = bitmaps_[0];
  if ((item->itemState & ODS_SELECTED) && bitmaps_[1])
    bitmap = bitmaps_[1];
  else if ((item->itemState & ODS_FOCUS) && bitmaps_[2])
    bitmap = bitmaps_[2];
  else if ((item->itemState & ODS_DISABLED) && bitmaps_[3])
    bitmap = bitmaps_[3];
  if (!bitmap)
    return;
  HDC memory = CreateCompatibleDC(item->hDC);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const RECT& r = item->rcItem;
  BitBlt(item->hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}
