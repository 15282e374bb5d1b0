#include <lzpunz2/Crc32.h>

#include <gtest/gtest.h>

#include <zlib.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<unsigned char> noise(size_t size) {
  std::mt19937 random(7);
  std::vector<unsigned char> bytes(size);
  for (unsigned char& byte : bytes)
    byte = static_cast<unsigned char>(random());
  return bytes;
}

} // namespace

TEST(Crc32Test, GivesTheStandardCheckValue) {
  const std::string check = "123456789";
  EXPECT_EQ(0xCBF43926ul, Crc32(0, check.data(), check.size()));
  EXPECT_EQ(0ul, Crc32(0, nullptr, 0));
}

// Lengths about the folds' steps (16 and 64 bytes), at offsets that leave the bytes unaligned, from
// the start and going on from an earlier value; zlib's table-driven CRC is the reference.
TEST(Crc32Test, AgreesWithZlibAtEveryLengthAndAlignment) {
  std::vector<unsigned char> bytes = noise(70000);
  for (size_t length :
       {1u, 15u, 16u, 17u, 63u, 64u, 65u, 79u, 80u, 127u, 128u, 129u, 191u, 1000u, 31744u, 65536u})
    for (size_t offset : {0u, 1u, 3u, 8u})
      for (unsigned long before : {0ul, 0x12345678ul, 0xFFFFFFFFul}) {
        SCOPED_TRACE("length " + std::to_string(length) + " offset " + std::to_string(offset));
        EXPECT_EQ(crc32(before, bytes.data() + offset, static_cast<uInt>(length)),
                  Crc32(before, bytes.data() + offset, length));
      }
}

TEST(Crc32Test, AFileTakenInBlocksHasTheCrcOfItsWhole) {
  std::vector<unsigned char> bytes = noise(100000);
  unsigned long pieces = 0;
  for (size_t at = 0, block = 1; at < bytes.size(); at += block, block = block * 3 % 4099 + 1)
    pieces = Crc32(pieces, bytes.data() + at, std::min(block, bytes.size() - at));
  EXPECT_EQ(crc32(0, bytes.data(), static_cast<uInt>(bytes.size())), pieces);
}
