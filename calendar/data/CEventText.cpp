#include <calendar/data/CEventText.h>

#include <cstring>
#include <limits>
#include <new>

// How many texts (and the arena while it fills the block) still use it; the texts follow.
struct CEventTextBlock {
  std::size_t users;
};

const char CEventText::kEmpty[] = "";

namespace {

char* charactersOf(CEventTextBlock* block) { return reinterpret_cast<char*>(block + 1); }

CEventTextBlock* newBlock(std::size_t characters) {
  auto* block = static_cast<CEventTextBlock*>(::operator new(sizeof(CEventTextBlock) + characters));
  block->users = 1;
  return block;
}

void dropUser(CEventTextBlock* block) noexcept {
  if (--block->users == 0)
    ::operator delete(block);
}

std::uint32_t checkedSize(std::size_t size) {
  if (size > std::numeric_limits<std::uint32_t>::max())
    throw std::bad_alloc();
  return static_cast<std::uint32_t>(size);
}

} // namespace

CEventText::CEventText(CEventText&& other) noexcept
    : m_text(other.m_text), m_size(other.m_size), m_block(other.m_block) {
  other.m_text = kEmpty;
  other.m_size = 0;
  other.m_block = nullptr;
}

CEventText& CEventText::operator=(const CEventText& other) {
  if (this != &other)
    Assign(other.View());
  return *this;
}

CEventText& CEventText::operator=(CEventText&& other) noexcept {
  if (this != &other) {
    Release();
    m_text = other.m_text;
    m_size = other.m_size;
    m_block = other.m_block;
    other.m_text = kEmpty;
    other.m_size = 0;
    other.m_block = nullptr;
  }
  return *this;
}

void CEventText::Release() noexcept {
  if (m_block)
    dropUser(m_block);
  else if (m_size != 0)
    delete[] m_text;
  m_text = kEmpty;
  m_size = 0;
  m_block = nullptr;
}

// The new text is copied before the old one is let go, since it may be part of it.
CEventText& CEventText::Assign(std::string_view text) {
  std::uint32_t size = checkedSize(text.size());
  char* copy = nullptr;
  if (size != 0) {
    copy = new char[size + 1];
    std::memcpy(copy, text.data(), size);
    copy[size] = '\0';
  }
  Release();
  if (copy) {
    m_text = copy;
    m_size = size;
  }
  return *this;
}

void CEventText::AssignIn(CEventTextArena& arena, std::string_view text) {
  std::uint32_t size = checkedSize(text.size());
  if (size == 0) {
    Release();
    return;
  }
  CEventTextBlock* block = nullptr;
  char* place = arena.Place(size, block);
  std::memcpy(place, text.data(), size);
  place[size] = '\0';
  ++block->users;
  Release();
  m_text = place;
  m_size = size;
  m_block = block;
}

CEventTextArena::~CEventTextArena() {
  if (m_block)
    dropUser(m_block);
}

char* CEventTextArena::Place(std::size_t size, CEventTextBlock*& block) {
  std::size_t needed = size + 1;
  if (needed > m_free) {
    if (needed > m_blockSize) {
      // A block of its own, which the arena does not keep.
      block = newBlock(needed);
      block->users = 0;
      return charactersOf(block);
    }
    if (m_block)
      dropUser(m_block);
    m_block = newBlock(m_blockSize);
    m_next = charactersOf(m_block);
    m_free = m_blockSize;
  }
  block = m_block;
  char* place = m_next;
  m_next += needed;
  m_free -= needed;
  return place;
}
