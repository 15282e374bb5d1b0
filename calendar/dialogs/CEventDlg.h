#pragma once

#include <calendar/dialogs/EventForm.h>
#include <calendar/views/CMonthGrid.h>

#include <appframe/CDialog.h>

#include <utility>
#include <vector>

class CEventItem;

// Edits one event modally: name, type, notes, notification, time and alarm, and the recurrence kind
// with the controls of that kind. A month grid picks the date of one-time and weekly events. OK checks
// the input and writes it into the event; the caller stores it.
class CEventDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

public:
  CEventDlg(CEventItem& event, CWnd* parent = nullptr);

  CMonthGrid& MonthGrid() { return monthGrid_; }
  const EventForm& Form() const { return form_; }

protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void DoDataExchange(CDataExchange* dx) override;
  LRESULT OnDayChosen(WPARAM wParam, LPARAM lParam);
  LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);
  void OnKindClicked();
  void OnAlarmClicked();
  void OnAllYearsClicked();
  void OnToggleDays();
  void OnToggleWeeks();
  void OnToggleMonths();
  void OnTypeSetup();
  void OnHelpButton();

private:
  // Check boxes and the bit each stands for.
  using MaskChecks = std::vector<std::pair<int, int>>;
  void FillTypes();
  // Whether a field takes part in the exchange: always when filling, on OK only while the user sees it.
  bool Exchanged(CDataExchange* dx, int id) const;
  void ShowKind(int kind);
  void EnableDependents();
  void SetMask(const MaskChecks& checks, int mask);
  int GetMask(const MaskChecks& checks) const;
  void SetToggleCaption(int buttonId, const MaskChecks& checks, int fullMask, const char* allText,
                        const char* noText);
  void Toggle(int buttonId, const MaskChecks& checks, const char* allText, const char* noText);
  void ShowChosenDate();
  // Asks about a time in the night window; false when the user does not confirm it.
  bool ConfirmNightTime(int minutes);
  void Inform(const char* text);

  CEventItem& event_;
  EventForm form_;
  CMonthGrid monthGrid_;
  bool with24Hour_ = false;
  CString name_, type_, notes_, year_, hour_, minute_, patternYear_;
};
