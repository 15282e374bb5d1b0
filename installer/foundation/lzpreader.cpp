#include "lzpreader.h"

#include "msgloop.h"

#include <clock/Clock.h>

#include <cstdint>
#include <cstdio>

namespace {

// Serving the windows costs a trip to the window server, and the library pulls its read-ahead back
// to back (8 counts of 2048 bytes per refill): the byte count only says when to look at the clock,
// and the windows are served when this long has passed since they last were, as the install's
// progress serves them.
constexpr std::uint64_t PumpMilliseconds = 15;

// The reader whose source the library is reading, the callbacks since the clock was last looked at,
// and when the windows were last served.
lzpreader* current = nullptr;
int callsSincePump = 0;
std::uint64_t pumped = 0;

void pumpWhenDue() {
  std::uint64_t now = platform::Clock::ticks();
  if (now - pumped < PumpMilliseconds)
    return;
  pumped = now;
  MessageLoop().pump(1);
}

} // namespace

int WINAPI lzpreader::readbyte() {
  if (!current || !current->source_)
    return -1;
  if (++callsSincePump >= PumpInterval) {
    callsSincePump = 0;
    pumpWhenDue();
  }
  // The pump may have run anything, a close of this very reader included.
  if (!current || !current->open_)
    return -1;
  portistream* source = current->source_;
  int byte = source->readbyte();
  if (byte < 0 && !source->ateof())
    current->open_ = 0;
  return byte;
}

int lzpreader::open(portistream& source) {
  close();
  if (!source.open())
    return -1;
  source_ = &source;
  open_ = 1;
  lzpreader* previous = current;
  current = this;
  if (library_.load() && library_.unzopen(readbyte, LZP_MODE_FRAMED) == 0 && open_)
    return 1;
  current = previous;
  library_.unload();
  source.close();
  source_ = nullptr;
  open_ = 0;
  return -1;
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
    return 1;
  }
  library_.unzclose();
  library_.unload();
  source_->close();
  source_ = nullptr;
  open_ = 0;
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
