#include <foundation/windows/dactrl.h>

#include <foundation/strings/formattext.h>
#include <foundation/strings/numbertext.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/checkfailed.h>
#include <foundation/windows/dlgbox.h>
#include <foundation/windows/threedhook.h>

#include <kxlang/kxlangids.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

// The room of a formatted combo box item: longer ones are cut.
constexpr std::size_t ComboItemRoom = 256;

constexpr CheckSite getheldKind{"DACTRLS", 723};
constexpr CheckSite getheldData{"DACTRLS", 724};
constexpr CheckSite setheldKind{"DACTRLS", 731};
constexpr CheckSite setheldData{"DACTRLS", 732};
constexpr CheckSite controlTwice{"DACTRLS", 780};
constexpr CheckSite listFull{"DACTRLS", 782};

constexpr int CheckboxStyle = 0x50010003;

int readNumberText(HWND window, char (&text)[256]) { return GetWindowTextA(window, text, sizeof text); }

int storeIndex(daholder& holder, LRESULT value) {
  switch (holder.kind()) {
  case DataInt:
    *static_cast<daint&>(holder).variable = static_cast<int>(value);
    return 1;
  case DataUint:
    *static_cast<dauint&>(holder).variable = static_cast<unsigned>(value);
    return 1;
  case DataUlong:
    *static_cast<daulong&>(holder).variable = static_cast<unsigned long>(value);
    return 1;
  }
  return 0;
}

WPARAM indexOf(daholder& holder) {
  switch (holder.kind()) {
  case DataInt:
    return static_cast<WPARAM>(*static_cast<daint&>(holder).variable);
  case DataUint:
    return *static_cast<dauint&>(holder).variable;
  case DataUlong:
    return *static_cast<daulong&>(holder).variable;
  }
  return 0;
}

} // namespace

// --- davalid ---

void davalid::setint(const char* text, int minimum, int maximum) {
  message.set(text);
  intmin = minimum;
  intmax = maximum;
}

void davalid::setuint(const char* text, unsigned minimum, unsigned maximum) {
  message.set(text);
  uintmin = minimum;
  uintmax = maximum;
}

void davalid::setulong(const char* text, unsigned long minimum, unsigned long maximum) {
  message.set(text);
  ulongmin = minimum;
  ulongmax = maximum;
}

void davalid::settextlen(const char* text, int minimum, int maximum) {
  message.set(text);
  textmin = minimum;
  textmax = maximum;
}

int davalid::check(dactrl& control, daholder& holder) {
  HWND window = control.window().hwnd();
  int stored = 0;
  switch (control.kind()) {
  case ControlEdit:
    stored = checkedit(window, holder);
    break;
  case ControlCombo: {
    LRESULT selection = SendMessageA(window, CB_GETCURSEL, 0, 0);
    stored = selection != CB_ERR && storeIndex(holder, selection);
    break;
  }
  case ControlButton:
    stored = storeIndex(holder, SendMessageA(window, BM_GETCHECK, 0, 0));
    break;
  }
  return stored ? 1 : fail(window);
}

int davalid::checkedit(HWND window, daholder& holder) {
  char text[256];
  switch (holder.kind()) {
  case DataInt: {
    long long value;
    readNumberText(window, text);
    if (!ParseSigned(text, intmin, intmax, value))
      return 0;
    *static_cast<daint&>(holder).variable = static_cast<int>(value);
    return 1;
  }
  case DataUint: {
    unsigned long long value;
    readNumberText(window, text);
    if (!ParseUnsigned(text, uintmin, uintmax, value))
      return 0;
    *static_cast<dauint&>(holder).variable = static_cast<unsigned>(value);
    return 1;
  }
  case DataUlong: {
    unsigned long long value;
    readNumberText(window, text);
    if (!ParseUnsigned(text, ulongmin, ulongmax, value))
      return 0;
    *static_cast<daulong&>(holder).variable = static_cast<unsigned long>(value);
    return 1;
  }
  }
  return storetext(window, holder);
}

