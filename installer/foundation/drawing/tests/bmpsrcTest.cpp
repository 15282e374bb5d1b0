#include <foundation/tests/checkrecorder.h>
#include <foundation/tests/memorystreams.h>

#include <foundation/drawing/bmpsrc.h>

#include <gtest/gtest.h>
#include <tests/support/TempDir.h>

#include <string>

using testsupport::TempDir;
using testsupport::writeFile;

TEST(BMPSRCTest, PickfileByModeAndScreenDepth) {
  TempDir dir;
  std::string base = dir.file("pict.bmp");
  struct Case {
    const char* name;
    int mode;
    int depth;
    bool have256, have64k;
    const char* chosen;
  };
  const Case cases[] = {
      {"mode 0 never looks", 0, 32, true, true, "pict.bmp"},
      {"mode 1 at 8 bits", 1, 8, true, true, "pict256.bmp"},
      {"mode 1 at 4 bits", 1, 4, true, true, "pict.bmp"},
      {"mode 1 at 32 bits takes 256", 1, 32, true, true, "pict256.bmp"},
      {"mode 2 at 24 bits", 2, 24, true, true, "pict64k.bmp"},
      {"mode 2 at 16 bits tries 256 only", 2, 16, true, true, "pict256.bmp"},
      {"mode 2 without the 64k file", 2, 32, true, false, "pict256.bmp"},
      {"mode 2 without either", 2, 32, false, false, "pict.bmp"},
  };
  for (const Case& c : cases) {
    DeleteFileA(dir.file("pict256.bmp").c_str());
    DeleteFileA(dir.file("pict64k.bmp").c_str());
    if (c.have256)
      writeFile(dir.file("pict256.bmp"), "x");
    if (c.have64k)
      writeFile(dir.file("pict64k.bmp"), "x");
    bmpsrc source;
    source.mode = c.mode;
    source.path.set(base.c_str());
    bmpsrc::setscreendepth(c.depth);
    fpathbuf out;
    EXPECT_EQ(1, source.pickfile(out)) << c.name;
    EXPECT_EQ(dir.file(c.chosen), out.str()) << c.name;
  }
  bmpsrc::setscreendepth(0);
}

TEST(BMPSRCTest, ReadChecksTheModeAndWritingIsRefused) {
  bmpsrc source;
  EXPECT_STREQ("c:\\pict.bmp", source.path.str());
  memistream good(std::string("\x02\x00\x00\x00\x05"
                              "a.bmp",
                              10));
  EXPECT_EQ(1, source.read(good));
  EXPECT_EQ(2, source.mode);
  EXPECT_STREQ("a.bmp", source.path.str());
  EXPECT_EQ(1, source.hashighcolour());

  memistream bad(std::string("\x03\x00\x00\x00\x05"
                             "b.bmp",
                             10));
  EXPECT_EQ(0, source.read(bad));

  CheckRecorder checks;
  memostream out;
  EXPECT_EQ(0, source.write(out));
  EXPECT_EQ((std::vector<CheckRecorder::Pair>{{"BMPSRC", 45}}), checks.seen);
  EXPECT_TRUE(out.bytes.empty());
}
