#pragma once

#include <appframe/CPropertyPage.h>

// The International page of the options: the first day of the week and the time format.
class COptionsInter : public CPropertyPage {
public:
  COptionsInter();

  int startDay = 0;   // 0 Sunday, 1 Monday
  int timeFormat = 2; // 0 12-hour, 1 24-hour, 2 the user locale's

protected:
  bool OnInitDialog() override;
  void DoDataExchange(CDataExchange* dx) override;
};
