#pragma once

#include <appframe/CDialog.h>

#include <string>

// A question with a check box for turning the warning off, or (question mode off) a notice with OK.
// The caller fills the fields, shows it modally and reads the check box back.
class CTimeWarningDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

public:
  explicit CTimeWarningDlg(CWnd* parent = nullptr);

  std::string m_message;
  std::string m_caption = "Warning";
  std::string m_checkText = "Do not show this warning in the future";
  int m_check = 0;
  int m_helpContext = -1;
  bool m_questionMode = true;

protected:
  bool OnInitDialog() override;
  void OnCancel() override;
  void OnYes();
  void OnNo();
  void OnHelpButton();
  LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);

private:
  void ReadCheck();
};
