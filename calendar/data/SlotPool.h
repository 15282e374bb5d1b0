#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <vector>

// Fixed-size slots handed out from large blocks. A slot given back is handed out again; blocks are kept
// for the life of the pool. Many small objects of one kind (the events of a file) then cost a few large
// allocations instead of one each, and a reload uses the memory of the list it replaces.
class SlotPool {
public:
  explicit SlotPool(std::size_t slotSize);
  SlotPool(const SlotPool&) = delete;
  SlotPool& operator=(const SlotPool&) = delete;

  void* Take();
  void Give(void* slot) noexcept;
  // Makes sure that `count` slots are free, adding at most one block.
  void Reserve(std::size_t count);

private:
  struct FreeSlot {
    FreeSlot* next;
  };
  void AddBlock(std::size_t slots);

  std::size_t m_slotSize;
  FreeSlot* m_free = nullptr;
  std::size_t m_freeCount = 0;
  std::vector<std::unique_ptr<char[]>> m_blocks;
  std::mutex m_lock;
};
