#include <engine/script/ScriptReader.h>

#include <engine/script/ScriptSchema.h>

#include <cstdlib>
#include <cstring>

void FieldValues::setinitial(const char* fields, const char* initial) {
  numbers.clear();
  texts.clear();
  references.clear();
  lists.clear();
  // Room for every field at once: scripts hold thousands of events.
  size_t numberCount = 0, textCount = 0, referenceCount = 0, listCount = 0;
  for (const char* kind = fields; *kind; ++kind) {
    numberCount += std::strchr("iwulB", *kind) != nullptr;
    textCount += std::strchr("spB", *kind) != nullptr;
    referenceCount += *kind == 'R';
    listCount += *kind == 'P' || *kind == 'T';
  }
  numbers.reserve(numberCount);
  texts.reserve(textCount);
  references.reserve(referenceCount);
  lists.reserve(listCount);
  for (const char* kind = fields; *kind; ++kind) {
    const char* end = std::strchr(initial, '|');
    if (!end)
      end = initial + std::strlen(initial);
    switch (*kind) {
    case 's':
    case 'p':
      texts.emplace_back(initial, end);
      break;
    case 'R':
      references.emplace_back();
      break;
    case 'P':
    case 'T':
      lists.emplace_back();
      break;
    case 'B':
      numbers.push_back(0);
      texts.emplace_back();
      break;
    default:
      numbers.push_back(std::strtol(initial, nullptr, 10));
    }
    initial = *end ? end + 1 : end;
  }
}

ScriptReader::ScriptReader(portistream& stream)
    : stream_(&stream), size_(stream.size()), version_(stream.version), layout16_(stream.layout16) {}

ScriptReader::ScriptReader(const char* bytes, long size) : bytes_(bytes), available_(size), size_(size) {}

int ScriptReader::refill() {
  if (!stream_)
    return 0;
  if (!block_)
    block_.reset(new char[BlockSize]);
  long left = remaining();
  int n = stream_->read(block_.get(), left < BlockSize ? static_cast<int>(left) : BlockSize);
  bytes_ = block_.get();
  available_ = n > 0 ? n : 0;
  return available_ > 0;
}

int ScriptReader::exact(void* buffer, long n) {
  if (n < 0 || n > remaining())
    return 0;
  auto* out = static_cast<char*>(buffer);
  while (n > available_) {
    if (available_)
      std::memcpy(out, bytes_, static_cast<size_t>(available_));
    out += available_;
    n -= available_;
    consumed_ += available_;
    if (!refill())
      return 0;
  }
  if (n)
    std::memcpy(out, bytes_, static_cast<size_t>(n));
  bytes_ += n;
  available_ -= n;
  consumed_ += n;
  return 1;
}

// The next n bytes: in place when the buffer holds them all, else copied into `scratch`; none when
// the script has fewer left. Values are decoded from there without a copy each.
const unsigned char* ScriptReader::next(long n, unsigned char* scratch) {
  if (n <= available_) {
    auto* at = reinterpret_cast<const unsigned char*>(bytes_);
    bytes_ += n;
    available_ -= n;
    consumed_ += n;
    return at;
  }
  return exact(scratch, n) ? scratch : nullptr;
}

namespace {

int Little16(const unsigned char* bytes) { return bytes[0] | bytes[1] << 8; }

unsigned Little32(const unsigned char* bytes) {
  return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | unsigned(bytes[3]) << 24;
}

} // namespace

int ScriptReader::byte(unsigned char& value) {
  unsigned char scratch[1];
  const unsigned char* at = next(1, scratch);
  if (!at)
    return 0;
  value = *at;
  return 1;
}

int ScriptReader::integer(int& value) {
  unsigned char scratch[4];
  const unsigned char* at = next(layout16() ? 2 : 4, scratch);
  if (!at)
    return 0;
  value = layout16() ? static_cast<short>(Little16(at)) : static_cast<int>(Little32(at));
  return 1;
}

