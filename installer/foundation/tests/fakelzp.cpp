// A stand-in decompression library that copies its input: one callback per byte produced, so that a
// test can count the reader's callbacks exactly. It has the reading entries only. Built a second time
// as "fakelzplend.dll" with the entry for input lent in blocks as well, which it copies from the
// blocks lent.

#include <lzpunz2/lzpunz2.h>

namespace {

LzpReadByteProc reader = nullptr;

#ifdef FAKELZP_LENDS
LzpReadBlockProc lender = nullptr;
const unsigned char* block = nullptr;
int blockLength = 0;
int blockLeft = 0;

int copyLent(unsigned char* bytes, int count) {
  int made = 0;
  while (made < count) {
    if (blockLeft == 0) {
      const void* next = nullptr;
      int got = lender(&next, blockLength);
      if (got <= 0)
        break;
      block = static_cast<const unsigned char*>(next);
      blockLength = blockLeft = got;
    }
    bytes[made++] = block[blockLength - blockLeft--];
  }
  return made;
}
#endif

} // namespace

extern "C" {

int WINAPI LzpUnzOpen(LzpReadByteProc callback, int) {
  reader = callback;
  return 0;
}

#ifdef FAKELZP_LENDS
int WINAPI LzpUnzOpenBlocks(LzpReadBlockProc callback, int) {
  lender = callback;
  blockLength = blockLeft = 0;
  return 0;
}
#endif

int WINAPI LzpUnzRead(void* buffer, int count) {
  auto* bytes = static_cast<unsigned char*>(buffer);
#ifdef FAKELZP_LENDS
  if (lender)
    return copyLent(bytes, count);
#endif
  if (!reader)
    return -1;
  int made = 0;
  for (int byte; made < count && (byte = reader()) >= 0; ++made)
    bytes[made] = static_cast<unsigned char>(byte);
  return made;
}

int WINAPI LzpUnzClose(void) {
  reader = nullptr;
#ifdef FAKELZP_LENDS
  lender = nullptr;
#endif
  return 0;
}

} // extern "C"
