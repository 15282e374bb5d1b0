#include <foundation/drawing/metafile.h>

#include <foundation/streams/filestream.h>

#include <cstdint>

namespace {

constexpr int PlaceableHeaderSize = 22;
constexpr std::uint32_t PlaceableKey = 0x9AC6CDD7;

unsigned le16(const unsigned char* p) { return p[0] | p[1] << 8; }

std::uint32_t le32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// A placeable file's records, after its header, as a metafile.
HMETAFILE readRecords(fileistream& in, long size) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(size));
  if (!block)
    return nullptr;
  auto* bytes = static_cast<unsigned char*>(GlobalLock(block));
  HMETAFILE result = nullptr;
  if (bytes && ReadBlock(in, bytes, size))
    result = SetMetaFileBitsEx(static_cast<UINT>(size), bytes);
  if (bytes)
    GlobalUnlock(block);
  GlobalFree(block);
  return result;
}

} // namespace

int metafile::load(const cpath& path) {
  free();
  fileistream in(path.str());
  unsigned char header[PlaceableHeaderSize];
  if (!in.open() || !ReadExact(in, header, PlaceableHeaderSize))
    return 0;
  if (le32(header) != PlaceableKey) {
    in.close();
    handle_ = GetMetaFileA(path.str());
    return handle_ != nullptr;
  }
  long size = in.size() - PlaceableHeaderSize;
  if (size <= 0)
    return 0;
  placeable_ = 1;
  bounds_ = RECT{static_cast<LONG>(le16(header + 6)), static_cast<LONG>(le16(header + 8)),
                 static_cast<LONG>(le16(header + 10)), static_cast<LONG>(le16(header + 12))};
  handle_ = readRecords(in, size);
  return handle_ != nullptr;
}

void metafile::free() {
  if (handle_)
    DeleteMetaFile(handle_);
  handle_ = nullptr;
  placeable_ = 0;
  bounds_ = RECT{0, 0, 0, 0};
}

int metafile::play(dc& device, int x, int y, int width, int height) {
  if (!handle_)
    return 0;
  HDC hdc = device.hdc();
  int saved = SaveDC(hdc);
  int previousMode = SetMapMode(hdc, MM_ANISOTROPIC);
  // A placeable file's records need not set the window: its bounding rectangle is the picture.
  if (placeable_ && bounds_.right > bounds_.left && bounds_.bottom > bounds_.top) {
    SetWindowOrgEx(hdc, bounds_.left, bounds_.top, nullptr);
    SetWindowExtEx(hdc, bounds_.right - bounds_.left, bounds_.bottom - bounds_.top, nullptr);
  }
  SetViewportOrgEx(hdc, x, y, nullptr);
  SetViewportExtEx(hdc, width, height, nullptr);
  int played = PlayMetaFile(hdc, handle_);
  SetMapMode(hdc, previousMode);
  RestoreDC(hdc, saved);
  return played;
}
