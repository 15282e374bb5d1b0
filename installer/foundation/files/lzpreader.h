#pragma once

#include <foundation/files/lzplibrary.h>
#include <foundation/streams/porttype.h>

// Reads a compressed source stream through the decompression library, which takes the source in
// blocks of 2048 bytes read from it (the source holds the one stream and is the reader's until it
// closes): lent whole where the library can take them so, else one byte at a time through its byte
// callback. Before each block a read takes, the reader keeps the windows alive: it dispatches the
// waiting messages when 15 ms have passed since it last did. One reader decompresses at a time (the
// library has one slot).
class lzpreader {
public:
  static constexpr int PumpInterval = 2048;

  lzpreader() = default;
  ~lzpreader() { close(); }
  lzpreader(const lzpreader&) = delete;
  lzpreader& operator=(const lzpreader&) = delete;

  // Opens the source and starts decompressing: 1, or -1 when the source cannot be opened or the
  // library cannot be loaded or refuses the stream (the source is then closed again).
  int open(portistream& source);
  // Bytes produced, 0 at the end, -1 when not open, on an error of the library or of the source.
  int read(void* buffer, int n);
  // Ends decompression and closes the source: 1, or 0 when no source was open. From a handler that a
  // read's pump dispatched, the read then fails and the close happens as it returns.
  int close();

  // The original size stored in the last 4 bytes of a compressed source; 0 on any failure.
  static long storedsize(portistream& source);

private:
  int opendecoder();
  static int WINAPI readbyte();
  static int WINAPI lendblock(const void** block, int used);
  // The next block of the source, and its first byte; -1 at its end, on its error or once closed.
  __attribute__((noinline)) static int nextblock();
  // Reads the next block of the source: its length, 0 at its end, -1 on its error or once closed.
  static int fillblock();

  portistream* source_ = nullptr;
  int open_ = 0;
  int reading_ = 0; // inside the library's read entry
  int closing_ = 0; // a close asked for while reading, carried out when the read returns
  // The block of the source being served, and the next byte of it.
  unsigned char block_[PumpInterval];
  const unsigned char* next_ = nullptr;
  const unsigned char* end_ = nullptr;
  lzplibrary library_;
};
