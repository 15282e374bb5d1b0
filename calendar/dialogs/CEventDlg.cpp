#include <calendar/dialogs/CEventDlg.h>

#include <calendar/data/CAppSettings.h>
#include <calendar/data/CEventItem.h>
#include <calendar/dialogs/CEventTypeDlg.h>
#include <calendar/dialogs/CTimeWarningDlg.h>
#include <calendar/frame/LocaleText.h>
#include <calendar/resource.h>

#include <appframe/AfxIds.h>
#include <appframe/CDataExchange.h>
#include <appframe/CSpinButtonCtrl.h>
#include <appframe/CWinApp.h>

#include <algorithm>
#include <iterator>
#include <vector>

BEGIN_MESSAGE_MAP(CEventDlg, CDialog)
ON_MESSAGE(CMonthGrid::kDayMessage, OnDayChosen)
ON_MESSAGE(WM_HELP, OnHelpKey)
ON_CONTROL(BN_CLICKED, IDC_EV_ONETIME, OnKindClicked)
ON_CONTROL(BN_CLICKED, IDC_EV_WEEKLY, OnKindClicked)
ON_CONTROL(BN_CLICKED, IDC_EV_MONTHLY, OnKindClicked)
ON_CONTROL(BN_CLICKED, IDC_EV_YEARLY, OnKindClicked)
ON_CONTROL(BN_CLICKED, IDC_EV_CUSTOM, OnKindClicked)
ON_CONTROL(BN_CLICKED, IDC_EV_ALARM, OnAlarmClicked)
ON_CONTROL(BN_CLICKED, IDC_EV_ALLYEARS, OnAllYearsClicked)
ON_COMMAND(IDC_EV_ALLDAYS, OnToggleDays)
ON_COMMAND(IDC_EV_ALLWEEKS, OnToggleWeeks)
ON_COMMAND(IDC_EV_ALLMONTHS, OnToggleMonths)
ON_COMMAND(IDC_EV_TYPESETUP, OnTypeSetup)
ON_COMMAND(ID_HELP, OnHelpButton)
END_MESSAGE_MAP()

namespace {

const int kKindRadios[] = {IDC_EV_ONETIME, IDC_EV_WEEKLY, IDC_EV_MONTHLY, IDC_EV_YEARLY, IDC_EV_CUSTOM};

// Weekday bits run from Monday (1) to Sunday (64); of the week bits "Last Week" is 16 and "5" 32.
const std::vector<std::pair<int, int>> kWeekdays = {{IDC_EV_MON, 1}, {IDC_EV_TUE, 2},  {IDC_EV_WED, 4},
                                                    {IDC_EV_THU, 8}, {IDC_EV_FRI, 16}, {IDC_EV_SAT, 32},
                                                    {IDC_EV_SUN, 64}};
const std::vector<std::pair<int, int>> kWeeks = {{IDC_EV_WEEK1, 1},  {IDC_EV_WEEK2, 2},
                                                 {IDC_EV_WEEK3, 4},  {IDC_EV_WEEK4, 8},
                                                 {IDC_EV_WEEK5, 32}, {IDC_EV_LASTWEEK, 16}};
const std::vector<std::pair<int, int>> kMonths = {{1061, 1},   {1062, 2},   {1063, 4},    {1064, 8},
                                                  {1065, 16},  {1066, 32},  {1067, 64},   {1068, 128},
                                                  {1069, 256}, {1070, 512}, {1071, 1024}, {1072, 2048}};

// The controls that belong to one kind or another; each kind shows its own and hides the rest.
const int kKindControls[] = {IDC_EV_MONTHGRID,
                             IDC_EV_DATE,
                             IDC_EV_WEEKLYLABEL,
                             IDC_EV_REPEATLABEL,
                             IDC_EV_WEEKS,
                             IDC_EV_WEEKSSPIN,
                             IDC_EV_WEEKSLABEL,
                             IDC_EV_DAYLABEL,
                             IDC_EV_DAY,
                             IDC_EV_MONTH,
                             IDC_EV_YEARLABEL,
                             IDC_EV_YEAR,
                             IDC_EV_AGELABEL,
                             IDC_EV_MON,
                             IDC_EV_TUE,
                             IDC_EV_WED,
                             IDC_EV_THU,
                             IDC_EV_FRI,
                             IDC_EV_SAT,
                             IDC_EV_SUN,
                             IDC_EV_ALLDAYS,
                             IDC_EV_WEEK1,
                             IDC_EV_WEEK2,
                             IDC_EV_WEEK3,
                             IDC_EV_WEEK4,
                             IDC_EV_WEEK5,
                             IDC_EV_LASTWEEK,
                             IDC_EV_ALLWEEKS,
                             1061,
                             1062,
                             1063,
                             1064,
                             1065,
                             1066,
                             1067,
                             1068,
                             1069,
                             1070,
                             1071,
                             1072,
                             IDC_EV_ALLMONTHS,
                             IDC_EV_PATTERNLABEL,
                             IDC_EV_PATTERNYEAR,
                             IDC_EV_ALLYEARS};

const std::vector<int> kShownPerKind[] = {
    {IDC_EV_MONTHGRID, IDC_EV_DATE},
    {IDC_EV_MONTHGRID, IDC_EV_DATE, IDC_EV_WEEKLYLABEL, IDC_EV_REPEATLABEL, IDC_EV_WEEKS, IDC_EV_WEEKSSPIN,
     IDC_EV_WEEKSLABEL},
    {IDC_EV_DAYLABEL, IDC_EV_DAY, 1061, 1062, 1063, 1064, 1065, 1066, 1067, 1068, 1069, 1070, 1071, 1072,
     IDC_EV_ALLMONTHS},
    {IDC_EV_DAYLABEL, IDC_EV_DAY, IDC_EV_MONTH, IDC_EV_YEARLABEL, IDC_EV_YEAR, IDC_EV_AGELABEL},
};
// A custom pattern shows every control of the list from the weekdays on.
constexpr int kCustomKind = 4;

} // namespace