int ScriptReader::uinteger(unsigned& value) {
  unsigned char scratch[4];
  const unsigned char* at = next(layout16() ? 2 : 4, scratch);
  if (!at)
    return 0;
  value = layout16() ? static_cast<unsigned>(Little16(at)) : Little32(at);
  return 1;
}

int ScriptReader::longint(long& value) {
  unsigned char scratch[4];
  const unsigned char* at = next(4, scratch);
  if (!at)
    return 0;
  value = static_cast<long>(static_cast<int>(Little32(at)));
  return 1;
}

int ScriptReader::text(std::string& value) {
  unsigned char first;
  if (!byte(first))
    return 0;
  long length = first;
  if (first == 255) {
    unsigned char scratch[2];
    const unsigned char* wide = next(2, scratch);
    if (!wide)
      return 0;
    length = Little16(wide);
  }
  if (length > remaining())
    return 0;
  if (length <= available_) {
    value.assign(bytes_, static_cast<size_t>(length));
    bytes_ += length;
    available_ -= length;
    consumed_ += length;
  } else {
    value.resize(static_cast<size_t>(length));
    if (!exact(value.data(), length))
      return 0;
  }
  // Every text is used as a C string: one with a NUL inside would name something shorter than it
  // says (a file name that is empty, say), so the script is damaged.
  return value.find('\0') == std::string::npos;
}

int ScriptReader::path(std::string& value) {
  return text(value) && value.size() < static_cast<size_t>(ScriptPathSize);
}

int ScriptReader::count(char kind, int minimumBytes, long& value) {
  int signedCount = 0;
  unsigned unsignedCount = 0;
  switch (kind) {
  case 'u':
    if (!uinteger(unsignedCount))
      return 0;
    value = static_cast<long>(unsignedCount);
    break;
  case 'i':
    if (!integer(signedCount))
      return 0;
    value = signedCount;
    break;
  default:
    if (!longint(value))
      return 0;
  }
  if (value < 0)
    return 0;
  return minimumBytes <= 0 || value <= remaining() / minimumBytes;
}

int ScriptReader::references(std::vector<unsigned>& indexes) {
  long n;
  if (!count('u', layout16() ? 2 : 4, n))
    return 0;
  indexes.assign(static_cast<size_t>(n), 0);
  for (unsigned& index : indexes)
    if (!uinteger(index))
      return 0;
  return 1;
}

int ScriptReader::textlist(std::vector<std::string>& texts, int paths) {
  long n;
  if (!count('u', 1, n))
    return 0;
  texts.assign(static_cast<size_t>(n), std::string());
  for (std::string& one : texts)
    if (!(paths ? path(one) : text(one)))
      return 0;
  return 1;
}

int ScriptReader::fields(const char* kinds, FieldValues& values) {
  size_t number = 0, textIndex = 0, reference = 0, list = 0;
  auto nextNumber = [&]() -> long& {
    if (number == values.numbers.size())
      values.numbers.push_back(0);
    return values.numbers[number++];
  };
  auto nextText = [&]() -> std::string& {
    if (textIndex == values.texts.size())
      values.texts.emplace_back();
    return values.texts[textIndex++];
  };
  for (; *kinds; ++kinds) {
    int ok = 1;
    int i = 0;
    unsigned u = 0;
    switch (*kinds) {
    case 'w':
      if (version() < ComponentsVersion) {
        nextNumber();
        break;
      }
      [[fallthrough]];
    case 'i':
      ok = integer(i);
      nextNumber() = i;
      break;
    case 'u':
      ok = uinteger(u);
      nextNumber() = static_cast<long>(u);
      break;
    case 'l':
      ok = longint(nextNumber());
      break;
    case 's':
      ok = text(nextText());
      break;
    case 'p':
      ok = path(nextText());
      break;
    case 'B':
      ok = integer(i) && text(nextText());
      nextNumber() = i;
      break;
    case 'R':
      if (reference == values.references.size())
        values.references.emplace_back();
      ok = references(values.references[reference++]);
      break;
    default: // P and T
      if (list == values.lists.size())
        values.lists.emplace_back();
      ok = textlist(values.lists[list++], *kinds == 'P');
    }
    if (!ok)
      return 0;
  }
  return 1;
}
