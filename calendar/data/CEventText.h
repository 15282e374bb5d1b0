#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>

class CEventTextArena;
// A block of an arena's texts.
struct CEventTextBlock;

// An event's text (type, name, notes), read and set like a std::string: c_str, size, empty, comparisons,
// + and streams, and it becomes a std::string wherever one is wanted.
//
// The texts of a file's events lie one after another in the large blocks of one arena per load, so a
// load does not allocate memory for each text; a block goes when the last text in it goes. A text set
// afterwards (or copied) gets memory of its own. Events and their texts belong to one thread.
class CEventText {
public:
  CEventText() = default;
  // Explicit, so that a std::string and an event text in one expression meet as std::strings.
  explicit CEventText(std::string_view text) { Assign(text); }
  CEventText(const CEventText& other) { Assign(other.View()); }
  CEventText(CEventText&& other) noexcept;
  ~CEventText() { Release(); }

  CEventText& operator=(const CEventText& other);
  CEventText& operator=(CEventText&& other) noexcept;
  CEventText& operator=(const char* text) {
    return Assign(text ? std::string_view(text) : std::string_view());
  }
  CEventText& operator=(const std::string& text) { return Assign(text); }
  CEventText& operator=(std::string_view text) { return Assign(text); }

  // The text placed in the arena's block instead of memory of its own.
  void AssignIn(CEventTextArena& arena, std::string_view text);

  const char* c_str() const { return m_text; }
  const char* data() const { return m_text; }
  std::size_t size() const { return m_size; }
  std::size_t length() const { return m_size; }
  bool empty() const { return m_size == 0; }
  void clear() { Assign(std::string_view()); }
  char operator[](std::size_t i) const { return m_text[i]; }
  const char* begin() const { return m_text; }
  const char* end() const { return m_text + m_size; }
  int compare(std::string_view other) const { return View().compare(other); }

  std::string_view View() const { return {m_text, m_size}; }
  std::string str() const { return std::string(m_text, m_size); }
  operator std::string() const { return str(); }

  // Comparisons and + with another event text or anything that reads as a string view (a std::string,
  // a literal, a pointer to a terminated text).
  template <class Text>
  static constexpr bool kTextLike =
      std::is_convertible_v<const Text&, std::string_view> && !std::is_same_v<Text, CEventText>;

  friend bool operator==(const CEventText& a, const CEventText& b) { return a.View() == b.View(); }
  template <class Text, std::enable_if_t<kTextLike<Text>, int> = 0>
  friend bool operator==(const CEventText& a, const Text& b) {
    return a.View() == std::string_view(b);
  }
  friend std::strong_ordering operator<=>(const CEventText& a, const CEventText& b) {
    return a.View().compare(b.View()) <=> 0;
  }
  template <class Text, std::enable_if_t<kTextLike<Text>, int> = 0>
  friend std::strong_ordering operator<=>(const CEventText& a, const Text& b) {
    return a.View().compare(std::string_view(b)) <=> 0;
  }
  friend std::string operator+(const CEventText& a, const CEventText& b) { return a.str().append(b.View()); }
  template <class Text, std::enable_if_t<kTextLike<Text>, int> = 0>
  friend std::string operator+(const CEventText& a, const Text& b) {
    return a.str().append(std::string_view(b));
  }
  template <class Text, std::enable_if_t<kTextLike<Text>, int> = 0>
  friend std::string operator+(const Text& a, const CEventText& b) {
    return std::string(std::string_view(a)).append(b.View());
  }
  friend std::ostream& operator<<(std::ostream& out, const CEventText& text) { return out << text.View(); }

private:
  friend class CEventTextArena;

  CEventText& Assign(std::string_view text);
  void Release() noexcept;

  static const char kEmpty[];
  // NUL-terminated: in m_block, in memory of its own (no block, not empty), or kEmpty.
  const char* m_text = kEmpty;
  std::uint32_t m_size = 0;
  CEventTextBlock* m_block = nullptr;
};

// The blocks that one load's texts are laid in.
class CEventTextArena {
public:
  explicit CEventTextArena(std::size_t blockSize = 64 * 1024) : m_blockSize(blockSize) {}
  CEventTextArena(const CEventTextArena&) = delete;
  CEventTextArena& operator=(const CEventTextArena&) = delete;
  ~CEventTextArena();

private:
  friend class CEventText;
  // Room for `size` characters and a terminator: in the current block, else in a new one (a text
  // longer than a block gets a block of its own size).
  char* Place(std::size_t size, CEventTextBlock*& block);

  std::size_t m_blockSize;
  CEventTextBlock* m_block = nullptr;
  std::size_t m_free = 0;
  char* m_next = nullptr;
};