int davalid::storetext(HWND window, daholder& holder) {
  int length = GetWindowTextLengthA(window);
  int maximum = textmax;
  // A holder never takes more than it holds: a longer text fails instead of being cut or refused late.
  if (holder.kind() == DataChars && maximum > static_cast<dachars&>(holder).size - 1)
    maximum = static_cast<dachars&>(holder).size - 1;
  if (holder.kind() == DataPath && maximum > PathSize - 1)
    maximum = PathSize - 1;
  if (length < textmin || length > maximum)
    return 0;
  char* text = static_cast<char*>(std::malloc(static_cast<size_t>(length) + 1));
  if (!text)
    return 0;
  GetWindowTextA(window, text, length + 1);
  int stored = 0;
  switch (holder.kind()) {
  case DataDynstr:
    stored = static_cast<dadynstr&>(holder).variable->set(text);
    break;
  case DataChars:
    std::snprintf(static_cast<dachars&>(holder).variable, static_cast<size_t>(maximum) + 1, "%s", text);
    stored = 1;
    break;
  case DataPath:
    stored = static_cast<dapath&>(holder).variable->set(text);
    break;
  }
  std::free(text);
  return stored;
}

int davalid::fail(HWND window) {
  char text[TextSize];
  if (message.isblank())
    LoadText(text, TEXT_INVALID_VALUE);
  else
    std::snprintf(text, sizeof text, "%s", message.str());
  hwndref(GetParent(window)).fielderror(GetDlgCtrlID(window), "%s", text);
  return 0;
}

void davalid::load(dactrl& control, daholder& holder) {
  hwndref window(control.window().hwnd());
  switch (control.kind()) {
  case ControlEdit:
    switch (holder.kind()) {
    case DataInt:
      window.settextf("%d", *static_cast<daint&>(holder).variable);
      return;
    case DataUint:
      window.settextf("%u", *static_cast<dauint&>(holder).variable);
      return;
    case DataUlong:
      window.settextf("%lu", *static_cast<daulong&>(holder).variable);
      return;
    case DataDynstr:
      SetWindowTextA(window.hwnd(), static_cast<dadynstr&>(holder).variable->str());
      return;
    case DataChars:
      SetWindowTextA(window.hwnd(), static_cast<dachars&>(holder).variable);
      return;
    case DataPath:
      SetWindowTextA(window.hwnd(), static_cast<dapath&>(holder).variable->str());
      return;
    }
    return;
  case ControlCombo:
    SendMessageA(window.hwnd(), CB_SETCURSEL, indexOf(holder), 0);
    return;
  case ControlButton:
    SendMessageA(window.hwnd(), BM_SETCHECK, indexOf(holder), 0);
    return;
  }
}

// --- dactrl ---

dactrl::~dactrl() { delete constraint_; }

int dactrl::isoff() {
  HWND box = checkbox();
  return box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_UNCHECKED;
}

int dactrl::command(UINT message, WPARAM wParam, LPARAM lParam) {
  return checkcommand(message, wParam, lParam);
}

