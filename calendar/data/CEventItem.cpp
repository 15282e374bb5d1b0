#include <calendar/data/CEventItem.h>

#include <calendar/data/CAppSettings.h>
#include <calendar/data/SlotPool.h>

#include <utility>

namespace {

// Never destroyed: an event in a static object may be freed after any other static object has gone.
SlotPool& eventSlots() {
  static SlotPool* pool = new SlotPool(sizeof(CEventItem));
  return *pool;
}

} // namespace

void* CEventItem::operator new(std::size_t size) {
  return size == sizeof(CEventItem) ? eventSlots().Take() : ::operator new(size);
}

void CEventItem::operator delete(void* event, std::size_t size) noexcept {
  if (size == sizeof(CEventItem))
    eventSlots().Give(event);
  else
    ::operator delete(event);
}

void CEventItem::ReserveSlots(std::size_t count) { eventSlots().Reserve(count); }

CEventItem::CEventItem() : CEventItem(CDate()) {}

namespace {

CEventText defaultType() {
  const CAppSettings& settings = AppSettings();
  int typeIndex = settings.defaultType;
  if (typeIndex >= 0 && typeIndex < static_cast<int>(settings.eventTypes.size()))
    return CEventText(settings.eventTypes[typeIndex]);
  return CEventText();
}

} // namespace

CEventItem::CEventItem(const CDate& today) : CEventItem(today, defaultType()) {}

CEventItem::CEventItem(const CDate& today, CEventText type) : type(std::move(type)), nextDate(today) {
  CAppSettings& settings = AppSettings();
  today.GetDMY(day, month, year);
  leadMinutes = settings.defaultLeadTime;
  serialNumber = settings.eventSerialCounter++;
}

CEventItem::Kind CEventItem::RecurrenceKind() const {
  if (custom != 0)
    return Kind::Custom;
  if (oneTime == 1)
    return Kind::OneTime;
  if (weekly != 0)
    return Kind::Weekly;
  if (monthly != 0)
    return Kind::Monthly;
  if (yearly != 0)
    return Kind::Yearly;
  return Kind::OneTime;
}
