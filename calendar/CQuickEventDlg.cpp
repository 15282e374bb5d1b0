#include "CQuickEventDlg.h"

#include "CEventItem.h"
#include "resource.h"

#include <appframe/CDataExchange.h>

#include <cstdio>

CQuickEventDlg::CQuickEventDlg(CEventItem& event, CWnd* parent)
    : CDialog(IDD_QUICKEVENT, parent), event_(event) {}

bool CQuickEventDlg::OnInitDialog() {
  char text[32];
  name_ = CString(event_.name);
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", event_.day, event_.month, event_.year);
  date_ = text;
  if (event_.eventTime >= 0) {
    std::snprintf(text, sizeof text, "%02d:%02d", event_.eventTime / 60, event_.eventTime % 60);
    time_ = text;
  }
  alarm_ = event_.alarmEnabled;
  lead_ = event_.leadMinutes;
  return CDialog::OnInitDialog();
}

namespace {

bool ParseDate(const char* text, CDate& date) {
  int day, month, year;
  char rest;
  if (std::sscanf(text, "%d/%d/%d%c", &day, &month, &year, &rest) != 3)
    return false;
  date = CDate(day, month, year);
  return date.IsValid();
}

// "" is no time.
bool ParseTime(const char* text, int& minutes) {
  if (!*text) {
    minutes = -1;
    return true;
  }
  int hour, minute;
  char rest;
  if (std::sscanf(text, "%d:%d%c", &hour, &minute, &rest) != 2 || hour < 0 || hour > 23 || minute < 0 ||
      minute > 59)
    return false;
  minutes = hour * 60 + minute;
  return true;
}

} // namespace

void CQuickEventDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_QE_NAME, name_);
  DDV_MaxChars(dx, name_, static_cast<int>(CEventItem::kMaxNameLength));
  DDX_Text(dx, IDC_QE_DATE, date_);
  CDate date;
  if (dx->m_bSaveAndValidate && !ParseDate(date_, date))
    dx->Fail("Please enter a date as dd/mm/yyyy.");
  DDX_Text(dx, IDC_QE_TIME, time_);
  int minutes = -1;
  if (dx->m_bSaveAndValidate && !ParseTime(time_, minutes))
    dx->Fail("Please enter a time as hh:mm, or nothing.");
  DDX_Check(dx, IDC_QE_ALARM, alarm_);
  DDX_Text(dx, IDC_QE_LEAD, lead_);
  DDV_MinMaxInt(dx, lead_, 0, 360);
  if (!dx->m_bSaveAndValidate || dx->Failed())
    return;
  event_.name = name_.str();
  date.GetDMY(event_.day, event_.month, event_.year);
  event_.eventTime = minutes;
  event_.alarmEnabled = minutes >= 0 ? alarm_ : 0;
  event_.leadMinutes = lead_;
}
