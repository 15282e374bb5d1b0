#include <foundation/tests/bitmapbytes.h>
#include <tests/support/TestProgram.h>

#include <foundation/drawing/dib.h>

#include <gtest/gtest.h>
#include <tests/support/MemoryDib.h>
#include <tests/support/TempDir.h>

#include <functional>
#include <string>
#include <vector>

using testsupport::MemoryDib;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255),
                   White = RGB(255, 255, 255), Black = RGB(0, 0, 0), Grey = RGB(128, 128, 128);

// A 4 x 3 picture, the same colours at every depth that can hold them.
std::vector<COLORREF> picture(int colours) {
  const COLORREF all[] = {Red, Green, Blue, Grey};
  std::vector<COLORREF> p;
  for (int i = 0; i < 12; ++i)
    p.push_back(all[(i * 7 + i / 4) % colours]);
  return p;
}

BitmapSpec specFor(int bits, int tableSize, int colours) {
  BitmapSpec spec;
  spec.bits = bits;
  std::vector<COLORREF> colourList = picture(colours);
  if (bits == 24) {
    spec.pixels.assign(colourList.begin(), colourList.end());
    return spec;
  }
  const COLORREF all[] = {Red, Green, Blue, Grey};
  spec.table.assign(all, all + tableSize);
  for (COLORREF c : colourList)
    spec.pixels.push_back(static_cast<unsigned>(std::find(all, all + 4, c) - all));
  return spec;
}

std::vector<COLORREF> pixelsOf(const dib& image) {
  std::vector<COLORREF> p;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      p.push_back(image.pixelcolour(x, y));
  return p;
}

// A copy of a resource-only library with the given bitmap resources, loaded as data.
class BitmapLibrary {
public:
  BitmapLibrary(const TempDir& dir, const std::vector<std::pair<std::string, std::string>>& bitmaps) {
    path_ = dir.file("pictures.dll");
    CopyFileA((testsupport::testProgramFolder() + "vernone.dll").c_str(), path_.c_str(), FALSE);
    HANDLE update = BeginUpdateResourceA(path_.c_str(), FALSE);
    for (const auto& [name, bytes] : bitmaps)
      UpdateResourceA(update, MAKEINTRESOURCEA(2), name.c_str(), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                      const_cast<char*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    EndUpdateResourceA(update, FALSE);
    module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  }
  ~BitmapLibrary() {
    if (module_)
      FreeLibrary(module_);
  }
  HMODULE module() const { return module_; }

private:
  std::string path_;
  HMODULE module_ = nullptr;
};

struct LoadCase {
  const char* name;
  std::function<BitmapSpec()> spec;
  std::function<std::string(std::string)> damage; // applied to the file's bytes
  int loads;
  std::vector<COLORREF> expected; // pixels, when it loads
};

std::string asIs(std::string bytes) { return bytes; }

std::vector<LoadCase> loadCases() {
  auto spec = [](int bits, int table, int colours, std::function<void(BitmapSpec&)> change = nullptr) {
    return [=] {
      BitmapSpec s = specFor(bits, table, colours);
      if (change)
        change(s);
      return s;
    };
  };
  return {
      {"1 bit", spec(1, 2, 2), asIs, 1, picture(2)},
      {"4 bits", spec(4, 4, 4), asIs, 1, picture(4)},
      {"8 bits with a short table", spec(8, 4, 4), asIs, 1, picture(4)},
      {"24 bits", spec(24, 0, 4), asIs, 1, picture(4)},
      {"V5 header", spec(8, 4, 4, [](BitmapSpec& s) { s.headerSize = 124; }), asIs, 1, picture(4)},
      {"pixels after a gap", spec(8, 4, 4, [](BitmapSpec& s) { s.gap = 10; }), asIs, 1, picture(4)},
      {"RLE", spec(8, 4, 4, [](BitmapSpec& s) { s.compression = BI_RLE8; }), asIs, 0, {}},
      {"16 bits", spec(24, 0, 4, [](BitmapSpec& s) { s.bits = 16; }), asIs, 0, {}},
      {"table longer than the depth", spec(1, 2, 2, [](BitmapSpec& s) { s.clrUsed = 3; }), asIs, 0, {}},
      {"zero width", spec(8, 4, 4, [](BitmapSpec& s) { s.width = 0; }), asIs, 0, {}},
      {"negative height", spec(8, 4, 4, [](BitmapSpec& s) { s.height = -3; }), asIs, 0, {}},
      {"huge width", spec(8, 4, 4, [](BitmapSpec& s) { s.width = 0x7FFFFFFF; }), asIs, 0, {}},
      {"truncated pixels", spec(24, 0, 4), [](std::string b) { return b.substr(0, b.size() - 1); }, 0, {}},
      {"truncated table", spec(8, 4, 4), [](std::string b) { return b.substr(0, 14 + 40 + 7); }, 0, {}},
  };
}

} // namespace

