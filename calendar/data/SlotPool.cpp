#include <calendar/data/SlotPool.h>

#include <algorithm>
#include <new>

namespace {

// Slots added when the pool runs dry without a reservation.
constexpr std::size_t kBlockSlots = 1024;

} // namespace

SlotPool::SlotPool(std::size_t slotSize)
    : m_slotSize((std::max(slotSize, sizeof(FreeSlot)) + alignof(std::max_align_t) - 1) /
                 alignof(std::max_align_t) * alignof(std::max_align_t)) {}

// The block's slots go on the free list last first, so that they are handed out in address order.
void SlotPool::AddBlock(std::size_t slots) {
  m_blocks.push_back(std::make_unique<char[]>(slots * m_slotSize));
  char* block = m_blocks.back().get();
  for (std::size_t i = slots; i-- > 0;) {
    auto* slot = reinterpret_cast<FreeSlot*>(block + i * m_slotSize);
    slot->next = m_free;
    m_free = slot;
  }
  m_freeCount += slots;
}

void* SlotPool::Take() {
  std::lock_guard<std::mutex> guard(m_lock);
  if (!m_free)
    AddBlock(kBlockSlots);
  FreeSlot* slot = m_free;
  m_free = slot->next;
  --m_freeCount;
  return slot;
}

void SlotPool::Give(void* slot) noexcept {
  std::lock_guard<std::mutex> guard(m_lock);
  auto* freed = static_cast<FreeSlot*>(slot);
  freed->next = m_free;
  m_free = freed;
  ++m_freeCount;
}

void SlotPool::Reserve(std::size_t count) {
  std::lock_guard<std::mutex> guard(m_lock);
  if (m_freeCount < count)
    AddBlock(count - m_freeCount);
}
