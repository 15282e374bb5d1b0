#include <calendar/data/SlotPool.h>

#include <calendar/data/CEventItem.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <set>

namespace {

TEST(SlotPoolTest, AReservationIsOneBlockAndFreedSlotsAreHandedOutAgain) {
  // 40 bytes rounded up to the strictest alignment: 16 bytes on x86-64, 8 on i686.
  const std::ptrdiff_t stride = sizeof(void*) == 8 ? 48 : 40;
  SlotPool pool(40);
  pool.Reserve(100);
  char* first = static_cast<char*>(pool.Take());
  char* previous = first;
  for (int i = 1; i < 100; ++i) {
    char* slot = static_cast<char*>(pool.Take());
    EXPECT_EQ(slot - previous, stride) << "slot " << i << ": the next one in the same block, aligned";
    previous = slot;
  }
  pool.Give(first);
  EXPECT_EQ(pool.Take(), first);
}

// Events come from the pool and go back to it; a class derived from the event is allocated as usual.
TEST(SlotPoolTest, EventsAreMadeAndFreedThroughTheirPool) {
  struct Derived : CEventItem {
    char extra[64] = {};
  };
  CEventItem::ReserveSlots(10);
  std::set<CEventItem*> seen;
  for (int round = 0; round < 3; ++round) {
    auto event = std::make_unique<CEventItem>();
    event->notes = std::string(100, 'n');
    seen.insert(event.get());
  }
  EXPECT_EQ(seen.size(), 1u) << "a freed event's slot is the next one's";
  std::unique_ptr<CEventItem> derived = std::make_unique<Derived>();
  derived->name = "derived";
  EXPECT_EQ(derived->name, "derived");
}

} // namespace
