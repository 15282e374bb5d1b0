#include <foundation/streams/porttype.h>

#include <cstring>

namespace {

constexpr int LongLength = 255;
constexpr long MaxTextLength = 65535;

int readLength(portistream& stream, int& length) {
  unsigned char first;
  if (!ReadByte(stream, first))
    return 0;
  if (first != LongLength) {
    length = first;
    return 1;
  }
  short wide;
  if (!ReadShort(stream, wide))
    return 0;
  length = static_cast<unsigned short>(wide);
  return 1;
}

int readLittleEndian(portistream& stream, int width, unsigned long& value) {
  unsigned char bytes[4];
  if (!ReadExact(stream, bytes, width))
    return 0;
  value = 0;
  for (int i = width - 1; i >= 0; --i)
    value = (value << 8) | bytes[i];
  return 1;
}

int writeLittleEndian(portostream& stream, int width, unsigned long value) {
  unsigned char bytes[4];
  for (int i = 0; i < width; ++i)
    bytes[i] = static_cast<unsigned char>(value >> (8 * i));
  return WriteExact(stream, bytes, width);
}

} // namespace

int portistream::read(void* buffer, int n) {
  unsigned char* out = static_cast<unsigned char*>(buffer);
  int count = 0;
  for (; count < n; ++count) {
    int byte = readbyte();
    if (byte < 0)
      break;
    out[count] = static_cast<unsigned char>(byte);
  }
  return count;
}

int portostream::write(const void* buffer, int n) {
  const unsigned char* in = static_cast<const unsigned char*>(buffer);
  int count = 0;
  while (count < n && writebyte(in[count]))
    ++count;
  return count;
}

int persistent::read(portistream& stream) { return ReadMembers(stream, members()); }
int persistent::write(portostream& stream) { return WriteMembers(stream, members()); }

int ReadExact(portistream& stream, void* buffer, int n) { return n >= 0 && stream.read(buffer, n) == n; }

int ReadBlock(portistream& stream, void* buffer, long n) {
  char* out = static_cast<char*>(buffer);
  while (n > 0) {
    int piece = n < 2048 ? static_cast<int>(n) : 2048;
    if (!ReadExact(stream, out, piece))
      return 0;
    out += piece;
    n -= piece;
  }
  return 1;
}

int SkipBytes(portistream& stream, long n) {
  for (; n > 0; --n)
    if (stream.readbyte() < 0)
      return 0;
  return 1;
}

int ReadByte(portistream& stream, unsigned char& value) { return ReadExact(stream, &value, 1); }

int ReadShort(portistream& stream, short& value) {
  unsigned long raw;
  if (!readLittleEndian(stream, 2, raw))
    return 0;
  value = static_cast<short>(raw);
  return 1;
}

int ReadLong(portistream& stream, long& value) {
  unsigned long raw;
  if (!readLittleEndian(stream, 4, raw))
    return 0;
  value = static_cast<long>(raw);
  return 1;
}

int ReadUlong(portistream& stream, unsigned long& value) { return readLittleEndian(stream, 4, value); }

int ReadInt(portistream& stream, int& value) {
  unsigned long raw;
  if (!readLittleEndian(stream, stream.layout16 ? 2 : 4, raw))
    return 0;
  value = stream.layout16 ? static_cast<short>(raw) : static_cast<int>(raw);
  return 1;
}

int ReadUint(portistream& stream, unsigned& value) {
  unsigned long raw;
  if (!readLittleEndian(stream, stream.layout16 ? 2 : 4, raw))
    return 0;
  value = static_cast<unsigned>(raw);
  return 1;
}

int ReadCString(portistream& stream, char* buffer, int size) {
  int length;
  if (!readLength(stream, length) || length >= size)
    return 0;
  // A text cut short by the end of the stream leaves an empty text, never an unterminated one.
  if (!ReadExact(stream, buffer, length)) {
    buffer[0] = 0;
    return 0;
  }
  buffer[length] = 0;
  return 1;
}

int ReadDynstr(portistream& stream, dynstr& text) {
  int length;
  if (!readLength(stream, length) || !text.reserve(length))
    return 0;
  if (ReadExact(stream, text.buffer(), length))
    return 1;
  text.clear();
  return 0;
}

int ReadFpath(portistream& stream, fpath& path) {
  dynstr text;
  return ReadDynstr(stream, text) && path.set(text.str());
}

int ReadObject(portistream& stream, streamable& object) { return object.read(stream); }

int ReadMembers(portistream& stream, pmember* const* members) {
  for (; *members; ++members)
    if (!(*members)->read(stream))
      return 0;
  return 1;
}

int WriteExact(portostream& stream, const void* buffer, int n) {
  return n >= 0 && stream.write(buffer, n) == n;
}

int WriteZeros(portostream& stream, int n) {
  for (; n > 0; --n)
    if (!stream.writebyte(0))
      return 0;
  return 1;
}

int WriteByte(portostream& stream, unsigned char value) { return WriteExact(stream, &value, 1); }

int WriteShort(portostream& stream, short value) {
  return writeLittleEndian(stream, 2, static_cast<unsigned short>(value));
}

int WriteLong(portostream& stream, long value) {
  return writeLittleEndian(stream, 4, static_cast<unsigned long>(value));
}

int WriteUlong(portostream& stream, unsigned long value) { return writeLittleEndian(stream, 4, value); }

int WriteInt(portostream& stream, int value) {
  return writeLittleEndian(stream, stream.layout16 ? 2 : 4, static_cast<unsigned>(value));
}

int WriteUint(portostream& stream, unsigned value) {
  return writeLittleEndian(stream, stream.layout16 ? 2 : 4, value);
}

int WriteCString(portostream& stream, const char* text) {
  if (!text)
    text = "";
  size_t length = std::strlen(text);
  if (length > static_cast<size_t>(MaxTextLength))
    return 0;
  int ok = length < LongLength
               ? WriteByte(stream, static_cast<unsigned char>(length))
               : WriteByte(stream, LongLength) &&
                     WriteShort(stream, static_cast<short>(static_cast<unsigned short>(length)));
  return ok && WriteExact(stream, text, static_cast<int>(length));
}

int WriteDynstr(portostream& stream, const dynstr& text) { return WriteCString(stream, text.str()); }
int WriteCpath(portostream& stream, const cpath& path) { return WriteCString(stream, path.str()); }
int WriteObject(portostream& stream, streamable& object) { return object.write(stream); }

int WriteMembers(portostream& stream, pmember* const* members) {
  for (; *members; ++members)
    if (!(*members)->write(stream))
      return 0;
  return 1;
}
