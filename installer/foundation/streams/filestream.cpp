#include <foundation/streams/filestream.h>

#include <io.h>

int fileistream::readbyte() {
  if (!file_)
    return -1;
  // The stream's file belongs to this one object on one thread: no lock per byte.
  int c = _getc_nolock(file_);
  return c == EOF ? -1 : c;
}

int fileistream::open() {
  close();
  if (fpath::isempty(path_))
    return 0;
  file_ = std::fopen(path_.str(), "rb");
  return file_ != nullptr;
}

int fileistream::close() {
  if (file_)
    std::fclose(file_);
  file_ = nullptr;
  return 1;
}

int fileistream::ateof() { return !file_ || std::feof(file_); }

long fileistream::size() { return file_ ? _filelength(_fileno(file_)) : -1; }

int fileistream::read(void* buffer, int n) {
  if (!file_ || n <= 0)
    return 0;
  return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(n), file_));
}

int fileistream::seek(long position, int origin) { return file_ && std::fseek(file_, position, origin) == 0; }

int fileostream::writebyte(int byte) { return file_ && std::fputc(byte, file_) != EOF; }

int fileostream::open() {
  close();
  if (fpath::isempty(path_))
    return 0;
  file_ = std::fopen(path_.str(), "wb");
  return file_ != nullptr;
}

int fileostream::close() {
  if (!file_)
    return 1;
  int ok = std::fclose(file_) == 0;
  file_ = nullptr;
  return ok;
}

int fileostream::write(const void* buffer, int n) {
  if (!file_ || n <= 0)
    return 0;
  return static_cast<int>(std::fwrite(buffer, 1, static_cast<size_t>(n), file_));
}