void dactrl::setcheck(int flag) {
  if (HWND box = checkbox())
    SendMessageA(box, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
}

void dactrl::switchon() {
  HWND box = checkbox();
  if (box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED)
    loadvalue();
}

void dactrl::attach(HWND dialog, int item, davalid* constraint) {
  delete constraint_;
  constraint_ = constraint;
  item_ = item;
  window_.set(GetDlgItem(dialog, item));
  changed_ = 0;
  holder_ = nullptr;
}

void dactrl::bind(daholder* holder) {
  changed_ = 0;
  int wasOptional = holder_ && holder_->optional;
  int isOptional = holder && holder->optional;
  holder_ = holder;
  if (!wasOptional && isOptional)
    addoptional();
  else if (wasOptional && !isOptional)
    removeoptional();
  if (!holder) {
    enable(0);
    clear();
  } else {
    enable(1);
    if (!holder->optional) {
      loadvalue();
    } else if (holder->off) {
      clear();
      setcheck(0);
    } else {
      loadvalue();
      setcheck(1);
    }
  }
  // Loading the control sends its change notices; they are not the user's changes.
  changed_ = 0;
}

void dactrl::bindint(int* variable) {
  int_.variable = variable;
  bind(&int_);
}

void dactrl::binduint(unsigned* variable) {
  uint_.variable = variable;
  bind(&uint_);
}

void dactrl::bindulong(unsigned long* variable) {
  ulong_.variable = variable;
  bind(&ulong_);
}

void dactrl::bindchars(char* variable, int size) {
  chars_.variable = variable;
  chars_.size = size;
  bind(&chars_);
}

void dactrl::binddynstr(dynstr* variable) {
  dynstr_.variable = variable;
  bind(&dynstr_);
}

void dactrl::bindpath(fpath* variable) {
  path_.variable = variable;
  bind(&path_);
}

int dactrl::transfer() { return constraint_ && holder_ ? constraint_->check(*this, *holder_) : 1; }

void dactrl::loadvalue() {
  if (constraint_ && holder_)
    constraint_->load(*this, *holder_);
}

int dactrl::validate() {
  if (!holder_ || !changed_)
    return 1;
  if (holder_->optional && isoff()) {
    holder_->off = 1;
  } else {
    if (!transfer())
      return 0;
    holder_->off = 0;
  }
  changed_ = 0;
  return 1;
}

int dactrl::oncommand(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!command(message, wParam, lParam))
    return 0;
  changed_ = 1;
  return 1;
}

void dactrl::settext(const char* text) {
  if (!holder_)
    return;
  SetWindowTextA(window_.hwnd(), text);
  if (holder_->optional)
    setcheck(1);
  changed_ = 1;
}

void dactrl::addstringf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args, ComboItemRoom);
  va_end(args);
  SendMessageA(window_.hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void dactrl::selectfirst() {
  SendMessageA(window_.hwnd(), CB_SETCURSEL, 0, 0);
  window_.notifyparent(CBN_SELCHANGE);
}

int dactrl::isclicked(UINT message, WPARAM wParam, LPARAM) const {
  return message == WM_COMMAND && LOWORD(wParam) == item_ && HIWORD(wParam) == BN_CLICKED;
}

void dactrl::setthreestate() {
  DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window_.hwnd(), GWL_STYLE));
  SendMessageA(window_.hwnd(), BM_SETSTYLE, (style & 0xFFF0) | BS_AUTO3STATE, TRUE);
}

void dactrl::settwostate() {
  DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window_.hwnd(), GWL_STYLE));
  SendMessageA(window_.hwnd(), BM_SETSTYLE, (style & 0xFFF0) | BS_AUTOCHECKBOX, TRUE);
}

HWND dactrl::checkbox() const { return GetDlgItem(GetParent(window_.hwnd()), checkboxid()); }

void dactrl::addcheckbox() {
  HWND control = window_.hwnd(), parent = GetParent(control);
  int box = DlgUnitsY(9);
  DWORD size = window_.extent();
  formerWidth_ = LoWord(size);
  formerHeight_ = HiWord(size);
  RECT rect;
  window_.getrect(rect);
  InvalidateRect(parent, &rect, TRUE);
  SetWindowPos(control, nullptr, 0, 0, formerWidth_ - box - 2, formerHeight_,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
  HWND check = CreateWindowExA(
      0, "BUTTON", "", CheckboxStyle, rect.right - box, (rect.top + rect.bottom - box) / 2, box, box, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(checkboxid())), EngineModule(), nullptr);
  if (!check)
    return;
  SetWindowPos(check, control, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOMOVE | SWP_NOSIZE);
  ApplyThreeDLook(check);
}

void dactrl::removecheckbox() {
  SetWindowPos(window_.hwnd(), nullptr, 0, 0, formerWidth_, formerHeight_,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (HWND box = checkbox())
    DestroyWindow(box);
}

int dactrl::checkcommand(UINT message, WPARAM wParam, LPARAM) {
  if (message != WM_COMMAND)
    return 0;
  int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == checkboxid() && code == BN_CLICKED) {
    if (SendMessageA(checkbox(), BM_GETCHECK, 0, 0) == BST_CHECKED)
      switchon();
    else
      clear();
    return 1;
  }
  if (id == item_ && (code == EN_SETFOCUS || code == CBN_SETFOCUS) && holder_) {
    if (holder_->optional)
      setcheck(1);
    return 1;
  }
  return 0;
}

