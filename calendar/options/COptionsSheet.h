#pragma once

#include <calendar/options/COptionsAlarm.h>
#include <calendar/options/COptionsInter.h>
#include <calendar/options/COptionsStartup.h>
#include <calendar/options/COptionsWarnings.h>

#include <appframe/CPropertySheet.h>

class CAppSettings;

// The Options sheet: its four pages take the settings before it shows and give them back on OK.
class COptionsSheet : public CPropertySheet {
public:
  // What OK changed that others must hear of.
  struct Changes {
    bool dailyTime = false;
    bool startDay = false;
    bool timeFormat = false;
  };

  explicit COptionsSheet(CWnd* parent = nullptr);

  void LoadFrom(const CAppSettings& settings);
  Changes StoreTo(CAppSettings& settings) const;

  COptionsStartup startup;
  COptionsAlarm alarm;
  COptionsWarnings warnings;
  COptionsInter inter;
};
