#pragma once

#include <foundation/windows/dlgbox.h>

#include <windows.h>

// The run's icon, which the controller's dialogs show; none until the controller has loaded it.
HICON& ControllerIcon();

// A dialog of the install controller. While it is up its window is on the window stack, so that the
// boxes it opens are owned by it; F1 and its help button show help for it, and command 1234 answers
// its help context (0: the help binding's default topic). It carries the run's icon. Derived dialogs
// fill themselves in init() and see every other message in handle().
class controllerdialog : public dlgbox {
public:
  controllerdialog(int helpbutton, int helpcontext) : helpbutton_(helpbutton), helpcontext_(helpcontext) {}
  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) final;

protected:
  virtual INT_PTR init() = 0;
  virtual INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

private:
  int helpbutton_;
  int helpcontext_;
};
