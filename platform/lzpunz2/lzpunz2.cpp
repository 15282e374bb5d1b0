// The decompression library: zlib's raw deflate inside the project's framing (see lzpunz2.h).
//
// How this works. The decoder pulls input through the caller's byte callback into a block buffer
// and lets inflate produce output straight into the caller's buffer, never more than its count.
// A stream may be followed by other data in the caller's source, so the decoder takes from the
// callback only bytes that are surely its own: each refill is bounded by what the stream must still
// hold. Inside a stored block that is the rest of the block; elsewhere it is one byte (inflate ran out
// of input, so the coded data goes on) or none (inflate filled the output), and in every case the 8
// bytes of the trailer. The bulk of incompressible data lies in stored blocks and comes in full blocks;
// coded data comes a few bytes at a time, which inflate takes without losing its place.
// Inflate reports the end code (the end of the final deflate block) as Z_STREAM_END and leaves the
// bytes after it unused; the 8 bytes after it, taken from what is left in the block buffer and then
// from the callback, must equal the CRC-32 of the bytes produced and their number: raw deflate has no
// check of its own, so without the CRC damaged data could decode to wrong bytes that end well. The
// stream ends there: nothing after the trailer is read. Every failure is final for the stream: the
// decoder answers -1 from then on, so corrupt input can never make a caller loop. Input that ends before
// the end code is a truncation, found when inflate can make no progress and the callback has no more
// bytes. A caller that lends its input a block at a time (the second open entry) needs no such bound:
// inflate works in the lent block itself, may look past the stream's end there without taking it, and
// at the end the decoder tells the caller how much of the last block was the stream's. The encoder runs
// deflate over the caller's blocks and hands every output byte to the write callback, then the trailer on
// close.

#include <lzpunz2/Crc32.h>
#include <lzpunz2/lzpunz2.h>

#include <zlib.h>

#include <cstdint>
#include <cstring>
#include <new>

namespace {

constexpr unsigned char HeaderMagic = 'L';
constexpr unsigned char HeaderMethodDeflate = 'D';
constexpr int InputBlock = 16384;
constexpr int OutputBlock = 16384;
constexpr int DeflateWindowBits = -15; // negative: raw deflate, no zlib header or checksum
constexpr int TrailerBytes = 8;

int lastError = LZP_E_NONE;

int fail(int error) {
  lastError = error;
  return -1;
}

class Decoder {
public:
  ~Decoder() { release(); }

  int allocate() {
    if (ready_)
      return 0;
    std::memset(&z_, 0, sizeof z_);
    if (inflateInit2(&z_, DeflateWindowBits) != Z_OK)
      return fail(LZP_E_MEMORY);
    ready_ = true;
    return 0;
  }

  void release() {
    if (!ready_)
      return;
    inflateEnd(&z_);
    ready_ = false;
    state_ = Closed;
  }

  int open(LzpReadByteProc reader, int mode) {
    if (state_ != Closed)
      return fail(LZP_E_STATE);
    if (!reader)
      return fail(LZP_E_ARGUMENT);
    reader_ = reader;
    return start(mode);
  }

  int openBlocks(LzpReadBlockProc reader, int mode) {
    if (state_ != Closed)
      return fail(LZP_E_STATE);
    if (!reader)
      return fail(LZP_E_ARGUMENT);
    blocks_ = reader;
    return start(mode);
  }

  int read(void* buffer, int count) {
    if (state_ == Closed)
      return fail(LZP_E_STATE);
    if (state_ == Failed)
      return -1;
    if (count < 0 || (count > 0 && !buffer))
      return fail(LZP_E_ARGUMENT);
    if (state_ == Finished || count == 0)
      return 0;
    z_.next_out = static_cast<Bytef*>(buffer);
    z_.avail_out = static_cast<uInt>(count);
    uncounted_ = z_.next_out;
    while (z_.avail_out > 0 && state_ == Streaming)
      step();
    tally();
    if (state_ == Failed)
      return -1;
    return count - static_cast<int>(z_.avail_out);
  }

  int close() {
    if (state_ == Closed)
      return fail(LZP_E_STATE);
    giveBack();
    state_ = Closed;
    forget();
    return 0;
  }

private:
  enum State { Closed, Streaming, Finished, Failed };

  // Checks the mode, then reads and checks the header through the callback given.
  int start(int mode) {
    if (mode != LZP_MODE_FRAMED) {
      forget();
      return fail(LZP_E_ARGUMENT);
    }
    if (allocate() != 0 || inflateReset(&z_) != Z_OK) {
      forget();
      return fail(LZP_E_MEMORY);
    }
    z_.next_in = input_;
    z_.avail_in = 0;
    lent_ = 0;
    inputEnded_ = false;
    int magic = nextByte();
    int method = nextByte();
    if (magic != HeaderMagic || method != HeaderMethodDeflate) {
      forget();
      return fail(LZP_E_HEADER);
    }
    wantsInput_ = true;
    produced_ = 0;
    crc_ = crc32(0, Z_NULL, 0);
    state_ = Streaming;
    lastError = LZP_E_NONE;
    return 0;
  }

