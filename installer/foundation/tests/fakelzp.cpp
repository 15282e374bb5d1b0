// A stand-in decompression library that copies its input: one callback per byte produced, so that a
// test can count the reader's callbacks exactly. It has the reading entries only.

#include <lzpunz2/lzpunz2.h>

namespace {

LzpReadByteProc reader = nullptr;

} // namespace

extern "C" {

int WINAPI LzpUnzOpen(LzpReadByteProc callback, int) {
  reader = callback;
  return 0;
}

int WINAPI LzpUnzRead(void* buffer, int count) {
  if (!reader)
    return -1;
  auto* bytes = static_cast<unsigned char*>(buffer);
  int made = 0;
  for (int byte; made < count && (byte = reader()) >= 0; ++made)
    bytes[made] = static_cast<unsigned char>(byte);
  return made;
}

int WINAPI LzpUnzClose(void) {
  reader = nullptr;
  return 0;
}

} // extern "C"