CEventDlg::CEventDlg(CEventItem& event, CWnd* parent) : CDialog(IDD_EVENT, parent), event_(event) {}

bool CEventDlg::OnInitDialog() {
  CAppSettings& settings = AppSettings();
  with24Hour_ = settings.EffectiveTimeFormat() == 1;
  CDate today;
  form_ = EventForm::FromEvent(event_, today, with24Hour_);
  name_ = CString(form_.name);
  type_ = CString(form_.type);
  notes_ = CString(form_.notes);
  year_ = CString(form_.yearText);
  hour_ = CString(form_.hourText);
  minute_ = CString(form_.minuteText);
  patternYear_ = CString(form_.patternYearText);

  struct {
    int id;
    int lower, upper;
  } const spins[] = {{IDC_EV_DAYSPRIORSPIN, 0, 364},
                     {IDC_EV_HOURSPIN, with24Hour_ ? 0 : 1, with24Hour_ ? 23 : 12},
                     {IDC_EV_MINUTESPIN, 0, 59},
                     {IDC_EV_LEADSPIN, 0, 360},
                     {IDC_EV_WEEKSSPIN, 1, 50}};
  for (const auto& spin : spins)
    ::SendMessageA(GetDlgItem(spin.id), UDM_SETRANGE32, static_cast<WPARAM>(spin.lower), spin.upper);

  FillTypes();
  for (int month = 1; month <= 12; ++month)
    ::SendMessageA(GetDlgItem(IDC_EV_MONTH), CB_ADDSTRING, 0,
                   reinterpret_cast<LPARAM>(localetext::MonthName(month).c_str()));
  // 2 June 1997 was a Monday.
  for (int i = 0; i < 7; ++i)
    SetDlgItemText(kWeekdays[static_cast<size_t>(i)].first,
                   localetext::Date(CDate(2 + i, 6, 1997), "ddd").c_str());
  SetMask(kWeekdays, form_.weekdayMask);
  SetMask(kWeeks, form_.weekMask);
  SetMask(kMonths, form_.monthMask);
  SetToggleCaption(IDC_EV_ALLDAYS, kWeekdays, CEventItem::kAllWeekdays, "All Days", "No Days");
  SetToggleCaption(IDC_EV_ALLWEEKS, kWeeks, CEventItem::kAllWeeks, "All Weeks", "No Weeks");
  SetToggleCaption(IDC_EV_ALLMONTHS, kMonths, CEventItem::kAllMonths, "All Months", "No Months");
  CheckRadioButton(m_hWnd, IDC_EV_AM, IDC_EV_PM, form_.pm ? IDC_EV_PM : IDC_EV_AM);
  for (int id : {IDC_EV_AM, IDC_EV_PM})
    ::ShowWindow(GetDlgItem(id), with24Hour_ ? SW_HIDE : SW_SHOW);
  ::ShowWindow(GetDlgItem(IDC_EV_24HOUR), with24Hour_ ? SW_SHOW : SW_HIDE);

  monthGrid_.SubclassDlgItem(IDC_EV_MONTHGRID, this);
  monthGrid_.SetCurCellStyle(2);
  monthGrid_.SetMonth(form_.chosen.Month(), form_.chosen.Year());
  int col, row;
  monthGrid_.CellOfDay(form_.chosen.Day(), col, row);
  monthGrid_.SetCurCell(col, row);
  ShowChosenDate();

  CDialog::OnInitDialog();
  // The kinds' ids are not one run (Weekly came later, and the alarm box sits among them): each radio is
  // set on its own so that no other button is touched.
  for (int kind = 0; kind < 5; ++kind)
    CheckDlgButton(m_hWnd, kKindRadios[kind], kind == form_.kind ? BST_CHECKED : BST_UNCHECKED);
  ShowKind(form_.kind);
  EnableDependents();
  return true;
}

