#include <engine/controllers/Scramble.h>

#include <cstring>
#include <vector>

namespace {

// The permutation: an odd multiplier and an offset make every byte value appear once.
unsigned char Forward(unsigned char byte) { return static_cast<unsigned char>(byte * 167 + 91); }

unsigned char Backward(unsigned char byte) {
  // 167 * 23 = 3841 = 15 * 256 + 1: 23 undoes the multiplier.
  return static_cast<unsigned char>((byte - 91) * 23);
}

unsigned CheckValue(const unsigned char* bytes, size_t n) {
  unsigned w = 1, s = 0;
  for (size_t i = 0; i < n; ++i) {
    s = (w * bytes[i] + s) % 65536;
    w = s % 5 + 1;
  }
  return s;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  return -1;
}

} // namespace

int ScrambleString(char* text, size_t size) {
  size_t n = std::strlen(text);
  if (size < ScrambledSize(n))
    return 0;
  std::vector<unsigned char> bytes(text, text + n);
  unsigned check = CheckValue(bytes.data(), n);
  bytes.push_back(static_cast<unsigned char>(check & 0xFF));
  bytes.push_back(static_cast<unsigned char>(check >> 8));
  for (size_t i = 0; i < bytes.size(); ++i) {
    int times = i == 0 ? 1 : bytes[i - 1] % 10 + 1;
    for (int t = 0; t < times; ++t)
      bytes[i] = Forward(bytes[i]);
  }
  static const char digits[] = "0123456789abcdef";
  for (size_t i = 0; i < bytes.size(); ++i) {
    text[2 * i] = digits[bytes[i] >> 4];
    text[2 * i + 1] = digits[bytes[i] & 15];
  }
  text[2 * bytes.size()] = '\0';
  return 1;
}

int UnscrambleString(const char* scrambled, std::string& text) {
  size_t length = std::strlen(scrambled);
  if (length % 2)
    return 0;
  std::vector<unsigned char> bytes;
  for (size_t i = 0; i < length; i += 2) {
    int high = HexDigit(scrambled[i]), low = HexDigit(scrambled[i + 1]);
    if (high < 0 || low < 0)
      return 0;
    bytes.push_back(static_cast<unsigned char>(high * 16 + low));
  }
  for (size_t i = bytes.size(); i-- > 0;) {
    int times = i == 0 ? 1 : bytes[i - 1] % 10 + 1;
    for (int t = 0; t < times; ++t)
      bytes[i] = Backward(bytes[i]);
  }
  if (bytes.size() < 2)
    return 0;
  size_t n = bytes.size() - 2;
  unsigned stored = bytes[n] | bytes[n + 1] << 8;
  if (stored != CheckValue(bytes.data(), n))
    return 0;
  text.assign(bytes.begin(), bytes.begin() + static_cast<long>(n));
  return 1;
}