TEST(DibTest, FilesLoadOrAreRefused) {
  TempDir dir;
  for (const LoadCase& c : loadCases()) {
    std::string path = dir.file("picture.bmp");
    ASSERT_TRUE(writeFile(path, c.damage(bitmapFileBytes(c.spec()))));
    dib image;
    EXPECT_EQ(c.loads, image.loadfile(cpathref(path.c_str()), 1)) << c.name;
    EXPECT_EQ(c.loads, image.state()) << c.name;
    if (c.loads) {
      EXPECT_EQ(c.expected, pixelsOf(image)) << c.name;
    }
  }
  std::string path = dir.file("notabitmap.bmp");
  ASSERT_TRUE(writeFile(path, "XX" + bitmapFileBytes(specFor(8, 4, 4)).substr(2)));
  dib image;
  EXPECT_EQ(0, image.loadfile(cpathref(path.c_str()), 1));
}

TEST(DibTest, ResourcesLoadOrAreRefused) {
  TempDir dir;
  std::vector<std::pair<std::string, std::string>> bitmaps;
  std::vector<LoadCase> cases = loadCases();
  for (size_t i = 0; i < cases.size(); ++i) {
    int pixelStart;
    std::string bytes = bitmapInfoBytes(cases[i].spec(), pixelStart);
    // A resource has no file header: damage it as the file would be, past the 14 bytes.
    bytes = cases[i].damage(std::string(14, 'F') + bytes).substr(14);
    if (cases[i].spec().gap)
      continue; // a resource's pixels always follow its table
    bitmaps.emplace_back("PIC" + std::to_string(i), bytes);
  }
  BitmapLibrary library(dir, bitmaps);
  ASSERT_TRUE(library.module());
  for (size_t i = 0; i < cases.size(); ++i) {
    if (cases[i].spec().gap)
      continue;
    dib image;
    std::string name = "PIC" + std::to_string(i);
    EXPECT_EQ(cases[i].loads, image.loadres(library.module(), name.c_str(), 1)) << cases[i].name;
    if (cases[i].loads) {
      EXPECT_EQ(cases[i].expected, pixelsOf(image)) << cases[i].name;
    }
  }
  dib image;
  EXPECT_EQ(0, image.loadres(library.module(), "MISSING", 1));
  EXPECT_EQ(1, image.load(bmpref(library.module(), "PIC0"), 1));
  EXPECT_EQ(0, image.load(bmpref(library.module(), "PIC1"), 1)) << "already loaded";
}

TEST(DibTest, HeadersOnlyGiveSizeAndPalette) {
  TempDir dir;
  std::string path = dir.file("picture.bmp");
  ASSERT_TRUE(writeFile(path, bitmapFileBytes(specFor(8, 3, 3))));
  dib image;
  ASSERT_EQ(1, image.load(bmpref(path.c_str()), 0));
  EXPECT_EQ(4, image.width());
  EXPECT_EQ(3, image.height());
  EXPECT_EQ(3, image.coloursused());
  EXPECT_EQ(256, image.colourcount());
  palette colours;
  EXPECT_EQ(1, image.makepalette(colours));
  ASSERT_EQ(3, colours.size());
  EXPECT_EQ(Blue, colours.entry(2));
  MemoryDib target(8, 8);
  dc device(target.dc(), 8, 8);
  EXPECT_EQ(0, image.drawat(device, 0, 0, SRCCOPY));

  dib truecolour;
  ASSERT_TRUE(writeFile(path, bitmapFileBytes(specFor(24, 0, 4))));
  ASSERT_EQ(1, truecolour.loadfile(cpathref(path.c_str()), 1));
  EXPECT_EQ(0, truecolour.colourcount());
  EXPECT_EQ(1, truecolour.makepalette(colours));
  EXPECT_EQ(0, colours.size());
}

