#include <foundation/drawing/metafile.h>

#include <gtest/gtest.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/TempDir.h>

#include <string>

using testsupport::MemoryDib;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

constexpr COLORREF White = RGB(255, 255, 255), Red = RGB(255, 0, 0);

// The records of a metafile that fills the logical rectangle (0, 0)-(100, 100) in red; with `window`
// they set the window to that rectangle themselves.
std::string redSquareRecords(bool window) {
  HDC recorder = CreateMetaFileA(nullptr);
  if (window) {
    SetWindowOrgEx(recorder, 0, 0, nullptr);
    SetWindowExtEx(recorder, 100, 100, nullptr);
  }
  HBRUSH brush = CreateSolidBrush(Red);
  HGDIOBJ oldBrush = SelectObject(recorder, brush);
  SelectObject(recorder, GetStockObject(NULL_PEN));
  Rectangle(recorder, 0, 0, 101, 101);
  SelectObject(recorder, oldBrush);
  DeleteObject(brush);
  HMETAFILE made = CloseMetaFile(recorder);
  UINT size = GetMetaFileBitsEx(made, 0, nullptr);
  std::string bytes(size, '\0');
  GetMetaFileBitsEx(made, size, bytes.data());
  DeleteMetaFile(made);
  return bytes;
}

std::string placeableHeader(int left, int top, int right, int bottom) {
  std::string h(22, '\0');
  auto put16 = [&](int at, int v) {
    h[at] = static_cast<char>(v);
    h[at + 1] = static_cast<char>(v >> 8);
  };
  put16(0, 0xCDD7);
  put16(2, 0x9AC6);
  put16(6, left);
  put16(8, top);
  put16(10, right);
  put16(12, bottom);
  put16(14, 1440);
  return h;
}

} // namespace

TEST(MetafileTest, PlainAndPlaceableFilesPlayIntoTheirRectangle) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;
    int placeable;
  };
  const Case cases[] = {
      {"plain", redSquareRecords(true), 0},
      {"placeable", placeableHeader(0, 0, 100, 100) + redSquareRecords(false), 1},
  };
  for (const Case& c : cases) {
    std::string path = dir.file(std::string(c.name) + ".wmf");
    ASSERT_TRUE(writeFile(path, c.bytes));
    metafile picture;
    ASSERT_EQ(1, picture.load(cpathref(path.c_str()))) << c.name;
    EXPECT_EQ(c.placeable, picture.placeable()) << c.name;
    if (c.placeable) {
      EXPECT_EQ(100, picture.bounds().right) << c.name;
    }
    MemoryDib target(60, 60, White);
    dc device(target.dc(), 60, 60);
    EXPECT_EQ(1, picture.play(device, 10, 20, 30, 20)) << c.name;
    EXPECT_EQ(Red, target.pixel(12, 22)) << c.name;
    EXPECT_EQ(Red, target.pixel(38, 38)) << c.name;
    EXPECT_EQ(White, target.pixel(9, 25)) << c.name;
    EXPECT_EQ(White, target.pixel(41, 25)) << c.name;
    EXPECT_EQ(White, target.pixel(25, 41)) << c.name;
    EXPECT_EQ(MM_TEXT, GetMapMode(device.hdc())) << c.name;
  }
}

TEST(MetafileTest, ShortOrMissingFilesAreNoMetafile) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"shorter than a header", placeableHeader(0, 0, 10, 10).substr(0, 21)},
      {"header only", placeableHeader(0, 0, 10, 10)},
      {"not a metafile", std::string(40, 'x')},
  };
  for (const Case& c : cases) {
    std::string path = dir.file("bad.wmf");
    ASSERT_TRUE(writeFile(path, c.bytes));
    metafile picture;
    EXPECT_EQ(0, picture.load(cpathref(path.c_str()))) << c.name;
    MemoryDib target(4, 4);
    dc device(target.dc(), 4, 4);
    EXPECT_EQ(0, picture.play(device, 0, 0, 4, 4)) << c.name;
  }
  metafile picture;
  EXPECT_EQ(0, picture.load(cpathref(dir.file("missing.wmf").c_str())));
}
