#include <lzpunz2/Crc32.h>

#include <zlib.h>

#include <cpuid.h>
#include <immintrin.h>

namespace {

// The folding multiplies the running remainder by x^n modulo the CRC's polynomial for the distance n
// it moves it: 512 bits (four blocks of 16 bytes side by side), or 128 bits (one block), each as the
// pair of constants for the block's two halves, in the bit-reflected order of this CRC.
constexpr long long FoldBy4Low = 0x154442bd4LL, FoldBy4High = 0x1c6e41596LL;
constexpr long long FoldBy1Low = 0x1751997d0LL, FoldBy1High = 0x0ccaa009eLL;

__attribute__((target("pclmul,sse2"))) inline __m128i fold(__m128i x, __m128i k, __m128i next) {
  return _mm_xor_si128(_mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11)),
                       next);
}

__attribute__((target("pclmul,sse2"))) inline __m128i load(const unsigned char* data) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
}

// At least 64 bytes. The bytes fold down to 16 whose CRC, from a register of 0, is the register after
// all of them (the register before goes into their first four bytes); zlib takes those 16 and the tail.
__attribute__((target("pclmul,sse2"))) unsigned long foldedCrc(unsigned long crc, const unsigned char* data,
                                                               std::size_t length) {
  const __m128i by4 = _mm_set_epi64x(FoldBy4High, FoldBy4Low);
  const __m128i by1 = _mm_set_epi64x(FoldBy1High, FoldBy1Low);
  __m128i x0 = _mm_xor_si128(load(data), _mm_cvtsi32_si128(static_cast<int>(~crc)));
  __m128i x1 = load(data + 16), x2 = load(data + 32), x3 = load(data + 48);
  data += 64;
  length -= 64;
  for (; length >= 64; data += 64, length -= 64) {
    x0 = fold(x0, by4, load(data));
    x1 = fold(x1, by4, load(data + 16));
    x2 = fold(x2, by4, load(data + 32));
    x3 = fold(x3, by4, load(data + 48));
  }
  x0 = fold(fold(fold(x0, by1, x1), by1, x2), by1, x3);
  for (; length >= 16; data += 16, length -= 16)
    x0 = fold(x0, by1, load(data));
  unsigned char folded[16];
  _mm_storeu_si128(reinterpret_cast<__m128i*>(folded), x0);
  unsigned long register16 = crc32(0xFFFFFFFFul, folded, sizeof folded);
  return crc32(register16, data, static_cast<uInt>(length));
}

bool canFold() {
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  return __get_cpuid(1, &eax, &ebx, &ecx, &edx) && (ecx & bit_PCLMUL) && (edx & bit_SSE2);
}

} // namespace

unsigned long Crc32(unsigned long crc, const void* data, std::size_t length) {
  static const bool folds = canFold();
  const unsigned char* bytes = static_cast<const unsigned char*>(data);
  if (folds && length >= 64)
    return foldedCrc(crc, bytes, length);
  return crc32(crc, bytes, static_cast<uInt>(length));
}
