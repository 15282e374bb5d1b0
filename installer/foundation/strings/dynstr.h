#pragma once

// A heap string: its length and its own block of characters. Only a freshly constructed string points
// at the one static empty text; anything stored gets a block of its own, the empty text included.
// Blocks come from std::malloc, so a block handed out by detach() is freed with std::free, and adopt()
// takes only such blocks. Allocation never throws: an operation that cannot allocate answers 0 and
// leaves the string as it was.

struct TextId {
  unsigned id;
};

class dynstr {
public:
  dynstr();
  explicit dynstr(const char* text);
  dynstr(const char* text, int& result);
  // The string `id` of the program's own module; empty when it has none.
  explicit dynstr(TextId id);
  ~dynstr();
  dynstr(const dynstr&) = delete;
  dynstr& operator=(const dynstr&) = delete;

  const char* str() const { return text_ ? text_ : ""; }
  int length() const { return length_; }
  // The block itself (none after detach()); for callers that fill a reserved block.
  char* buffer() { return text_; }
  int isstatic() const;

  // A new uninitialised block for n characters (terminated at n); the old text is not kept.
  int reserve(int n);
  int set(const char* text);
  // Formats into 1024 characters at most (longer output is cut), then set().
  int setf(const char* format, ...);
  char* detach();
  int adopt(char* block);
  int append(const char* text);
  int clear();
  int assign(const dynstr& other);
  int isblank() const;

private:
  void replace(char* block, int length);

  int length_;
  char* text_;
};
