#include <calendar/options/COptionsInter.h>

#include <calendar/resource.h>

#include <appframe/CDataExchange.h>

COptionsInter::COptionsInter() : CPropertyPage(IDD_OPTIONS_INTER, 24) {}

bool COptionsInter::OnInitDialog() {
  char digit[4] = "";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ITIME, digit, sizeof digit);
  SetDlgItemText(IDC_OP_LOCALEFORMAT, digit[0] == '1' ? "(24 Hour)" : "(AM / PM)");
  return CPropertyPage::OnInitDialog();
}

void COptionsInter::DoDataExchange(CDataExchange* dx) {
  DDX_Radio(dx, IDC_OP_SUNDAY, startDay);
  DDX_Radio(dx, IDC_OP_12HOUR, timeFormat);
}
