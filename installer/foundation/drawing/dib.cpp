#include <foundation/drawing/dib.h>

#include <foundation/streams/filestream.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr int InfoHeaderSize = 40;
constexpr int FileHeaderSize = 14;
// Larger headers (V4, V5) are skipped to their end; anything larger than this is not a header.
constexpr std::uint32_t LargestHeader = 1024;
// Pictures of the install screen are far smaller; a header announcing more is not believed.
constexpr std::uint64_t LargestPixels = 256u << 20;

std::uint32_t le32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// The shape a BITMAPINFOHEADER announces, refused unless it is one this class draws.
int readShape(const unsigned char* header, dib::shape& s, std::uint32_t& skippedEntries) {
  std::uint32_t headerSize = le32(header);
  auto width = static_cast<std::int32_t>(le32(header + 4));
  auto height = static_cast<std::int32_t>(le32(header + 8));
  int bits = le16(header + 14);
  std::uint32_t compression = le32(header + 16);
  std::uint32_t used = le32(header + 32);
  if (headerSize < InfoHeaderSize || headerSize > LargestHeader || compression != BI_RGB)
    return 0;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24)
    return 0;
  if (width <= 0 || height <= 0)
    return 0;
  std::uint64_t rowBytes = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
  std::uint64_t pixelBytes = rowBytes * static_cast<std::uint64_t>(height);
  if (pixelBytes > LargestPixels)
    return 0;
  s.width = width;
  s.height = height;
  s.bits = bits;
  s.headersize = static_cast<int>(headerSize);
  s.rowbytes = static_cast<unsigned>(rowBytes);
  s.pixelbytes = static_cast<size_t>(pixelBytes);
  skippedEntries = 0;
  if (bits > 8) {
    // A 24-bit bitmap may carry a table for palette devices; its pixels follow it.
    s.tableentries = 0;
    skippedEntries = used;
    return used <= LargestPixels / 4;
  }
  std::uint32_t most = 1u << bits;
  if (used > most)
    return 0;
  s.tableentries = static_cast<int>(used ? used : most);
  return 1;
}

// Four bytes of a colour table or of a replacement colour.
RGBQUAD quad(COLORREF colour) { return RGBQUAD{GetBValue(colour), GetGValue(colour), GetRValue(colour), 0}; }

COLORREF colourOf(const RGBQUAD& q) { return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue); }

// floor(a / b) for b > 0.
int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

} // namespace

bmpref::bmpref(const char* file) : kind(1) { path.set(file); }

bmpref::bmpref(HMODULE owner, const char* resource) : kind(0), module(owner) {
  lstrcpynA(name, resource ? resource : "", NameSize);
}

int dib::load(const bmpref& ref, int withbits) {
  return ref.kind == 1 ? loadfile(ref.path, withbits) : loadres(ref.module, ref.name, withbits);
}

int dib::loadres(HMODULE module, const char* name, int withbits) {
  if (state_)
    return 0;
  HRSRC found = FindResourceA(module, name, RT_BITMAP);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* data = static_cast<const unsigned char*>(loaded ? LockResource(loaded) : nullptr);
  size_t size = found ? SizeofResource(module, found) : 0;
  shape s;
  std::uint32_t skipped;
  if (!data || size < InfoHeaderSize || !readShape(data, s, skipped) ||
      static_cast<size_t>(s.headersize) > size)
    return 0;
  size_t tableAt = s.headersize;
  size_t bitsAt = tableAt + 4 * static_cast<size_t>(s.tableentries) + 4 * static_cast<size_t>(skipped);
  if (bitsAt > size || (withbits && s.pixelbytes > size - bitsAt))
    return 0;
  return take(s, data + tableAt, withbits ? data + bitsAt : nullptr);
}