class DibDrawTest : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(writeFile(dir.file("p.bmp"), bitmapFileBytes(specFor(8, 4, 4))));
    ASSERT_EQ(1, image.loadfile(cpathref(dir.file("p.bmp").c_str()), 1));
  }
  COLORREF at(int x, int y) const { return image.pixelcolour(x, y); }

  TempDir dir;
  dib image;
  MemoryDib target{20, 20, White};
  dc device{target.dc(), 20, 20};
};

TEST_F(DibDrawTest, DrawnAtItsSizeStretchedAndFromAPartOfIt) {
  EXPECT_EQ(1, image.drawat(device, 1, 2, SRCCOPY));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(at(x, y), target.pixel(1 + x, 2 + y)) << x << "," << y;
  EXPECT_EQ(White, target.pixel(0, 2));
  EXPECT_EQ(White, target.pixel(5, 2));

  EXPECT_EQ(1, image.drawinto(device, RECT{10, 10, 18, 16}, SRCCOPY));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(at(x / 2, y / 2), target.pixel(10 + x, 10 + y)) << x << "," << y;

  // The lower right 2 x 2 of the picture, measured from its top.
  EXPECT_EQ(1, image.draw(device, RECT{0, 15, 2, 17}, RECT{2, 1, 4, 3}, SRCCOPY));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x)
      EXPECT_EQ(at(2 + x, 1 + y), target.pixel(x, 15 + y)) << x << "," << y;
}

TEST_F(DibDrawTest, TilesFromTheOriginClippedToTheArea) {
  RECT area{3, 2, 17, 13};
  EXPECT_EQ(1, image.tile(device, RECT{5, 5, 9, 8}, area, SRCCOPY));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
      COLORREF expected = inside ? at(((x - 5) % 4 + 4) % 4, ((y - 5) % 3 + 3) % 3) : White;
      ASSERT_EQ(expected, target.pixel(x, y)) << x << "," << y;
    }
  dib empty;
  EXPECT_EQ(0, empty.tile(device, RECT{0, 0, 1, 1}, area, SRCCOPY));
  EXPECT_EQ(0, empty.drawat(device, 0, 0, SRCCOPY));
}

TEST_F(DibDrawTest, TransparentOnceThenTheKeyColourIsBlack) {
  device.fillrect(RECT{0, 0, 19, 19}, Grey);
  COLORREF key = at(1, 0);
  ASSERT_EQ(1, image.settransparent(1, 0));
  EXPECT_EQ(1, image.drawat(device, 0, 0, SRCCOPY));
  EXPECT_EQ(1, image.drawat(device, 10, 0, SRCCOPY));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      bool isKey = at(x, y) == Black; // the key colour has become black in the bitmap
      EXPECT_EQ(isKey ? Grey : at(x, y), target.pixel(x, y)) << x << "," << y;
      EXPECT_EQ(at(x, y), target.pixel(10 + x, y)) << x << "," << y;
    }
  EXPECT_NE(Black, key);
  EXPECT_EQ(0, image.transparent());
}

TEST_F(DibDrawTest, PointsOutsideAreRefused) {
  struct Case {
    int x, y;
  };
  for (const Case& c : {Case{-1, 0}, Case{0, -1}, Case{4, 0}, Case{0, 3}, Case{100000, 100000}}) {
    EXPECT_EQ(0, image.settransparent(c.x, c.y)) << c.x << "," << c.y;
    EXPECT_EQ(CLR_INVALID, image.pixelcolour(c.x, c.y)) << c.x << "," << c.y;
  }
  EXPECT_EQ(0, image.transparent());
  dib empty;
  EXPECT_EQ(0, empty.settransparent(0, 0));
  EXPECT_EQ(CLR_INVALID, empty.pixelcolour(0, 0));
}

TEST_F(DibDrawTest, TransparencyOfATrueColourBitmap) {
  dib truecolour;
  ASSERT_TRUE(writeFile(dir.file("t.bmp"), bitmapFileBytes(specFor(24, 0, 4))));
  ASSERT_EQ(1, truecolour.loadfile(cpathref(dir.file("t.bmp").c_str()), 1));
  std::vector<COLORREF> before = pixelsOf(truecolour);
  device.fillrect(RECT{0, 0, 19, 19}, White);
  COLORREF key = truecolour.pixelcolour(0, 0);
  ASSERT_EQ(1, truecolour.settransparent(0, 0));
  EXPECT_EQ(1, truecolour.drawat(device, 2, 2, SRCCOPY));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) {
      COLORREF original = before[y * 4 + x];
      EXPECT_EQ(original == key ? White : original, target.pixel(2 + x, 2 + y)) << x << "," << y;
    }
}
