#include <foundation/dialogs/msgbox.h>

#include <foundation/strings/formattext.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/checkfailed.h>
#include <foundation/windows/helpfile.h>
#include <foundation/windows/msgloop.h>
#include <foundation/windows/wndstack.h>

#include <kxlang/kxlangids.h>

#include <cstdarg>
#include <cstdio>

namespace {

constexpr CheckSite loopForModalBox{"MSGBOX", 225};
constexpr CheckSite closeModalBox{"MSGBOX", 243};

// Copies as much of the text as the field holds.
template <int N> void copyCut(char (&field)[N], const char* text) {
  std::snprintf(field, N, "%s", text ? text : "");
}

void loadCut(char (&field)[MsgButtonSize], UINT id) {
  char text[TextSize];
  LoadText(text, id);
  copyCut(field, text);
}

struct ButtonSet {
  int type;
  int count;
  UINT texts[2];
};

const ButtonSet buttonSets[] = {
    {MB_OK, 1, {TEXT_BUTTON_OK, 0}},
    {MB_OKCANCEL, 2, {TEXT_BUTTON_OK, TEXT_BUTTON_CANCEL}},
    {MB_YESNO, 2, {TEXT_BUTTON_YES, TEXT_BUTTON_NO}},
    {MB_RETRYCANCEL, 2, {TEXT_BUTTON_RETRY, TEXT_BUTTON_CANCEL}},
};

struct StdIcon {
  int type;
  LPCSTR icon;
};

const StdIcon stdIcons[] = {
    {MB_ICONHAND, IDI_HAND},
    {MB_ICONQUESTION, IDI_QUESTION},
    {MB_ICONEXCLAMATION, IDI_EXCLAMATION},
    {MB_ICONASTERISK, IDI_ASTERISK},
};

// The error box of every window operation, once message boxes exist.
const bool errorBoxInstalled = (SetErrorBoxSink(ShowErrorBox), true);

} // namespace

msgbox::msgbox() {
  caption_[0] = text_[0] = 0;
  for (auto& text : buttonText_)
    text[0] = 0;
}

msgbox::~msgbox() { freeicon(); }

void msgbox::settextf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  copyCut(text_, FormatText(format, args, sizeof text_).c_str());
  va_end(args);
}

void msgbox::setbutton(int index, const char* text) { copyCut(buttonText_[index], text); }

void msgbox::setbuttons(int type) {
  for (const ButtonSet& set : buttonSets) {
    if (set.type != type)
      continue;
    buttons_ = set.count;
    for (int i = 0; i < set.count; ++i)
      loadCut(buttonText_[i], set.texts[i]);
    escape_ = MsgFirstButton + set.count - 1;
    return;
  }
}

void msgbox::setbuttons1(const char* first) {
  buttons_ = 1;
  setbutton(0, first);
}

void msgbox::setbuttons2(const char* first, const char* second) {
  buttons_ = 2;
  setbutton(0, first);
  setbutton(1, second);
}

void msgbox::setbuttons3(const char* first, const char* second, const char* third) {
  buttons_ = 3;
  setbutton(0, first);
  setbutton(1, second);
  setbutton(2, third);
}

void msgbox::setstdicon(int type) {
  for (const StdIcon& entry : stdIcons) {
    if (entry.type != type)
      continue;
    freeicon();
    icon_ = LoadIconA(nullptr, entry.icon);
    return;
  }
}

void msgbox::seticonres(LPCSTR name) {
  freeicon();
  icon_ = LoadIconA(ResourceModule(), name);
  iconOwned_ = icon_ != nullptr;
}

void msgbox::seticon(HICON icon) {
  freeicon();
  icon_ = icon;
}

void msgbox::freeicon() {
  if (iconOwned_ && icon_)
    DestroyIcon(icon_);
  iconOwned_ = 0;
  icon_ = nullptr;
}

int msgbox::show(const char* caption, int modal, int centre) {
  return ShowMessageBox(*this, WindowStack().top(), caption, modal, centre);
}

