#pragma once

#include <foundation/paths/fpath.h>
#include <foundation/strings/dynstr.h>
#include <foundation/windows/awndobj.h>

#include <windows.h>

#include <climits>

// Data exchange between dialog items and the program's variables. A `dactrl` ties one item to one
// variable through a typed holder and checks the item's content against a `davalid` before storing it.
// An optional holder gives the item an enabling check box beside it; a cleared box switches the value
// off instead of storing it.

enum DataKind { DataInt, DataUint, DataUlong, DataDynstr, DataChars, DataPath };
enum ControlKind { ControlEdit, ControlCombo, ControlButton, ControlHeld };

class daholder {
public:
  virtual ~daholder() = default;
  virtual int kind() const = 0;

  int optional = 0;
  int off = 0;
};

template <class T, int Kind> class datyped : public daholder {
public:
  int kind() const override { return Kind; }
  T* variable = nullptr;
};

using daint = datyped<int, DataInt>;
using dauint = datyped<unsigned, DataUint>;
using daulong = datyped<unsigned long, DataUlong>;
using dadynstr = datyped<dynstr, DataDynstr>;
using dapath = datyped<fpath, DataPath>;

// A character array, bound with its size: a longer text fails validation.
class dachars : public daholder {
public:
  int kind() const override { return DataChars; }
  char* variable = nullptr;
  int size = 0;
};

class dactrl;

class davalid {
public:
  virtual ~davalid() = default;
  // Control to variable; a failure is shown on the control and answers 0, the variable unchanged.
  virtual int check(dactrl& control, daholder& holder);
  // Variable to control.
  virtual void load(dactrl& control, daholder& holder);

  void setint(const char* message, int minimum, int maximum);
  void setuint(const char* message, unsigned minimum, unsigned maximum);
  void setulong(const char* message, unsigned long minimum, unsigned long maximum);
  void settextlen(const char* message, int minimum, int maximum);

  int intmin = INT_MIN;
  int intmax = INT_MAX;
  unsigned uintmin = 0;
  unsigned uintmax = 0xFFFFFFFF;
  int textmin = 0;
  int textmax = 512;
  unsigned long ulongmin = 0;
  unsigned long ulongmax = 0xFFFFFFFF;
  dynstr message;

private:
  int checkedit(HWND window, daholder& holder);
  int storetext(HWND window, daholder& holder);
  int fail(HWND window);
};

class dactrl {
public:
  dactrl() = default;
  dactrl(const dactrl&) = delete;
  dactrl& operator=(const dactrl&) = delete;
  virtual ~dactrl();

  virtual int kind() const = 0;
  // The enabling check box is cleared.
  virtual int isoff();
  // 1 when the command belongs to this control.
  virtual int command(UINT message, WPARAM wParam, LPARAM lParam);
  virtual void clear() = 0;
  virtual void addoptional() { addcheckbox(); }
  virtual void removeoptional() { removecheckbox(); }
  void setcheck(int flag);
  // Loads the value when the box is ticked.
  virtual void switchon();
  // The 32-bit value a control of kind ControlHeld keeps itself.
  virtual DWORD heldvalue() { return 0; }
  virtual void setheldvalue(DWORD) {}

  // Takes the item and owns the constraint.
  void attach(HWND dialog, int item, davalid* constraint);
  void bind(daholder* holder);
  void bindint(int* variable);
  void binduint(unsigned* variable);
  void bindulong(unsigned long* variable);
  void bindchars(char* variable, int size);
  template <int N> void bindchars(char (&variable)[N]) { bindchars(variable, N); }
  void binddynstr(dynstr* variable);
  void bindpath(fpath* variable);

  int transfer();
  void loadvalue();
  int validate();
  int oncommand(UINT message, WPARAM wParam, LPARAM lParam);
  void enable(int flag) { EnableWindow(window_.hwnd(), flag); }
  void settext(const char* text);
  void addstringf(const char* format, ...);
  void selectfirst();
  int isclicked(UINT message, WPARAM wParam, LPARAM lParam) const;
  void setthreestate();
  void settwostate();
  int checkboxid() const { return (item_ + 3000) & 0xFFFF; }
  void addcheckbox();
  void removecheckbox();
  int checkcommand(UINT message, WPARAM wParam, LPARAM lParam);
  int getheld();
  int setheld();

  const hwndref& window() const { return window_; }
  int item() const { return item_; }
  int changed() const { return changed_; }
  void clearchanged() { changed_ = 0; }
  daholder* holder() const { return holder_; }

private:
  HWND checkbox() const;
  daulong* heldholder(int checkLine);

  daint int_;
  dauint uint_;
  daulong ulong_;
  dadynstr dynstr_;
  dachars chars_;
  dapath path_;
  int changed_ = 0;
  hwndref window_;
  int item_ = 0;
  davalid* constraint_ = nullptr;
  daholder* holder_ = nullptr;
  int formerWidth_ = 0;
  int formerHeight_ = 0;
};

class daedit : public dactrl {
public:
  int kind() const override { return ControlEdit; }
  int command(UINT message, WPARAM wParam, LPARAM lParam) override;
  void clear() override;
};

// An edit that can carry an enabling check box and counts only focus and the box as the user's
// changes: typing follows focus, so a field the user never entered keeps its variable. Ticking the box
// leaves the text as the user left it.
class daoptedit : public dactrl {
public:
  int kind() const override { return ControlEdit; }
  void clear() override;
  void switchon() override {}
};

class dacombo : public dactrl {
public:
  int kind() const override { return ControlCombo; }
  int command(UINT message, WPARAM wParam, LPARAM lParam) override;
  void clear() override;
};

class dabutton : public dactrl {
public:
  int kind() const override { return ControlButton; }
  int command(UINT message, WPARAM wParam, LPARAM lParam) override;
  void clear() override;
};

// The controls of one dialog: at most 59, the list ended by a null entry.
constexpr int ControlListSize = 60;

struct controllist {
  dactrl* items[ControlListSize] = {};
};

void ClearControlList(controllist& list);
// 0 when the list is full.
int AddControl(controllist& list, dactrl* control);
int AnyChanged(const controllist& list);
int ValidateAll(controllist& list);
int ValidateControls(controllist& list);
void ClearChangedAll(controllist& list);
void ClearAllControls(controllist& list);
void EnableAllControls(controllist& list, int flag);
int DispatchToControls(controllist* list, UINT message, WPARAM wParam, LPARAM lParam);
void UnbindAllControls(controllist& list);