  void forget() {
    reader_ = nullptr;
    blocks_ = nullptr;
  }

  // The next byte of the stream, from the block lent or from the byte callback.
  int nextByte() {
    if (inputEnded_)
      return -1;
    if (!blocks_) {
      int byte = reader_();
      inputEnded_ = byte < 0 || byte > 255;
      return inputEnded_ ? -1 : byte;
    }
    if (z_.avail_in == 0)
      lend();
    if (z_.avail_in == 0)
      return -1;
    --z_.avail_in;
    return *z_.next_in++;
  }

  // Asks for the next block once the one lent is used up; a block lent in full needs no bound, since
  // what follows the stream in it is only looked at, never taken.
  void lend() {
    const void* block = nullptr;
    int got = blocks_(&block, lent_);
    lent_ = 0;
    z_.avail_in = 0;
    if (got <= 0 || !block) {
      inputEnded_ = true;
      return;
    }
    z_.next_in = static_cast<Bytef*>(const_cast<void*>(block));
    z_.avail_in = static_cast<uInt>(got);
    lent_ = got;
  }

  // Tells a lending caller where its stream ended in the last block; once per stream.
  void giveBack() {
    if (!blocks_)
      return;
    LzpReadBlockProc reader = blocks_;
    blocks_ = nullptr;
    reader(nullptr, lent_ - static_cast<int>(z_.avail_in));
  }

  // The input the stream must still hold after what inflate has taken: the trailer, and before it the
  // rest of a stored block being copied, or one byte of coded data when inflate stopped for want of
  // input (when it stopped because the output was full, its last bytes may have ended the data).
  // inflateMark answers -1 in its upper half outside a code, and then in its lower half the bytes a
  // stored block has left.
  int surelyAhead() {
    long mark = inflateMark(&z_);
    long stored = (mark >> 16) == -1 ? (mark & 0xFFFF) : 0;
    if (stored > 0)
      return static_cast<int>(stored) + TrailerBytes;
    return (wantsInput_ ? 1 : 0) + TrailerBytes;
  }

  void refill() {
    if (blocks_) {
      lend();
      return;
    }
    int want = surelyAhead();
    if (want > InputBlock)
      want = InputBlock;
    LzpReadByteProc reader = reader_;
    int held = 0;
    while (held < want) {
      int byte = reader();
      if (static_cast<unsigned>(byte) > 255) {
        inputEnded_ = true;
        break;
      }
      input_[held++] = static_cast<unsigned char>(byte);
    }
    z_.next_in = input_;
    z_.avail_in = static_cast<uInt>(held);
  }

  // Adds the bytes produced since the last tally to the count and the CRC: once per read, and at the
  // end code, since coded data comes in steps too small for a CRC call each.
  void tally() {
    uInt made = static_cast<uInt>(z_.next_out - uncounted_);
    produced_ += made;
    crc_ = Crc32(crc_, uncounted_, static_cast<std::size_t>(made));
    uncounted_ = z_.next_out;
  }

  // One inflate call.
  void step() {
    if (z_.avail_in == 0 && !inputEnded_)
      refill();
    int result = inflate(&z_, Z_NO_FLUSH);
    wantsInput_ = z_.avail_out > 0;
    if (result == Z_STREAM_END) {
      tally();
      state_ = trailerMatches() ? Finished : Failed;
      if (state_ == Failed)
        lastError = LZP_E_TRAILER;
      else
        giveBack();
      return;
    }
    if (result == Z_OK)
      return;
    // No progress: more input may help; with input and room left it never will.
    if (result == Z_BUF_ERROR && z_.avail_in == 0 && !inputEnded_)
      return;
    state_ = Failed;
    if (result == Z_BUF_ERROR)
      lastError = z_.avail_in == 0 ? LZP_E_TRUNCATED : LZP_E_DATA;
    else
      lastError = result == Z_MEM_ERROR ? LZP_E_MEMORY : LZP_E_DATA;
  }

  bool trailerMatches() {
    std::uint32_t crc = 0, size = 0;
    return trailerWord(crc) && trailerWord(size) && crc == crc_ && size == produced_;
  }

  // A little-endian word of the trailer.
  bool trailerWord(std::uint32_t& word) {
    word = 0;
    for (int i = 0; i < 4; ++i) {
      int byte;
      if (z_.avail_in > 0) {
        byte = *z_.next_in++;
        --z_.avail_in;
      } else {
        byte = nextByte();
      }
      if (byte < 0)
        return false;
      word |= static_cast<std::uint32_t>(byte) << (8 * i);
    }
    return true;
  }

  z_stream z_{};
  bool ready_ = false;
  State state_ = Closed;
  LzpReadByteProc reader_ = nullptr;
  LzpReadBlockProc blocks_ = nullptr; // the lending callback, instead of reader_
  int lent_ = 0;                      // the length of the block lent last
  bool inputEnded_ = false;
  bool wantsInput_ = true; // inflate's last call stopped with room left in the output
  std::uint32_t produced_ = 0;
  uLong crc_ = 0;
  Bytef* uncounted_ = nullptr; // the first byte of the caller's buffer not yet in produced_ and crc_
  unsigned char input_[InputBlock];
};

class Encoder {
public:
  ~Encoder() {
    if (open_)
      deflateEnd(&z_);
  }

