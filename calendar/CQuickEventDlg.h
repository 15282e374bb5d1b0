#pragma once

#include <appframe/CDialog.h>

#include <string>

class CEventItem;

// A small event editor (name, date, time, alarm and lead; the recurrence is kept as it is) that stands in for
// the full event dialog until that is part of the program. OK writes the fields into the event it was given.
class CQuickEventDlg : public CDialog {
public:
  CQuickEventDlg(CEventItem& event, CWnd* parent = nullptr);

protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;

private:
  CEventItem& event_;
  CString name_;
  CString date_;
  CString time_;
  int alarm_ = 0;
  int lead_ = 0;
};
