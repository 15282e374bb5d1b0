#include "lzpreader.h"

#include "msgloop.h"

#include <cstdio>

namespace {

// The reader whose source the library is reading, and the callbacks since the last pump.
lzpreader* current = nullptr;
int callsSincePump = 0;

} // namespace

int WINAPI lzpreader::readbyte() {
  if (!current || !current->source_)
    return -1;
  if (++callsSincePump >= PumpInterval) {
    callsSincePump = 0;
    MessageLoop().pump(1);
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