  int create(LzpWriteByteProc writer, int mode, int level) {
    if (open_)
      return fail(LZP_E_STATE);
    if (!writer || mode != LZP_MODE_FRAMED || level < LZP_LEVEL_DEFAULT || level > 9)
      return fail(LZP_E_ARGUMENT);
    std::memset(&z_, 0, sizeof z_);
    if (deflateInit2(&z_, level, Z_DEFLATED, DeflateWindowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK)
      return fail(LZP_E_MEMORY);
    open_ = true;
    failed_ = false;
    writer_ = writer;
    consumed_ = 0;
    crc_ = crc32(0, Z_NULL, 0);
    lastError = LZP_E_NONE;
    if (!put(HeaderMagic) || !put(HeaderMethodDeflate)) {
      finish();
      return -1;
    }
    return 0;
  }

  int write(const void* buffer, int count) {
    if (!open_)
      return fail(LZP_E_STATE);
    if (failed_)
      return -1;
    if (count < 0 || (count > 0 && !buffer))
      return fail(LZP_E_ARGUMENT);
    z_.next_in = static_cast<Bytef*>(const_cast<void*>(buffer));
    z_.avail_in = static_cast<uInt>(count);
    if (!run(Z_NO_FLUSH))
      return -1;
    consumed_ += static_cast<std::uint32_t>(count);
    crc_ = Crc32(crc_, buffer, static_cast<std::size_t>(count));
    return count;
  }

  int close() {
    if (!open_)
      return fail(LZP_E_STATE);
    bool ok = !failed_ && run(Z_FINISH);
    std::uint32_t crc = static_cast<std::uint32_t>(crc_);
    for (int i = 0; ok && i < 4; ++i)
      ok = put((crc >> (8 * i)) & 0xFF);
    for (int i = 0; ok && i < 4; ++i)
      ok = put((consumed_ >> (8 * i)) & 0xFF);
    finish();
    return ok ? 0 : -1;
  }

private:
  bool put(int byte) {
    if (writer_(byte) >= 0)
      return true;
    failed_ = true;
    lastError = LZP_E_WRITE;
    return false;
  }

  // Deflates what is waiting and writes every byte produced.
  bool run(int flush) {
    for (;;) {
      z_.next_out = output_;
      z_.avail_out = OutputBlock;
      int result = deflate(&z_, flush);
      int made = OutputBlock - static_cast<int>(z_.avail_out);
      for (int i = 0; i < made; ++i)
        if (!put(output_[i]))
          return false;
      if (result == Z_STREAM_END)
        return true;
      if (result != Z_OK && result != Z_BUF_ERROR) {
        failed_ = true;
        lastError = LZP_E_DATA;
        return false;
      }
      if (flush == Z_NO_FLUSH && z_.avail_in == 0 && z_.avail_out > 0)
        return true;
    }
  }

  void finish() {
    deflateEnd(&z_);
    open_ = false;
    writer_ = nullptr;
  }

  z_stream z_{};
  bool open_ = false;
  bool failed_ = false;
  LzpWriteByteProc writer_ = nullptr;
  std::uint32_t consumed_ = 0;
  uLong crc_ = 0;
  unsigned char output_[OutputBlock];
};

Decoder* decoder = nullptr;
Encoder encoder;

Decoder* theDecoder() {
  if (!decoder)
    decoder = new (std::nothrow) Decoder;
  return decoder;
}

} // namespace

extern "C" {

int WINAPI LzpUnzAlloc(void) {
  Decoder* d = theDecoder();
  return d ? d->allocate() : fail(LZP_E_MEMORY);
}

int WINAPI LzpUnzFree(void) {
  delete decoder;
  decoder = nullptr;
  return 0;
}

int WINAPI LzpUnzOpen(LzpReadByteProc reader, int mode) {
  Decoder* d = theDecoder();
  return d ? d->open(reader, mode) : fail(LZP_E_MEMORY);
}

int WINAPI LzpUnzOpenBlocks(LzpReadBlockProc reader, int mode) {
  Decoder* d = theDecoder();
  return d ? d->openBlocks(reader, mode) : fail(LZP_E_MEMORY);
}

int WINAPI LzpUnzRead(void* buffer, int count) {
  return decoder ? decoder->read(buffer, count) : fail(LZP_E_STATE);
}

int WINAPI LzpUnzClose(void) { return decoder ? decoder->close() : fail(LZP_E_STATE); }

int WINAPI LzpGetError(void) { return lastError; }

int WINAPI LzpZipCreate(LzpWriteByteProc writer, int mode, int level) {
  return encoder.create(writer, mode, level);
}

int WINAPI LzpZipWrite(const void* buffer, int count) { return encoder.write(buffer, count); }

int WINAPI LzpZipClose(void) { return encoder.close(); }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_DETACH)
    LzpUnzFree();
  return TRUE;
}

} // extern "C"
