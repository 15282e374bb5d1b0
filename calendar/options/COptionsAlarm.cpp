#include <calendar/options/COptionsAlarm.h>

#include <calendar/dialogs/EventForm.h>
#include <calendar/options/OptionsPages.h>
#include <calendar/resource.h>

#include <appframe/CDataExchange.h>

#include <commctrl.h>
#include <cstdio>

BEGIN_MESSAGE_MAP(COptionsAlarm, CPropertyPage)
ON_COMMAND(IDC_OP_ALARMSOUNDTEST, OnTest)
ON_COMMAND(IDC_OP_ALARMSOUNDBROWSE, OnBrowse)
END_MESSAGE_MAP()

COptionsAlarm::COptionsAlarm() : CPropertyPage(IDD_OPTIONS_ALARM, 22) {}

bool COptionsAlarm::OnInitDialog() {
  const struct {
    int id, lower, upper;
  } spins[] = {{IDC_OP_ALARMLENGTHSPIN, 1, 60},
               {IDC_OP_SNOOZESPIN, 1, 60},
               {IDC_OP_LEADSPIN, 0, 360},
               {IDC_OP_MINUTESPIN, 0, 59}};
  for (const auto& spin : spins)
    ::SendMessageA(GetDlgItem(spin.id), UDM_SETRANGE32, static_cast<WPARAM>(spin.lower), spin.upper);
  optionspages::ShowTimeFormat(*this, with24Hour, IDC_OP_HOURSPIN, IDC_OP_AM, IDC_OP_PM, IDC_OP_24LABEL);
  int hour, pm;
  eventtime::DisplayHour(dailyTime / 60, with24Hour, hour, pm);
  char minute[8];
  std::snprintf(minute, sizeof minute, "%02d", dailyTime % 60);
  CPropertyPage::OnInitDialog();
  SetDlgItemText(IDC_OP_HOUR, std::to_string(hour).c_str());
  SetDlgItemText(IDC_OP_MINUTE, minute);
  CheckRadioButton(m_hWnd, IDC_OP_AM, IDC_OP_PM, pm && !with24Hour ? IDC_OP_PM : IDC_OP_AM);
  return true;
}

void COptionsAlarm::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_OP_ALARMLENGTH, alarmLength);
  DDV_MinMaxInt(dx, alarmLength, 1, 60);
  DDX_Text(dx, IDC_OP_SNOOZE, snoozeMinutes);
  DDV_MinMaxInt(dx, snoozeMinutes, 1, 60);
  DDX_Text(dx, IDC_OP_LEAD, defaultLeadTime);
  DDV_MinMaxInt(dx, defaultLeadTime, 0, 360);
  DDX_Text(dx, IDC_OP_ALARMSOUNDFILE, alarmSoundFile);
  DDX_Check(dx, IDC_OP_ALARMSOUNDON, alarmSoundEnabled);
  DDX_Check(dx, IDC_OP_DAILY, dailyAlert);
}

bool COptionsAlarm::OnKillActive() {
  if (!CPropertyPage::OnKillActive())
    return false;
  EventForm time;
  time.hourText = GetDlgItemText(IDC_OP_HOUR).str();
  time.minuteText = GetDlgItemText(IDC_OP_MINUTE).str();
  time.pm = IsDlgButtonChecked(m_hWnd, IDC_OP_PM) == BST_CHECKED ? 1 : 0;
  int minutes = time.ParseTime(with24Hour);
  if (minutes < 0) {
    MessageBoxA(m_hWnd, "Invalid Notaris Time Specified", "Calvorne", MB_OK | MB_ICONINFORMATION);
    return false;
  }
  dailyTime = minutes;
  return true;
}

void COptionsAlarm::OnTest() { optionspages::TestSound(*this, IDC_OP_ALARMSOUNDFILE); }

void COptionsAlarm::OnBrowse() {
  optionspages::BrowseSound(*this, IDC_OP_ALARMSOUNDFILE, "Select Alarm Sound File");
}
