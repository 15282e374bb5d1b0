#include "GridPictureCache.h"

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

HBITMAP CGridPictureCache::Make(HBITMAP bitmap, int width, int height, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC original = CreateCompatibleDC(screen);
  HGDIOBJ oldOriginal = SelectObject(original, bitmap);
  HDC copyDc = CreateCompatibleDC(screen);
  HBITMAP copy = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  HGDIOBJ oldCopy = SelectObject(copyDc, copy);
  BitBlt(copyDc, 0, 0, width, height, original, 0, 0, SRCCOPY);
  SelectObject(original, oldOriginal);
  DeleteDC(original);
  HBRUSH brush = CreateSolidBrush(background);
  HGDIOBJ oldBrush = SelectObject(copyDc, brush);
  ExtFloodFill(copyDc, 0, 0, GetPixel(copyDc, 0, 0), FLOODFILLSURFACE);
  SelectObject(copyDc, oldBrush);
  DeleteObject(brush);
  SelectObject(copyDc, oldCopy);
  DeleteDC(copyDc);
  return copy;
}

void CGridPictureCache::Draw(HDC dc, HBITMAP bitmap, int width, int height, COLORREF background,
                             const RECT& target) {
  std::vector<unsigned char> pixels = PixelsOf(bitmap);
  const auto key = std::make_pair(bitmap, background);
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
    HBITMAP copy = Make(bitmap, width, height, background);
    found = m_ready.emplace(key, Ready{std::move(pixels), copy}).first;
  }
  if (!m_memory) {
    m_memory = CreateCompatibleDC(nullptr);
    m_initial = GetCurrentObject(m_memory, OBJ_BITMAP);
  }
  SelectObject(m_memory, found->second.copy);
  StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top, m_memory, 0,
             0, width, height, SRCCOPY);
}
