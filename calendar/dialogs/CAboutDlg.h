#pragma once

#include <calendar/resource.h>

#include <appframe/CDialog.h>

// The about box.
class CAboutDlg : public CDialog {
public:
  explicit CAboutDlg(CWnd* parent = nullptr) : CDialog(IDD_ABOUTBOX, parent) {}
};
