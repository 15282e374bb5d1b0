#include "CEventItem.h"

#include "CAppSettings.h"

CEventItem::CEventItem() : CEventItem(CDate()) {}

CEventItem::CEventItem(const CDate& today) : nextDate(today) {
  CAppSettings& settings = AppSettings();
  today.GetDMY(day, month, year);
  leadMinutes = settings.defaultLeadTime;
  int typeIndex = settings.defaultType;
  if (typeIndex >= 0 && typeIndex < static_cast<int>(settings.eventTypes.size()))
    type = settings.eventTypes[typeIndex];
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