int dib::loadfile(const cpath& path, int withbits) {
  if (state_)
    return 0;
  fileistream in(path.str());
  if (!in.open())
    return 0;
  unsigned char fileHeader[FileHeaderSize];
  unsigned char header[InfoHeaderSize];
  shape s;
  std::uint32_t skipped;
  if (!ReadExact(in, fileHeader, FileHeaderSize) || le16(fileHeader) != 19778 ||
      !ReadExact(in, header, InfoHeaderSize) || !readShape(header, s, skipped))
    return 0;
  long length = in.size();
  size_t tableBytes = 4 * static_cast<size_t>(s.tableentries);
  size_t tableEnd = FileHeaderSize + static_cast<size_t>(s.headersize) + tableBytes;
  if (length < 0 || tableEnd > static_cast<size_t>(length))
    return 0;
  std::vector<unsigned char> table(tableBytes);
  if (!SkipBytes(in, s.headersize - InfoHeaderSize) ||
      !ReadExact(in, table.data(), static_cast<int>(tableBytes)))
    return 0;
  if (!withbits)
    return take(s, table.data(), nullptr);
  // The pixels start where the file header says; writers that leave it 0 put them after the table.
  size_t offset = le32(fileHeader + 10);
  if (offset == 0)
    offset = tableEnd;
  if (offset < tableEnd || offset > static_cast<size_t>(length) ||
      s.pixelbytes > static_cast<size_t>(length) - offset)
    return 0;
  std::vector<unsigned char> bits(s.pixelbytes);
  if (!in.seek(static_cast<long>(offset), SEEK_SET) ||
      !ReadBlock(in, bits.data(), static_cast<long>(bits.size())))
    return 0;
  return take(s, table.data(), bits.data());
}

int dib::take(const shape& s, const unsigned char* table, const unsigned char* bits) {
  width_ = s.width;
  height_ = s.height;
  bits_ = s.bits;
  rowbytes_ = static_cast<int>(s.rowbytes);
  colours_.assign(bits_ <= 8 ? 1u << bits_ : 0, RGBQUAD{0, 0, 0, 0});
  coloursused_ = s.tableentries;
  if (s.tableentries)
    std::memcpy(colours_.data(), table, 4 * static_cast<size_t>(s.tableentries));
  pixels_.clear();
  if (bits)
    pixels_.assign(bits, bits + s.pixelbytes);
  transparent_ = 0;
  state_ = 1;
  return 1;
}

void dib::free() {
  state_ = width_ = height_ = bits_ = rowbytes_ = coloursused_ = transparent_ = 0;
  colours_.clear();
  pixels_.clear();
}

int dib::drawat(dc& device, int x, int y, DWORD rop) {
  return draw(device, RECT{x, y, x + width_, y + height_}, RECT{0, 0, width_, height_}, rop);
}

int dib::drawinto(dc& device, const RECT& destination, DWORD rop) {
  return draw(device, destination, RECT{0, 0, width_, height_}, rop);
}

int dib::draw(dc& device, const RECT& destination, const RECT& source, DWORD rop) {
  return paint(device, {piece{destination, source}}, rop);
}

int dib::tile(dc& device, const RECT& origin, const RECT& area, DWORD rop) {
  if (!state_ || pixels_.empty())
    return 0;
  std::vector<piece> pieces;
  int firstLeft = origin.left + floorDiv(area.left - origin.left, width_) * width_;
  int firstTop = origin.top + floorDiv(area.top - origin.top, height_) * height_;
  for (int top = firstTop; top < area.bottom; top += height_)
    for (int left = firstLeft; left < area.right; left += width_) {
      RECT tileRect{left, top, left + width_, top + height_}, shown;
      if (!IntersectRect(&shown, &tileRect, &area))
        continue;
      pieces.push_back(
          piece{shown, RECT{shown.left - left, shown.top - top, shown.right - left, shown.bottom - top}});
    }
  return paint(device, pieces, rop);
}

// A transparent bitmap is drawn in two passes: a mask (white where the transparent colour is,
// black elsewhere) ANDed onto the picture behind, then the bitmap with its transparent colour made
// black ORed on top. The bitmap keeps the black: it is transparent for this drawing only.
int dib::paint(dc& device, const std::vector<piece>& pieces, DWORD rop) {
  if (!state_ || pixels_.empty() || pieces.empty())
    return 0;
  if (!transparent_)
    return paintplain(device, pieces, rop);
  transparent_ = 0;
  COLORREF key = pixelcolour(transparentx_, transparenty_);
  dib mask;
  mask.copy(*this);
  mask.replacecolour(key, RGB(255, 255, 255), RGB(0, 0, 0), 1, 1);
  mask.paintplain(device, pieces, SRCAND);
  replacecolour(key, RGB(0, 0, 0), 0, 1, 0);
  return paintplain(device, pieces, SRCPAINT);
}