daulong* dactrl::heldholder(int checkLine) {
  const CheckSite kindSite = checkLine == 723 ? getheldKind : setheldKind;
  const CheckSite dataSite = checkLine == 723 ? getheldData : setheldData;
  if (!CheckFailed(kindSite, kind() == ControlHeld))
    return nullptr;
  if (!CheckFailed(dataSite, holder_ && holder_->kind() == DataUlong))
    return nullptr;
  return static_cast<daulong*>(holder_);
}

int dactrl::getheld() {
  daulong* holder = heldholder(723);
  if (!holder)
    return 0;
  *holder->variable = heldvalue();
  return 1;
}

int dactrl::setheld() {
  daulong* holder = heldholder(731);
  if (!holder)
    return 0;
  setheldvalue(static_cast<DWORD>(*holder->variable));
  return 1;
}

// --- controls by kind ---

int daedit::command(UINT message, WPARAM wParam, LPARAM lParam) {
  if (dactrl::command(message, wParam, lParam))
    return 1;
  return message == WM_COMMAND && LOWORD(wParam) == item() && HIWORD(wParam) == EN_CHANGE;
}

void daedit::clear() { SetWindowTextA(window().hwnd(), ""); }

void daoptedit::clear() { SetWindowTextA(window().hwnd(), ""); }

int dacombo::command(UINT message, WPARAM wParam, LPARAM lParam) {
  if (dactrl::command(message, wParam, lParam))
    return 1;
  return message == WM_COMMAND && LOWORD(wParam) == item() && HIWORD(wParam) == CBN_SELCHANGE;
}

void dacombo::clear() { SendMessageA(window().hwnd(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0); }

int dabutton::command(UINT message, WPARAM wParam, LPARAM lParam) {
  if (dactrl::command(message, wParam, lParam))
    return 1;
  return isclicked(message, wParam, lParam);
}

void dabutton::clear() { SendMessageA(window().hwnd(), BM_SETCHECK, BST_UNCHECKED, 0); }

// --- control list ---

namespace {

int countOf(const controllist& list) {
  int count = 0;
  while (count < ControlListSize - 1 && list.items[count])
    ++count;
  return count;
}

} // namespace

void ClearControlList(controllist& list) {
  for (dactrl*& item : list.items)
    item = nullptr;
}

int AddControl(controllist& list, dactrl* control) {
  int count = countOf(list);
  for (int i = 0; i < count; ++i)
    CheckFailed(controlTwice, list.items[i] != control);
  if (!CheckFailed(listFull, count < ControlListSize - 1))
    return 0;
  list.items[count] = control;
  list.items[count + 1] = nullptr;
  return 1;
}

int AnyChanged(const controllist& list) {
  for (int i = 0; list.items[i]; ++i)
    if (list.items[i]->changed())
      return 1;
  return 0;
}

int ValidateAll(controllist& list) {
  for (int i = 0; list.items[i]; ++i)
    if (!list.items[i]->validate())
      return 0;
  return 1;
}

int ValidateControls(controllist& list) { return AnyChanged(list) ? ValidateAll(list) : 1; }

void ClearChangedAll(controllist& list) {
  for (int i = 0; list.items[i]; ++i)
    list.items[i]->clearchanged();
}

void ClearAllControls(controllist& list) {
  for (int i = 0; list.items[i]; ++i)
    list.items[i]->clear();
}

void EnableAllControls(controllist& list, int flag) {
  for (int i = 0; list.items[i]; ++i)
    list.items[i]->enable(flag);
}

int DispatchToControls(controllist* list, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!list)
    return 0;
  for (int i = 0; list->items[i]; ++i)
    if (list->items[i]->oncommand(message, wParam, lParam))
      return 1;
  return 0;
}

void UnbindAllControls(controllist& list) {
  for (int i = 0; list.items[i]; ++i)
    list.items[i]->bind(nullptr);
}
