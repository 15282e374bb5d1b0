#pragma once

#include <appframe/CString.h>

#include <windows.h>

class CDialog;

// One transfer between a dialog's controls and its members. With save set, a bad value is reported to
// the user in a message box, its control takes the focus, and the exchange is marked failed; the later
// fields of that transfer are left alone.
class CDataExchange {
public:
  CDataExchange(CDialog* dialog, bool save) : m_pDlgWnd(dialog), m_bSaveAndValidate(save) {}

  HWND PrepareCtrl(int id);
  // Tells the user, puts the focus on the last prepared control and marks the exchange failed.
  void Fail(const char* message);
  bool Failed() const { return failed_; }
  HWND LastControl() const { return lastControl_; }

  CDialog* m_pDlgWnd;
  bool m_bSaveAndValidate;

private:
  HWND lastControl_ = nullptr;
  bool failed_ = false;
};

void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDV_MinMaxInt(CDataExchange* dx, int value, int minimum, int maximum);
// Limits the edit control on the way in; refuses a longer text on the way out.
void DDV_MaxChars(CDataExchange* dx, const CString& value, int maximum);
void DDX_Check(CDataExchange* dx, int id, int& value);
// A group of radio buttons starting at `id`: the index of the checked one, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
