#include <calendar2/EventGridLayout.h>

#include <formsrt/Text.h>

namespace plovera {

const char* const kHeaderRow[kEventColumns] = {"Date", "Event", "Year", "Type", "Seq"};
const char* const kMonthSeparator[kEventColumns] = {
    "=====", "==================================", "====", "=======", "====="};
const char* const kClosingSeparator[kEventColumns] = {
    "=====", "================================", "====", "=======", "====="};
const char kSeparatorDate[] = "=====";

bool isEventRow(const std::string& dateCell) {
  double month = formsrt::Val(dateCell.substr(0, 2));
  double day = dateCell.size() > 3 ? formsrt::Val(dateCell.substr(3, 2)) : 0;
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

} // namespace plovera