void CEventDlg::FillTypes() {
  HWND combo = GetDlgItem(IDC_EV_TYPE);
  CString current = GetDlgItemText(IDC_EV_TYPE);
  ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& type : AppSettings().eventTypes)
    ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.c_str()));
  SetDlgItemText(IDC_EV_TYPE, current);
}

void CEventDlg::DoDataExchange(CDataExchange* dx) {
  DDX_Text(dx, IDC_EV_NAME, name_);
  DDV_MaxChars(dx, name_, static_cast<int>(CEventItem::kMaxNameLength));
  DDX_CBString(dx, IDC_EV_TYPE, type_);
  DDV_MaxChars(dx, type_, static_cast<int>(CEventItem::kMaxTypeLength));
  DDX_Text(dx, IDC_EV_NOTES, notes_);
  DDV_MaxChars(dx, notes_, static_cast<int>(CEventItem::kMaxNotesLength));
  DDX_Check(dx, IDC_EV_NOTIFYOFF, form_.notifyDisabled);
  DDX_Text(dx, IDC_EV_DAYSPRIOR, form_.daysPrior);
  DDV_MinMaxInt(dx, form_.daysPrior, 0, 364);
  DDX_CBIndex(dx, IDC_EV_MONTH, form_.monthIndex);
  if (Exchanged(dx, IDC_EV_DAY)) {
    DDX_Text(dx, IDC_EV_DAY, form_.day);
    DDV_MinMaxInt(dx, form_.day, 1, 31);
  }
  DDX_Text(dx, IDC_EV_YEAR, year_);
  DDV_MaxChars(dx, year_, 4);
  DDX_Text(dx, IDC_EV_HOUR, hour_);
  DDV_MaxChars(dx, hour_, 2);
  DDX_Text(dx, IDC_EV_MINUTE, minute_);
  DDV_MaxChars(dx, minute_, 2);
  DDX_Check(dx, IDC_EV_ALARM, form_.alarmEnabled);
  if (Exchanged(dx, IDC_EV_LEAD)) {
    DDX_Text(dx, IDC_EV_LEAD, form_.lead);
    DDV_MinMaxInt(dx, form_.lead, 0, 360);
  }
  if (Exchanged(dx, IDC_EV_WEEKS)) {
    DDX_Text(dx, IDC_EV_WEEKS, form_.repeatWeeks);
    DDV_MinMaxInt(dx, form_.repeatWeeks, 1, 50);
  }
  DDX_Text(dx, IDC_EV_PATTERNYEAR, patternYear_);
  DDV_MaxChars(dx, patternYear_, 4);
  DDX_Check(dx, IDC_EV_ALLYEARS, form_.allYears);
}

bool CEventDlg::Exchanged(CDataExchange* dx, int id) const {
  if (!dx->m_bSaveAndValidate)
    return true;
  // A field the chosen kind hides, or one greyed out (the lead while the alarm is off), is not the
  // user's to correct: it keeps the value it was filled with.
  LONG style = GetWindowLongA(GetDlgItem(id), GWL_STYLE);
  return (style & WS_VISIBLE) && !(style & WS_DISABLED);
}

void CEventDlg::Inform(const char* text) {
  MessageBoxA(m_hWnd, text, "Calvorne", MB_OK | MB_ICONINFORMATION);
}

void CEventDlg::OnOK() {
  if (!UpdateData(true))
    return;
  form_.name = name_.str();
  form_.type = type_.str();
  form_.notes = notes_.str();
  form_.yearText = year_.str();
  form_.hourText = hour_.str();
  form_.minuteText = minute_.str();
  form_.patternYearText = patternYear_.str();
  form_.pm = IsDlgButtonChecked(m_hWnd, IDC_EV_PM) == BST_CHECKED && !with24Hour_;
  form_.weekdayMask = GetMask(kWeekdays);
  form_.weekMask = GetMask(kWeeks);
  form_.monthMask = GetMask(kMonths);
  for (int kind = 0; kind < 5; ++kind)
    if (IsDlgButtonChecked(m_hWnd, kKindRadios[kind]) == BST_CHECKED)
      form_.kind = kind;

  EventForm::Check check = form_.Validate(with24Hour_);
  if (check == EventForm::InvalidTime)
    return Inform("Invalid Time Specified");
  if (check == EventForm::AlarmNeedsTime)
    return Inform("Valid Time Must be Entered When Alarm is Enabled");
  int time = form_.ParseTime(with24Hour_);
  if (time >= 0 && !ConfirmNightTime(time))
    return;
  if (check == EventForm::InvalidDate)
    return Inform("Invalid Date Specified");
  form_.WriteTo(event_, with24Hour_);
  EndDialog(IDOK);
}

