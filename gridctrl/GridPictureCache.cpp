#include <gridctrl/GridPictureCache.h>

#include <tuple>

namespace {

std::vector<unsigned char> PixelsOf(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  std::vector<unsigned char> pixels(static_cast<size_t>(info.bmWidthBytes) *
                                    static_cast<size_t>(info.bmHeight));
  if (!pixels.empty())
    GetBitmapBits(bitmap, static_cast<LONG>(pixels.size()), pixels.data());
  return pixels;
}

} // namespace

bool CGridPictureCache::Key::operator<(const Key& other) const {
  return std::tie(bitmap, background, width, height) <
         std::tie(other.bitmap, other.background, other.width, other.height);
}

CGridPictureCache::~CGridPictureCache() {
  Clear();
  if (m_memory)
    DeleteDC(m_memory);
}

void CGridPictureCache::Deselect() {
  if (m_memory)
    SelectObject(m_memory, m_initial);
}

void CGridPictureCache::Clear() {
  Deselect();
  for (const auto& entry : m_ready)
    DeleteObject(entry.second.copy);
  m_ready.clear();
}

HBITMAP CGridPictureCache::Make(HBITMAP bitmap, int width, int height, COLORREF background, SIZE drawn) {
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC work = CreateCompatibleDC(screen);
  HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
  HBITMAP sized = CreateCompatibleBitmap(screen, drawn.cx, drawn.cy);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldSource = SelectObject(source, bitmap);
  HGDIOBJ oldWork = SelectObject(work, copy);
  BitBlt(work, 0, 0, width, height, source, 0, 0, SRCCOPY);
  HBRUSH brush = CreateSolidBrush(background);
  HGDIOBJ oldBrush = SelectObject(work, brush);
  ExtFloodFill(work, 0, 0, GetPixel(work, 0, 0), FLOODFILLSURFACE);
  SelectObject(work, oldBrush);
  DeleteObject(brush);
  // The filled copy is the source of the one at the drawn size (a bitmap is in one context at a time).
  SelectObject(work, sized);
  SelectObject(source, copy);
  StretchBlt(work, 0, 0, drawn.cx, drawn.cy, source, 0, 0, width, height, SRCCOPY);
  SelectObject(work, oldWork);
  SelectObject(source, oldSource);
  DeleteDC(work);
  DeleteDC(source);
  DeleteObject(copy);
  return sized;
}

void CGridPictureCache::Draw(HDC dc, HBITMAP bitmap, int width, int height, COLORREF background,
                             const RECT& target) {
  std::vector<unsigned char> pixels = PixelsOf(bitmap);
  const SIZE drawn{target.right - target.left, target.bottom - target.top};
  if (drawn.cx <= 0 || drawn.cy <= 0)
    return;
  const Key key{bitmap, background, drawn.cx, drawn.cy};
  auto found = m_ready.find(key);
  if (found != m_ready.end() && found->second.pixels != pixels) {
    Deselect();
    DeleteObject(found->second.copy);
    m_ready.erase(found);
    found = m_ready.end();
  }
  if (found == m_ready.end()) {
    if (m_ready.size() >= kMost)
      Clear();
    HBITMAP copy = Make(bitmap, width, height, background, drawn);
    found = m_ready.emplace(key, Ready{std::move(pixels), copy}).first;
  }
  if (!m_memory) {
    m_memory = CreateCompatibleDC(nullptr);
    m_initial = GetCurrentObject(m_memory, OBJ_BITMAP);
  }
  SelectObject(m_memory, found->second.copy);
  BitBlt(dc, target.left, target.top, drawn.cx, drawn.cy, m_memory, 0, 0, SRCCOPY);
}
