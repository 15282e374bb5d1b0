#pragma once

#include <calendar/dialogs/CHolidayGrid.h>

#include <appframe/CDialog.h>
#include <appframe/GdiObjects.h>

#include <string>

class CDorvixDoc;

// Lists every holiday of the document's table in a grid, where the user switches holidays on and off
// and changes their notification days. OK writes the table back to "holidays.dat"; Cancel changes
// nothing.
class CHolidayDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

public:
  CHolidayDlg(CDorvixDoc* doc, int firstRow, CWnd* parent = nullptr);

  CHolidayGrid& Grid() { return grid_; }

protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnSize(UINT type, int cx, int cy);
  void OnHelpButton();
  LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);
  LRESULT OnNotifyDaysRefused(WPARAM wParam, LPARAM lParam);

private:
  void FillRows();
  void SetFixedText(int col, int row, const std::string& text);

  CDorvixDoc* doc_;
  int firstRow_;
  CHolidayGrid grid_;
  CFont font_;
};
