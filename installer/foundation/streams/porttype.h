#pragma once

#include <foundation/paths/fpath.h>
#include <foundation/registry/systime.h>
#include <foundation/strings/dynstr.h>

// The portable binary stream. Values are little-endian with fixed widths; a text is its length (one
// byte below 255, else 0xFF and a 2-byte length) and its characters. An object is its members one
// after another, with no tags or padding, in the order its class lists them. Only int and uint depend
// on the stream's 16-bit layout flag (2 bytes instead of 4).

class portistream {
public:
  virtual ~portistream() = default;
  // 0..255, or -1 at the end or on an error.
  virtual int readbyte() = 0;
  virtual int open() = 0;
  virtual int close() = 0;
  virtual int ateof() = 0;
  virtual int isopen() = 0;
  virtual long size() = 0;
  // Bytes delivered; this one reads byte by byte up to the first -1.
  virtual int read(void* buffer, int n);
  virtual int canseek() { return 0; }
  virtual int seek(long, int) { return 0; }

  int version = 0;
  int layout16 = 0;
};

class portostream {
public:
  virtual ~portostream() = default;
  virtual int writebyte(int byte) = 0;
  virtual int open() = 0;
  virtual int close() = 0;
  virtual int isopen() = 0;
  // Bytes written; this one writes byte by byte up to the first failure.
  virtual int write(const void* buffer, int n);

  int layout16 = 0;
};

class streamable {
public:
  virtual int read(portistream& stream) = 0;
  virtual int write(portostream& stream) = 0;

protected:
  ~streamable() = default;
};

class pmember {
public:
  virtual int read(portistream& stream) = 0;
  virtual int write(portostream& stream) = 0;

protected:
  ~pmember() = default;
};

// An object that reads and writes itself as its member list. A class keeps one static list and
// points it at the object at hand in members(), so one object of a class is streamed at a time.
class persistent : public streamable {
public:
  int read(portistream& stream) override;
  int write(portostream& stream) override;
  // The null-terminated member list, bound to this object.
  virtual pmember* const* members() = 0;

protected:
  ~persistent() = default;
};

int ReadExact(portistream& stream, void* buffer, int n);
int ReadBlock(portistream& stream, void* buffer, long n);
int SkipBytes(portistream& stream, long n);
int ReadByte(portistream& stream, unsigned char& value);
int ReadShort(portistream& stream, short& value);
int ReadLong(portistream& stream, long& value);
int ReadUlong(portistream& stream, unsigned long& value);
int ReadInt(portistream& stream, int& value);
int ReadUint(portistream& stream, unsigned& value);
// Into a buffer of `size` characters; a text that does not fit fails the read and writes nothing.
int ReadCString(portistream& stream, char* buffer, int size);
int ReadDynstr(portistream& stream, dynstr& text);
int ReadFpath(portistream& stream, fpath& path);
int ReadObject(portistream& stream, streamable& object);
int ReadMembers(portistream& stream, pmember* const* members);

int WriteExact(portostream& stream, const void* buffer, int n);
int WriteZeros(portostream& stream, int n);
int WriteByte(portostream& stream, unsigned char value);
int WriteShort(portostream& stream, short value);
int WriteLong(portostream& stream, long value);
int WriteUlong(portostream& stream, unsigned long value);
int WriteInt(portostream& stream, int value);
int WriteUint(portostream& stream, unsigned value);
// Texts of 65536 characters or more have no length form: refused, nothing written.
int WriteCString(portostream& stream, const char* text);
int WriteDynstr(portostream& stream, const dynstr& text);
int WriteCpath(portostream& stream, const cpath& path);
int WriteObject(portostream& stream, streamable& object);
int WriteMembers(portostream& stream, pmember* const* members);

// Member kinds: each is pointed at its field by bind() before the list is streamed.
template <class T, int (*Read)(portistream&, T&), int (*Write)(portostream&, T)>
class pvalue : public pmember {
public:
  void bind(T& field) { field_ = &field; }
  int read(portistream& stream) override { return Read(stream, *field_); }
  int write(portostream& stream) override { return Write(stream, *field_); }

private:
  T* field_ = nullptr;
};

using pint = pvalue<int, ReadInt, WriteInt>;
using pshort = pvalue<short, ReadShort, WriteShort>;
using plong = pvalue<long, ReadLong, WriteLong>;
using puint = pvalue<unsigned, ReadUint, WriteUint>;
using pulong = pvalue<unsigned long, ReadUlong, WriteUlong>;

class pdynstr : public pmember {
public:
  void bind(dynstr& field) { field_ = &field; }
  int read(portistream& stream) override { return ReadDynstr(stream, *field_); }
  int write(portostream& stream) override { return WriteDynstr(stream, *field_); }

private:
  dynstr* field_ = nullptr;
};

class ppath : public pmember {
public:
  void bind(fpath& field) { field_ = &field; }
  int read(portistream& stream) override { return ReadFpath(stream, *field_); }
  int write(portostream& stream) override { return WriteCpath(stream, *field_); }

private:
  fpath* field_ = nullptr;
};

class pchars : public pmember {
public:
  template <int N> void bind(char (&field)[N]) {
    field_ = field;
    size_ = N;
  }
  int read(portistream& stream) override { return ReadCString(stream, field_, size_); }
  int write(portostream& stream) override { return WriteCString(stream, field_); }

private:
  char* field_ = nullptr;
  int size_ = 0;
};

class pdate : public pmember {
public:
  void bind(systime& field) { field_ = &field; }
  int read(portistream& stream) override { return field_->read(stream); }
  int write(portostream& stream) override { return field_->write(stream); }

private:
  systime* field_ = nullptr;
};

class pobject : public pmember {
public:
  void bind(streamable& field) { field_ = &field; }
  int read(portistream& stream) override { return field_->read(stream); }
  int write(portostream& stream) override { return field_->write(stream); }

private:
  streamable* field_ = nullptr;
};
