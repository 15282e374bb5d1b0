#pragma once

#include <appframe/CWnd.h>

class CDataExchange;

// A dialog from a template, modal (DoModal) or modeless (Create; such an object usually deletes itself
// in PostNcDestroy). OK moves the controls' values into the object through DoDataExchange and ends the
// dialog only when they are valid. Each dialog takes the dialog colours in force when it is created.
class CDialog : public CWnd {
  DECLARE_MESSAGE_MAP()

public:
  explicit CDialog(UINT templateId, CWnd* parent = nullptr) : templateId_(templateId), parent_(parent) {}
  ~CDialog() override;

  INT_PTR DoModal();
  bool Create(UINT templateId = 0, CWnd* parent = nullptr);
  void EndDialog(int result);
  // Controls to members (save) or members to controls; false, after telling the user, when a value is bad.
  bool UpdateData(bool save = true);
  void CenterWindow();
  HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
  void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
  CString GetDlgItemText(int id) const;

  // The colours that dialogs created from now on take.
  static void SetDialogColors(COLORREF background, COLORREF text);

protected:
  virtual bool OnInitDialog();
  virtual void OnOK();
  virtual void OnCancel();
  virtual void DoDataExchange(CDataExchange*) {}
  void PostNcDestroy() override;

  LRESULT OnInitDialogMessage(WPARAM wParam, LPARAM lParam);
  LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);
  void OnOKCommand() { OnOK(); }
  void OnCancelCommand() { OnCancel(); }

private:
  void CaptureColors();
  UINT templateId_;
  CWnd* parent_;
  bool modal_ = false;
  HWND modeless_ = nullptr;
  COLORREF background_ = CLR_INVALID;
  COLORREF text_ = CLR_INVALID;
  HBRUSH brush_ = nullptr;
};
