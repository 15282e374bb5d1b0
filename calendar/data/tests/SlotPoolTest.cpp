#include <calendar/data/SlotPool.h>

#include <calendar/data/CEventItem.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// Each slot holds its whole size without touching another, at an address fit for any type, and a slot
// given back is handed out again.
TEST(SlotPoolTest, SlotsAreAlignedApartAndFreedSlotsAreHandedOutAgain) {
  const size_t size = 40;
  SlotPool pool(size);
  pool.Reserve(100);
  std::vector<unsigned char*> slots;
  for (int i = 0; i < 100; ++i) {
    auto* slot = static_cast<unsigned char*>(pool.Take());
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(slot) % alignof(std::max_align_t), 0u) << "slot " << i;
    std::memset(slot, i, size);
    slots.push_back(slot);
  }
  for (size_t i = 0; i < slots.size(); ++i)
    for (size_t byte = 0; byte < size; ++byte)
      ASSERT_EQ(slots[i][byte], static_cast<unsigned char>(i)) << "slot " << i << " overwritten at " << byte;
  pool.Give(slots[7]);
  EXPECT_EQ(pool.Take(), slots[7]);
}

// Events come from the pool and go back to it; a class derived from the event, larger than a slot, is
// allocated as usual and overwrites no pooled event.
TEST(SlotPoolTest, EventsAreMadeAndFreedThroughTheirPool) {
  struct Derived : CEventItem {
    char extra[256] = {};
  };
  CEventItem::ReserveSlots(10);
  CEventItem* freed = nullptr;
  {
    auto event = std::make_unique<CEventItem>();
    freed = event.get();
  }
  auto reused = std::make_unique<CEventItem>();
  EXPECT_EQ(reused.get(), freed) << "a freed event's slot is the next one's";

  reused->name = "before";
  auto derived = std::make_unique<Derived>();
  auto after = std::make_unique<CEventItem>();
  after->name = "after";
  std::memset(derived->extra, 0x7F, sizeof derived->extra);
  EXPECT_EQ(reused->name, "before");
  EXPECT_EQ(after->name, "after");
}

} // namespace
