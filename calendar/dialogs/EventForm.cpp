#include <calendar/dialogs/EventForm.h>

#include <cstdio>

namespace eventtime {

void DisplayHour(int hour, bool with24Hour, int& shown, int& pm) {
  pm = hour >= 12 ? 1 : 0;
  shown = hour;
  if (with24Hour)
    return;
  shown = hour % 12 == 0 ? 12 : hour % 12;
}

int HourOf(int shown, int pm, bool with24Hour) {
  if (with24Hour)
    return shown;
  return (shown == 12 ? 0 : shown) + 12 * pm;
}

bool InNightWindow(int minutes, int begin, int end) {
  if (end >= begin)
    return minutes >= begin * 60 && minutes <= end * 60;
  return minutes >= begin * 60 || minutes <= end * 60;
}

std::string NightWarningText(int begin, int end, bool with24Hour) {
  char text[160];
  if (with24Hour) {
    std::snprintf(text, sizeof text,
                  "The time you have entered is between\n%2d:00 and %2d:00.\n\nIs this correct?", begin, end);
    return text;
  }
  auto hour12 = [](int hour) { return hour % 12 == 0 ? 12 : hour % 12; };
  auto half = [](int hour) { return hour > 11 ? "pm" : "am"; };
  std::snprintf(text, sizeof text,
                "The time you have entered is between\n%2d%2s and %2d%2s.\n\nIs this correct?", hour12(begin),
                half(begin), hour12(end), half(end));
  return text;
}

int ParseNumber(const std::string& text) {
  if (text.empty())
    return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9')
      return -1;
    value = value > 9999 ? 10000 : value * 10 + (c - '0');
  }
  return value > 9999 ? 10000 : value;
}

} // namespace eventtime

using namespace eventtime;

namespace {

constexpr int kFirstYear = 1753;
constexpr int kLastYear = 3000;

// The year of a text: 0 when empty or not a number (no year).
int YearOf(const std::string& text) {
  int year = ParseNumber(text);
  return year < 0 ? 0 : year;
}

} // namespace

EventForm EventForm::FromEvent(const CEventItem& event, const CDate& today, bool with24Hour) {
  EventForm form;
  form.name = event.name;
  form.type = event.type;
  form.notes = event.notes;
  form.monthIndex = event.month - 1;
  form.day = event.day;
  form.yearText = event.noYear ? "" : std::to_string(event.year);
  form.repeatWeeks = event.weeksInterval;
  form.daysPrior = event.daysPrior;
  form.notifyDisabled = event.notifyDisabled;
  form.lead = event.leadMinutes;
  form.alarmEnabled = event.alarmEnabled;
  if (event.eventTime >= 0) {
    int shown;
    DisplayHour(event.eventTime / 60, with24Hour, shown, form.pm);
    form.hourText = std::to_string(shown);
    char minute[8];
    std::snprintf(minute, sizeof minute, "%02d", event.eventTime % 60);
    form.minuteText = minute;
  }
  form.weekdayMask = event.weekdayMask;
  form.weekMask = event.weekMask;
  form.monthMask = event.monthMask;
  form.chosen = today;
  switch (event.RecurrenceKind()) {
  case CEventItem::Kind::OneTime:
  case CEventItem::Kind::Weekly:
    form.kind = event.RecurrenceKind() == CEventItem::Kind::OneTime ? OneTime : Weekly;
    form.chosen = CDate(event.day, event.month, event.year);
    if (!form.chosen.IsValid())
      form.chosen = today;
    if (form.kind == OneTime) {
      form.monthIndex = today.Month() - 1;
      form.day = today.Day();
    }
    break;
  case CEventItem::Kind::Monthly:
    form.kind = Monthly;
    break;
  case CEventItem::Kind::Yearly:
    form.kind = Yearly;
    break;
  case CEventItem::Kind::Custom:
    form.kind = Custom;
    form.allYears = event.patternYear == -1 ? 1 : 0;
    form.patternYearText = event.patternYear == -1 ? "" : std::to_string(event.patternYear);
    form.monthIndex = today.Month() - 1;
    form.day = today.Day();
    form.yearText = std::to_string(today.Year());
    break;
  }
  if (form.kind != Weekly)
    form.repeatWeeks = 1;
  if (form.kind != Custom)
    form.allYears = 1;
  return form;
}

int EventForm::ParseTime(bool with24Hour) const {
  int hour = ParseNumber(hourText);
  int minute = ParseNumber(minuteText);
  if (minute < 0 || minute > 59 || hour < 0)
    return -1;
  if (with24Hour)
    return hour <= 23 ? hour * 60 + minute : -1;
  if (hour < 1 || hour > 12)
    return -1;
  return minute + 720 * pm + (hour == 12 ? 0 : hour) * 60;
}

EventForm::Check EventForm::Validate(bool with24Hour) const {
  int time = ParseTime(with24Hour);
  if (HasTimeText() && time < 0)
    return InvalidTime;
  if (alarmEnabled && time < 0)
    return AlarmNeedsTime;
  // Years beyond the calendar's range would not survive the event file's 16-bit fields.
  if (YearOf(yearText) > kLastYear || (kind == Custom && !allYears && YearOf(patternYearText) > kLastYear))
    return InvalidDate;
  int month = monthIndex + 1;
  switch (kind) {
  case OneTime:
  case Weekly:
    return chosen.IsValid() ? Ok : InvalidDate;
  case Monthly:
    return day >= 1 && day <= 31 && monthMask != 0 ? Ok : InvalidDate;
  case Yearly:
    if (YearOf(yearText) != 0)
      return CDate(day, month, YearOf(yearText)).IsValid() ? Ok : InvalidDate;
    return day >= 1 && day <= 31 && month >= 1 && month <= 12 ? Ok : InvalidDate;
  case Custom:
    return weekdayMask && weekMask && monthMask ? Ok : InvalidDate;
  default:
    return InvalidDate;
  }
}

void EventForm::WriteTo(CEventItem& event, bool with24Hour) const {
  event.alarmRaised = 0;
  event.name = name;
  event.type = type;
  event.notes = notes;
  // A custom pattern shows no date fields (they hold today's date only to have something): its stored
  // date stays as it is.
  if (kind != Custom) {
    int year = YearOf(yearText);
    event.noYear = year < kFirstYear ? 1 : 0;
    if (!event.noYear)
      event.year = year;
    event.month = monthIndex + 1;
    event.day = day;
  }
  event.daysPrior = daysPrior;
  event.notifyDisabled = notifyDisabled;
  event.oneTime = event.weekly = event.monthly = event.yearly = event.custom = 0;
  event.eventTime = HasTimeText() ? ParseTime(with24Hour) : -1;
  event.leadMinutes = lead;
  event.alarmEnabled = alarmEnabled;
  switch (kind) {
  case OneTime:
    event.oneTime = 1;
    chosen.GetDMY(event.day, event.month, event.year);
    break;
  case Weekly:
    event.weekly = 1;
    chosen.GetDMY(event.day, event.month, event.year);
    event.weeksInterval = repeatWeeks;
    break;
  case Monthly:
    event.monthly = 1;
    event.monthMask = monthMask;
    break;
  case Yearly:
    event.yearly = 1;
    break;
  case Custom: {
    event.custom = 1;
    event.weekdayMask = weekdayMask;
    event.monthMask = monthMask;
    event.weekMask = weekMask;
    int patternYear = YearOf(patternYearText);
    event.patternYear = allYears || patternYear == 0 ? -1 : patternYear;
    break;
  }
  default:
    break;
  }
}
