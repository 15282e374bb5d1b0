#include <foundation/files/lzpreader.h>

#include <foundation/windows/msgloop.h>

#include <clock/Clock.h>

#include <cstdint>
#include <cstdio>

namespace {

// Serving the windows costs a trip to the window server: the block count only says when to look at
// the clock, and the windows are served when this long has passed since they last were, as the
// install's progress serves them.
constexpr std::uint64_t PumpMilliseconds = 15;

// The reader whose source the library is reading, and when the windows were last served.
lzpreader* current = nullptr;
std::uint64_t pumped = 0;

void pumpWhenDue() {
  std::uint64_t now = platform::Clock::ticks();
  if (now - pumped < PumpMilliseconds)
    return;
  pumped = now;
  MessageLoop().pump(1);
}

} // namespace

// Called for every byte of the stream: the block at hand serves it without a call to the source, and
// the rarer work stays out of line (nextblock is never inlined here), so that this path needs no
// stack frame.
int WINAPI lzpreader::readbyte() {
  lzpreader* reader = current;
  if (reader && reader->next_ < reader->end_)
    return *reader->next_++;
  return nextblock();
}

int lzpreader::nextblock() { return fillblock() > 0 ? *current->next_++ : -1; }

// The library asks for the next block when it has taken the one lent before; where the stream ended
// in the last block does not matter, as the source holds the one stream.
int WINAPI lzpreader::lendblock(const void** block, int) {
  if (!block)
    return 0;
  int got = fillblock();
  if (got > 0) {
    *block = current->block_;
    current->next_ = current->end_;
  }
  return got;
}

int lzpreader::fillblock() {
  if (!current || !current->source_)
    return -1;
  // Not while the library opens the stream: a handler could close the reader under it.
  if (current->reading_)
    pumpWhenDue();
  // The pump may have run anything, a close of this very reader included.
  if (!current || !current->open_)
    return -1;
  lzpreader* reader = current;
  int got = reader->source_->read(reader->block_, PumpInterval);
  if (got <= 0) {
    if (reader->source_->ateof())
      return 0;
    reader->open_ = 0;
    return -1;
  }
  reader->next_ = reader->block_;
  reader->end_ = reader->block_ + got;
  return got;
}

int lzpreader::open(portistream& source) {
  close();
  if (!source.open())
    return -1;
  source_ = &source;
  open_ = 1;
  next_ = end_ = nullptr;
  lzpreader* previous = current;
  current = this;
  if (library_.load() && opendecoder() == 0 && open_)
    return 1;
  current = previous;
  library_.unload();
  source.close();
  source_ = nullptr;
  open_ = 0;
  return -1;
}

int lzpreader::opendecoder() {
  if (library_.canlend())
    return library_.unzopenblocks(lendblock, LZP_MODE_FRAMED);
  return library_.unzopen(readbyte, LZP_MODE_FRAMED);
}

int lzpreader::read(void* buffer, int n) {
  if (!open_)
    return -1;
  reading_ = 1;
  int got = library_.unzread(buffer, n);
  reading_ = 0;
  if (closing_) {
    closing_ = 0;
    close();
    return -1;
  }
  return open_ ? got : -1;
}

int lzpreader::close() {
  if (!source_)
    return 0;
  // Asked from a handler that the read's own pump dispatched: the library's code is still running
  // below, so it is ended and unloaded once the read has returned. Its further bytes are refused.
  if (reading_) {
    open_ = 0;
    closing_ = 1;
    next_ = end_ = nullptr;
    return 1;
  }
  library_.unzclose();
  library_.unload();
  source_->close();
  source_ = nullptr;
  open_ = 0;
  next_ = end_ = nullptr;
  if (current == this)
    current = nullptr;
  return 1;
}

long lzpreader::storedsize(portistream& source) {
  if (!source.canseek() || !source.open())
    return 0;
  unsigned char header[2];
  unsigned char size[4];
  ReadExact(source, header, 2);
  long length = source.size();
  long stored = 0;
  if (length >= 4 && source.seek(length - 4, SEEK_SET) && ReadExact(source, size, 4))
    stored =
        static_cast<long>(size[0] | size[1] << 8 | size[2] << 16 | static_cast<unsigned long>(size[3]) << 24);
  source.close();
  return stored;
}