int ShowMessageBox(msgbox& box, HWND owner, const char* caption, int modal, int centre) {
  if (caption && *caption) {
    copyCut(box.caption_, caption);
  } else {
    char text[TextSize];
    LoadText(text, TEXT_ERROR);
    copyCut(box.caption_, text);
  }
  box.modal_ = modal;
  box.centre_ = centre;
  box.result_ = -1;
  char name[16];
  std::snprintf(name, sizeof name, "dlgmsgbox%d", box.buttons_ + (box.helpid_ ? 1 : 0));
  if (modal)
    return static_cast<int>(RunDialog(box, owner, name));
  if (!CreateModelessDialog(box, owner, name))
    return -1;
  ShowWindow(box.hwnd(), SW_SHOW);
  MessageLoop().adddialog(box.hwnd());
  return box.runloop();
}

int msgbox::runloop() {
  if (!CheckFailed(loopForModalBox, !modal_))
    return -1;
  MSG message;
  // A box whose window went away has no answer to wait for.
  while (result_ == -1 && hwnd()) {
    BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // The program is ending: the quit belongs to the loop that owns the program.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1)
      break;
    MessageLoop().dispatch(message);
  }
  return result_;
}

void msgbox::close() {
  if (!CheckFailed(closeModalBox, !modal_))
    return;
  MessageLoop().removedialog(hwnd());
  if (hwnd())
    DestroyWindow(hwnd());
}

void msgbox::end(int index) {
  if (modal_)
    EndDialog(hwnd(), index);
  else
    result_ = index;
}

int msgbox::command(int id) {
  if (helpid_ && id == MsgFirstButton + buttons_) {
    EngineHelp().showactive();
    return 1;
  }
  if (id == IDOK) {
    if (buttons_ > 0)
      end(0);
    return 1;
  }
  if (id == IDCANCEL) {
    if (escape_ != -1)
      end(escape_ - MsgFirstButton);
    return 1;
  }
  if (id == HelpIdCommand) {
    if (!helpid_)
      return 0;
    SetWindowLongPtrA(hwnd(), DWLP_MSGRESULT, helpid_);
    return 1;
  }
  if (id >= MsgFirstButton && id < MsgFirstButton + buttons_) {
    end(id - MsgFirstButton);
    return 1;
  }
  return 0;
}

INT_PTR msgbox::dlgproc(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_COMMAND)
    return command(LOWORD(wParam));
  // However its window goes, the loop must not keep a modeless box's dead handle.
  if (message == WM_DESTROY && !modal_)
    MessageLoop().removedialog(hwnd());
  if (message != WM_INITDIALOG)
    return 0;
  SetWindowTextA(hwnd(), caption_);
  SetDlgItemTextA(hwnd(), IDC_MSGBOX_TEXT, text_);
  if (icon_) {
    SendDlgItemMessageA(hwnd(), IDC_MSGBOX_ICON, STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
    ShowWindow(GetDlgItem(hwnd(), IDC_MSGBOX_ICON), SW_SHOW);
  }
  for (int i = 0; i < buttons_; ++i)
    SetDlgItemTextA(hwnd(), MsgFirstButton + i, buttonText_[i]);
  if (helpid_) {
    char text[TextSize];
    LoadText(text, TEXT_BUTTON_HELP);
    SetDlgItemTextA(hwnd(), MsgFirstButton + buttons_, text);
  }
  if (centre_)
    center();
  if (default_ == MsgFirstButton || default_ >= MsgFirstButton + buttons_)
    return 1;
  SendMessageA(hwnd(), DM_SETDEFID, static_cast<WPARAM>(default_), 0);
  SetFocus(GetDlgItem(hwnd(), default_));
  return 0;
}

void ShowErrorBox(HWND owner, const char* text) {
  msgbox box;
  box.settextf("%s", text);
  box.setstdicon(MB_ICONEXCLAMATION);
  box.setbuttons(MB_OK);
  ShowMessageBox(box, owner, "Error", 1, 1);
}