bool CEventDlg::ConfirmNightTime(int minutes) {
  CAppSettings& settings = AppSettings();
  if (settings.warnTime != 1 ||
      !eventtime::InNightWindow(minutes, settings.warnTimeBegin, settings.warnTimeEnd))
    return true;
  CTimeWarningDlg warning(this);
  warning.m_message = eventtime::NightWarningText(settings.warnTimeBegin, settings.warnTimeEnd, with24Hour_);
  INT_PTR answer = warning.DoModal();
  if (warning.m_check) {
    settings.warnTime = 0;
    settings.SaveSettings();
  }
  return answer == IDYES;
}

void CEventDlg::ShowKind(int kind) {
  for (int id : kKindControls)
    ::ShowWindow(GetDlgItem(id), SW_HIDE);
  if (kind == kCustomKind) {
    for (const int* id = std::find(std::begin(kKindControls), std::end(kKindControls), IDC_EV_MON);
         id != std::end(kKindControls); ++id)
      ::ShowWindow(GetDlgItem(*id), SW_SHOW);
    return;
  }
  for (int id : kShownPerKind[kind])
    ::ShowWindow(GetDlgItem(id), SW_SHOW);
}

void CEventDlg::EnableDependents() {
  bool alarm = IsDlgButtonChecked(m_hWnd, IDC_EV_ALARM) == BST_CHECKED;
  ::EnableWindow(GetDlgItem(IDC_EV_LEAD), alarm);
  ::EnableWindow(GetDlgItem(IDC_EV_LEADSPIN), alarm);
  ::EnableWindow(GetDlgItem(IDC_EV_PATTERNYEAR), IsDlgButtonChecked(m_hWnd, IDC_EV_ALLYEARS) != BST_CHECKED);
}

void CEventDlg::OnKindClicked() {
  for (int kind = 0; kind < 5; ++kind)
    if (IsDlgButtonChecked(m_hWnd, kKindRadios[kind]) == BST_CHECKED)
      ShowKind(kind);
}

void CEventDlg::OnAlarmClicked() { EnableDependents(); }

void CEventDlg::OnAllYearsClicked() { EnableDependents(); }

void CEventDlg::SetMask(const MaskChecks& checks, int mask) {
  for (const auto& [id, bit] : checks)
    CheckDlgButton(m_hWnd, id, (mask & bit) ? BST_CHECKED : BST_UNCHECKED);
}

int CEventDlg::GetMask(const MaskChecks& checks) const {
  int mask = 0;
  for (const auto& [id, bit] : checks)
    if (IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED)
      mask |= bit;
  return mask;
}

void CEventDlg::SetToggleCaption(int buttonId, const MaskChecks& checks, int fullMask, const char* allText,
                                 const char* noText) {
  SetDlgItemText(buttonId, GetMask(checks) == fullMask ? noText : allText);
}

void CEventDlg::Toggle(int buttonId, const MaskChecks& checks, const char* allText, const char* noText) {
  bool checkAll = GetDlgItemText(buttonId).str() == allText;
  SetMask(checks, checkAll ? -1 : 0);
  SetDlgItemText(buttonId, checkAll ? noText : allText);
}

void CEventDlg::OnToggleDays() { Toggle(IDC_EV_ALLDAYS, kWeekdays, "All Days", "No Days"); }
void CEventDlg::OnToggleWeeks() { Toggle(IDC_EV_ALLWEEKS, kWeeks, "All Weeks", "No Weeks"); }
void CEventDlg::OnToggleMonths() { Toggle(IDC_EV_ALLMONTHS, kMonths, "All Months", "No Months"); }

LRESULT CEventDlg::OnDayChosen(WPARAM, LPARAM) {
  int day = monthGrid_.GetCurrentDay();
  form_.chosen = day > 0 ? CDate(day, monthGrid_.Month(), monthGrid_.Year()) : CDate::FromDayNumber(0);
  ShowChosenDate();
  return 0;
}

void CEventDlg::ShowChosenDate() {
  SetDlgItemText(IDC_EV_DATE, form_.chosen.IsValid() ? localetext::Date(form_.chosen).c_str() : "");
}

void CEventDlg::OnTypeSetup() {
  CEventTypeDlg types(this);
  if (types.DoModal() == IDOK)
    FillTypes();
}

void CEventDlg::OnHelpButton() { AfxGetApp()->WinHelp(3); }

LRESULT CEventDlg::OnHelpKey(WPARAM, LPARAM) {
  OnHelpButton();
  return TRUE;
}
