#include <calendar/options/COptionsWarnings.h>

#include <calendar/dialogs/EventForm.h>
#include <calendar/options/OptionsPages.h>
#include <calendar/resource.h>

#include <appframe/CDataExchange.h>

#include <commctrl.h>

COptionsWarnings::COptionsWarnings() : CPropertyPage(IDD_OPTIONS_WARNINGS, 21) {}

bool COptionsWarnings::OnInitDialog() {
  ::SendMessageA(GetDlgItem(IDC_OP_BACKUPSPIN), UDM_SETRANGE32, 1, 365);
  optionspages::ShowTimeFormat(*this, with24Hour, IDC_OP_BEGINSPIN, IDC_OP_BEGINAM, IDC_OP_BEGINPM,
                               IDC_OP_WARN24LABEL);
  optionspages::ShowTimeFormat(*this, with24Hour, IDC_OP_ENDSPIN, IDC_OP_ENDAM, IDC_OP_ENDPM, 0);
  return CPropertyPage::OnInitDialog();
}

void COptionsWarnings::ExchangeHour(CDataExchange* dx, int editId, int amId, int pmId, int& hour) {
  if (!dx->m_bSaveAndValidate) {
    int shown, pm;
    eventtime::DisplayHour(hour, with24Hour, shown, pm);
    DDX_Text(dx, editId, shown);
    CheckRadioButton(m_hWnd, amId, pmId, pm && !with24Hour ? pmId : amId);
    return;
  }
  int shown = 0;
  DDX_Text(dx, editId, shown);
  DDV_MinMaxInt(dx, shown, with24Hour ? 0 : 1, with24Hour ? 23 : 12);
  if (dx->Failed())
    return;
  hour = eventtime::HourOf(shown, IsDlgButtonChecked(m_hWnd, pmId) == BST_CHECKED ? 1 : 0, with24Hour);
}

void COptionsWarnings::DoDataExchange(CDataExchange* dx) {
  DDX_Check(dx, IDC_OP_WARNEXIT, warnExit);
  DDX_Check(dx, IDC_OP_WARNTIME, warnTime);
  ExchangeHour(dx, IDC_OP_BEGIN, IDC_OP_BEGINAM, IDC_OP_BEGINPM, warnTimeBegin);
  ExchangeHour(dx, IDC_OP_END, IDC_OP_ENDAM, IDC_OP_ENDPM, warnTimeEnd);
  DDX_Check(dx, IDC_OP_BACKUP, autoBackup);
  DDX_Text(dx, IDC_OP_BACKUPDAYS, autoBackupDays);
  DDV_MinMaxInt(dx, autoBackupDays, 1, 365);
}
