#pragma once

#include <foundation/streams/porttype.h>

#include <memory>
#include <string>
#include <vector>

// The values of one record, read by its string of field kinds (ScriptSchema.h): numbers in the
// order of the numeric kinds (i, w, u, l and a picture source's mode), texts in the order of the text
// kinds (s, p and a picture source's text), lists in the order of the list kinds.
struct FieldValues {
  std::vector<long> numbers;
  std::vector<std::string> texts;
  std::vector<std::vector<unsigned>> references; // R
  std::vector<std::vector<std::string>> lists;   // P and T

  // Empty values for the kinds, then the initial values ('|' between them) in field order.
  void setinitial(const char* fields, const char* initial);
};

// Reads a script from a stream, or from its bytes in memory, and knows how many bytes are left, so that
// no count can ask for more elements than the rest of the file could hold. Every read answers 1 or 0.
// A stream is read in blocks into a buffer of the reader's own: small values cost no call of the
// stream each, and the file is never held whole in memory.
class ScriptReader {
public:
  // The width and version start as the stream's.
  explicit ScriptReader(portistream& stream);
  ScriptReader(const char* bytes, long size);

  int version() const { return version_; }
  int layout16() const { return layout16_; }
  void setversion(int version) { version_ = version; }
  void setlayout16(int layout16) { layout16_ = layout16; }
  long remaining() const { return size_ - consumed_; }

  int byte(unsigned char& value);
  int integer(int& value);
  int uinteger(unsigned& value);
  int longint(long& value);
  // A text holding a NUL byte fails: it would be cut short wherever it is used.
  int text(std::string& value);
  // A text of at most 127 characters: a longer one fails.
  int path(std::string& value);
  // A count read as the kind says ('u' uint, 'i' int, 'l' long); it fails when negative or when that
  // many elements of `minimumBytes` each cannot fit in the bytes left.
  int count(char kind, int minimumBytes, long& value);
  int fields(const char* kinds, FieldValues& values);
  int references(std::vector<unsigned>& indexes);
  int textlist(std::vector<std::string>& texts, int paths);

private:
  int exact(void* buffer, long n);
  const unsigned char* next(long n, unsigned char* scratch);
  // The next block of the stream into the buffer; 0 when the stream gives nothing.
  int refill();

  static constexpr int BlockSize = 65536;
  portistream* stream_ = nullptr;
  // The bytes not yet read: the whole script in memory, or the stream's block.
  const char* bytes_ = nullptr;
  long available_ = 0;
  std::unique_ptr<char[]> block_;
  long size_;
  long consumed_ = 0;
  int version_ = 0;
  int layout16_ = 0;
};
