#include <foundation/strings/dynstr.h>

#include <foundation/strings/formattext.h>
#include <foundation/strings/textresource.h>

#include <cctype>
#include <climits>
#include <cstdarg>
#include <cstdlib>
#include <cstring>

namespace {

// The room of a formatted text: longer ones are cut.
constexpr std::size_t SetfRoom = 1024;

char emptyText[1] = {0};

char* allocate(int length) {
  if (length < 0 || length == INT_MAX)
    return nullptr;
  return static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
}

} // namespace

dynstr::dynstr() : length_(0), text_(emptyText) {}

dynstr::dynstr(const char* text) : dynstr() { set(text); }

dynstr::dynstr(const char* text, int& result) : dynstr() { result = set(text); }

dynstr::dynstr(TextId id) : dynstr() {
  char text[TextSize];
  if (LoadStringA(EngineModule(), id.id, text, TextSize) > 0)
    set(text);
}

dynstr::~dynstr() {
  if (!isstatic())
    std::free(text_);
}

int dynstr::isstatic() const { return text_ == emptyText; }

// Frees the old block only after the new one is in place, so that a text taken from this string's own
// block is still readable while it is copied.
void dynstr::replace(char* block, int length) {
  char* old = text_;
  text_ = block;
  length_ = length;
  if (old != emptyText && old != block)
    std::free(old);
}

int dynstr::reserve(int n) {
  char* block = allocate(n);
  if (!block)
    return 0;
  block[0] = 0;
  block[n] = 0;
  replace(block, n);
  return 1;
}

int dynstr::set(const char* text) {
  if (!text)
    text = "";
  size_t length = std::strlen(text);
  if (length >= INT_MAX)
    return 0;
  char* block = allocate(static_cast<int>(length));
  if (!block)
    return 0;
  std::memcpy(block, text, length + 1);
  replace(block, static_cast<int>(length));
  return 1;
}

int dynstr::setf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args, SetfRoom);
  va_end(args);
  return set(text.c_str());
}

char* dynstr::detach() {
  char* block = isstatic() ? nullptr : text_;
  text_ = nullptr;
  length_ = 0;
  return block;
}

int dynstr::adopt(char* block) {
  size_t length = block ? std::strlen(block) : 0;
  if (!block)
    block = emptyText;
  replace(block, static_cast<int>(length));
  return length_;
}

int dynstr::append(const char* text) {
  if (!text)
    text = "";
  size_t extra = std::strlen(text);
  if (extra >= static_cast<size_t>(INT_MAX - length_))
    return 0;
  int length = length_ + static_cast<int>(extra);
  char* block = allocate(length);
  if (!block)
    return 0;
  std::memcpy(block, str(), static_cast<size_t>(length_));
  std::memcpy(block + length_, text, extra + 1);
  replace(block, length);
  return 1;
}

int dynstr::clear() { return set(""); }

// Copies before letting go of the old block, so that assigning a string to itself keeps its text.
int dynstr::assign(const dynstr& other) {
  if (&other == this)
    return 1;
  return set(other.str());
}

int dynstr::isblank() const {
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(str()); *c; ++c)
    if (!std::isspace(*c))
      return 0;
  return 1;
}
