#pragma once

#include <calendar/dialogs/EventTypeList.h>

#include <appframe/CDialog.h>

#include <memory>

// Edits the event types kept in the settings and the default type of new events. OK writes the list in
// its order and the default into the settings file; Cancel changes nothing.
class CEventTypeDlg : public CDialog {
  DECLARE_MESSAGE_MAP()

public:
  explicit CEventTypeDlg(CWnd* parent = nullptr);

protected:
  bool OnInitDialog() override;
  void OnOK() override;
  void OnTextChanged();
  void OnSelected();
  void OnAdd();
  void OnModify();
  void OnDelete();
  void OnSetDefault();
  void OnClearDefault();
  void OnHelpButton();
  LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);

private:
  void ShowList(int select);
  void ShowDefault();
  void Enable(int id, bool on) { ::EnableWindow(GetDlgItem(id), on); }
  int Selected() const;

  std::unique_ptr<EventTypeList> types_;
};
