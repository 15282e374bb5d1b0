#pragma once

#include <appframe/CControlBar.h>

// A bar made from a dialog template, docked at the top or bottom of its frame. Its controls' commands
// go to the frame, as menu commands do; owner-drawn buttons on it draw themselves.
class CDialogBar : public CControlBar {
  DECLARE_MESSAGE_MAP()

public:
  bool Create(CWnd* parent, UINT templateId, DWORD style, UINT id);
  int CalcHeight(int) const override { return height_; }

protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);

private:
  int height_ = 0;
};
