#pragma once

#include <appframe/CDialog.h>

#include <prsht.h>

// One page of a property sheet, made from a dialog template whose caption is the page's tab. The page
// window exists only once the user has opened the page; its values live in the object, so a page never
// opened still gives back what it was given. Leaving the page and OK check its values first
// (OnKillActive); OK then moves them in (OnOK).
class CPropertyPage : public CDialog {
  DECLARE_MESSAGE_MAP()

public:
  explicit CPropertyPage(UINT templateId, int helpContext = -1);

  // The description the sheet builds the page from.
  PROPSHEETPAGEA Describe();
  bool HasWindow() const { return m_hWnd != nullptr; }

  // Answers false to keep the user on the page; by default the data exchange.
  virtual bool OnKillActive();
  virtual bool OnSetActive() { return true; }
  // The sheet ends with OK (the page was opened and its values checked).
  void OnOK() override {}
  void OnCancel() override {}
  // The help context of the page, -1 for none.
  int HelpContext() const { return helpContext_; }

protected:
  LRESULT OnNotify(WPARAM wParam, LPARAM lParam);
  LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);
  virtual void OnHelp();

private:
  // Answers the sheet: the result goes both ways a sheet may read it.
  LRESULT Answer(LRESULT result);
  static INT_PTR CALLBACK PageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  UINT templateId_;
  int helpContext_;
};
