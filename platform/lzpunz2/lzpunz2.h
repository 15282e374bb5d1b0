#pragma once

// The decompression library "lzpunz2.dll": its ten exports and their callbacks, shared by the library
// and every program that loads it. Programs look the exports up by these names with GetProcAddress;
// the types below are the pointers they cast to.
//
// A compressed stream is:
//   2 bytes    header: 'L' and the method, 'D' (raw deflate)
//   n bytes    raw deflate data, whose final block ends the coded data
//   4 bytes    the CRC-32 of the original bytes (the polynomial of zip and PNG), little-endian
//   4 bytes    the original size, little-endian (modulo 2^32); the last 4 bytes of a packed file
// The stream ends with its trailer: whatever follows it is not part of the stream.
//
// The library holds one decoder and one encoder for the whole process: one stream of each kind at a
// time, on one thread. Both sides move bytes through the caller's callbacks, strictly in sequence.

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

// The next byte of the stream being decoded (0..255), or -1 when there is none. The decoder asks
// for no byte past the stream's trailer, so a stream may be followed by other data, which is left
// for the caller.
typedef int(WINAPI* LzpReadByteProc)(void);
// Lends the decoder the next block of the stream being decoded: puts the block's address in *block
// and answers its length, 0 at the end of the input, -1 on error. The block stays the caller's and
// unchanged until the next call. `used` is how many bytes of the block lent last the decoder has
// taken: all of them when it asks for another. When the stream has ended the decoder calls once more
// with `block` null and asks for nothing: `used` then says where in the last block the stream ended,
// and the bytes after it are left for the caller, as with the byte callback.
typedef int(WINAPI* LzpReadBlockProc)(const void** block, int used);
// Writes the low 8 bits of `byte` to the stream being encoded; answers a negative value when it
// could not.
typedef int(WINAPI* LzpWriteByteProc)(int byte);

// The only open mode and create mode: the framed stream above.
#define LZP_MODE_FRAMED 2

// The encoder's level: 0 (stored) to 9 (smallest), or -1 for the library's default.
#define LZP_LEVEL_DEFAULT (-1)

// LzpGetError answers the reason for the last -1.
#define LZP_E_NONE 0
#define LZP_E_STATE 1    // called out of order: nothing open, or a stream open already
#define LZP_E_ARGUMENT 2 // unknown mode or level, negative count, no buffer or callback
#define LZP_E_MEMORY 3
#define LZP_E_HEADER 4    // the stream does not start with the header
#define LZP_E_DATA 5      // the coded data is corrupt
#define LZP_E_TRUNCATED 6 // the coded data ends before its end code
#define LZP_E_TRAILER 7   // the trailer is short, or its CRC or size differs from the bytes produced
#define LZP_E_WRITE 8     // the write callback refused a byte

// Reading side. Open reads and checks the header: 0 on success, -1 on failure. Read produces at most
// `count` bytes into `buffer` and answers how many, 0 at the end of the stream, -1 on error (also
// for the call that reaches a bad trailer). Close ends the stream: 0, or -1 when none was open.
int WINAPI LzpUnzOpen(LzpReadByteProc reader, int mode);
// Open for a caller that holds its input in blocks: the same stream and the same reading calls, with
// the input lent a block at a time instead of asked for byte by byte.
int WINAPI LzpUnzOpenBlocks(LzpReadBlockProc reader, int mode);
int WINAPI LzpUnzRead(void* buffer, int count);
int WINAPI LzpUnzClose(void);
int WINAPI LzpGetError(void);
// The decoder's memory, taken ahead of the first open (0, or -1 when memory is short) and given back
// (0; an open stream is closed first). Open takes it on demand; close keeps it for the next stream.
int WINAPI LzpUnzAlloc(void);
int WINAPI LzpUnzFree(void);

// Writing side. Create writes the header: 0 on success, -1 on failure. Write compresses `count`
// bytes and answers `count`, or -1. Close finishes the coded data and writes the trailer: 0, or -1
// when anything on the way failed.
int WINAPI LzpZipCreate(LzpWriteByteProc writer, int mode, int level);
int WINAPI LzpZipWrite(const void* buffer, int count);
int WINAPI LzpZipClose(void);

typedef int(WINAPI* LzpUnzOpenProc)(LzpReadByteProc reader, int mode);
typedef int(WINAPI* LzpUnzOpenBlocksProc)(LzpReadBlockProc reader, int mode);
typedef int(WINAPI* LzpUnzReadProc)(void* buffer, int count);
typedef int(WINAPI* LzpStatusProc)(void); // LzpUnzClose, LzpGetError, LzpUnzAlloc, LzpUnzFree, LzpZipClose
typedef int(WINAPI* LzpZipCreateProc)(LzpWriteByteProc writer, int mode, int level);
typedef int(WINAPI* LzpZipWriteProc)(const void* buffer, int count);

#ifdef __cplusplus
}
#endif