int dib::paintplain(dc& device, const std::vector<piece>& pieces, DWORD rop) {
  std::vector<unsigned char> block(sizeof(BITMAPINFOHEADER) + colours_.size() * sizeof(RGBQUAD));
  auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
  info->bmiHeader = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER),
                                     width_,
                                     height_,
                                     1,
                                     static_cast<WORD>(bits_),
                                     BI_RGB,
                                     0,
                                     0,
                                     0,
                                     static_cast<DWORD>(colours_.size()),
                                     0};
  if (!colours_.empty())
    std::memcpy(info->bmiColors, colours_.data(), colours_.size() * sizeof(RGBQUAD));
  SetStretchBltMode(device.hdc(), COLORONCOLOR);
  int drawn = 1;
  for (const piece& p : pieces) {
    // Rows are stored bottom-up: the source's lowest row is counted from the bottom.
    int lines =
        StretchDIBits(device.hdc(), p.destination.left, p.destination.top,
                      p.destination.right - p.destination.left, p.destination.bottom - p.destination.top,
                      p.source.left, height_ - p.source.bottom, p.source.right - p.source.left,
                      p.source.bottom - p.source.top, pixels_.data(), info, DIB_RGB_COLORS, rop);
    drawn &= lines > 0;
  }
  return drawn;
}

int dib::settransparent(int x, int y) {
  if (!state_ || x < 0 || y < 0 || x >= width_ || y >= height_)
    return 0;
  transparent_ = 1;
  transparentx_ = x;
  transparenty_ = y;
  return 1;
}

const unsigned char* dib::pixelat(int x, int y) const {
  if (!state_ || pixels_.empty() || x < 0 || y < 0 || x >= width_ || y >= height_)
    return nullptr;
  const unsigned char* row = pixels_.data() + static_cast<size_t>(height_ - 1 - y) * rowbytes_;
  return row + static_cast<size_t>(x) * bits_ / 8;
}

COLORREF dib::pixelcolour(int x, int y) const {
  const unsigned char* p = pixelat(x, y);
  if (!p)
    return CLR_INVALID;
  switch (bits_) {
  case 24:
    return RGB(p[2], p[1], p[0]);
  case 8:
    return colourOf(colours_[*p]);
  case 4:
    return colourOf(colours_[x % 2 ? *p & 0x0F : *p >> 4]);
  default:
    return colourOf(colours_[(*p >> (7 - x % 8)) & 1]);
  }
}

int dib::replacecolour(COLORREF colour, COLORREF replacement, COLORREF other, int matching, int others) {
  if (!state_)
    return 0;
  auto replace = [&](COLORREF current) -> COLORREF {
    if (current == colour)
      return matching ? replacement : current;
    return others ? other : current;
  };
  if (bits_ <= 8) {
    for (RGBQUAD& entry : colours_)
      entry = quad(replace(colourOf(entry)));
    return 1;
  }
  for (int y = 0; y < height_ && !pixels_.empty(); ++y) {
    unsigned char* p = pixels_.data() + static_cast<size_t>(y) * rowbytes_;
    for (int x = 0; x < width_; ++x, p += 3) {
      COLORREF now = replace(RGB(p[2], p[1], p[0]));
      p[0] = GetBValue(now);
      p[1] = GetGValue(now);
      p[2] = GetRValue(now);
    }
  }
  return 1;
}

int dib::copy(const dib& source) {
  if (&source == this)
    return 1;
  state_ = source.state_;
  width_ = source.width_;
  height_ = source.height_;
  bits_ = source.bits_;
  rowbytes_ = source.rowbytes_;
  coloursused_ = source.coloursused_;
  transparent_ = source.transparent_;
  transparentx_ = source.transparentx_;
  transparenty_ = source.transparenty_;
  colours_ = source.colours_;
  pixels_ = source.pixels_;
  return 1;
}

int dib::makepalette(palette& out) const {
  if (!state_)
    return 0;
  if (bits_ != 8) {
    out.setsize(0);
    return 1;
  }
  out.setsize(coloursused_);
  for (int i = 0; i < coloursused_; ++i)
    out.setentry(i, colourOf(colours_[i]));
  return 1;
}
