#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

// Fields of the calendar's binary records: signed 16-bit little-endian integers and NUL-terminated
// texts in fixed-width slots. A text slot always keeps room for its terminator, and a text is read only
// up to the slot's last byte, so a slot without a terminator cannot run into the next field.
namespace recordbytes {

inline void PutInt16(std::string& record, size_t offset, int value) {
  auto bits = static_cast<std::uint16_t>(static_cast<std::int16_t>(value));
  record[offset] = static_cast<char>(bits & 0xFF);
  record[offset + 1] = static_cast<char>(bits >> 8);
}

inline int GetInt16(const char* record, size_t offset) {
  auto low = static_cast<std::uint8_t>(record[offset]);
  auto high = static_cast<std::uint8_t>(record[offset + 1]);
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

// The text, cut to width - 1 characters, then zeros to the end of the slot.
inline void PutText(std::string& record, size_t offset, size_t width, std::string_view text) {
  size_t length = text.size() < width ? text.size() : width - 1;
  record.replace(offset, length, text.substr(0, length));
  std::fill(record.begin() + offset + length, record.begin() + offset + width, '\0');
}

// The text of a slot, up to its terminator or the slot's last byte.
inline std::string_view TextIn(const char* record, size_t offset, size_t width) {
  const char* start = record + offset;
  const void* end = std::memchr(start, '\0', width - 1);
  return {start, end ? static_cast<size_t>(static_cast<const char*>(end) - start) : width - 1};
}

inline void GetText(const char* record, size_t offset, size_t width, std::string& text) {
  text.assign(TextIn(record, offset, width));
}

} // namespace recordbytes
