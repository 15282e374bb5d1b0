#include <foundation/windows/awndobj.h>

#include <foundation/paths/fpath.h>
#include <foundation/strings/dynstr.h>
#include <foundation/strings/formattext.h>
#include <foundation/strings/numbertext.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/checkfailed.h>
#include <foundation/system/outofmemory.h>
#include <foundation/windows/dlgtemplate.h>
#include <foundation/windows/threedhook.h>

#include <climits>
#include <cstdarg>

namespace {

constexpr CheckSite lockOtherWindow{"AWNDOBJ", 69};

struct {
  int count = 0;
  HWND window = nullptr;
} lockState;

void systemErrorBox(HWND owner, const char* text) {
  MessageBoxA(owner, text, "Error", MB_OK | MB_ICONEXCLAMATION);
}

ErrorBoxSink errorBoxSink = systemErrorBox;

// The room of a window's formatted text and of an error box's.
constexpr std::size_t TextRoom = 512;

int readText(HWND window, char (&text)[256]) { return GetWindowTextA(window, text, sizeof text); }

int isChild(HWND window) { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_CHILD) != 0; }

INT_PTR CALLBACK handlesNothing(HWND, UINT, WPARAM, LPARAM) { return 0; }

RECT rectIn(HWND window, HWND parent) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

} // namespace

ErrorBoxSink SetErrorBoxSink(ErrorBoxSink sink) {
  ErrorBoxSink previous = errorBoxSink;
  errorBoxSink = sink ? sink : systemErrorBox;
  return previous;
}

int awndobj::lockupdate(int flag) {
  if (lockState.count > 0 && !CheckFailed(lockOtherWindow, lockState.window == hwnd()))
    return 0;
  if (flag) {
    if (lockState.count++ == 0) {
      lockState.window = hwnd();
      LockWindowUpdate(hwnd());
    }
    return 1;
  }
  if (lockState.count == 0)
    return 0;
  if (--lockState.count == 0) {
    lockState.window = nullptr;
    LockWindowUpdate(nullptr);
  }
  return 1;
}

int awndobj::gettext(dynstr& out, const char* required) {
  char text[256];
  readText(hwnd(), text);
  if (required && dynstr(text).isblank()) {
    hwndref(GetParent(hwnd())).fielderror(GetDlgCtrlID(hwnd()), "%s", required);
    return 0;
  }
  if (!out.set(text)) {
    FatalOutOfMemory(hwnd());
    return 0;
  }
  return 1;
}

int awndobj::gettext(fpath& out, const char* required) {
  dynstr text;
  if (!gettext(text, required))
    return 0;
  return out.set(text.str());
}

int awndobj::getlong(long& out) {
  char text[256];
  readText(hwnd(), text);
  long long value;
  if (!ParseSigned(text, LONG_MIN, LONG_MAX, value))
    return 0;
  out = static_cast<long>(value);
  return 1;
}

int awndobj::getint(int& out) {
  char text[256];
  readText(hwnd(), text);
  long long value;
  if (!ParseSigned(text, INT_MIN, INT_MAX, value))
    return 0;
  out = static_cast<int>(value);
  return 1;
}

int awndobj::getuint(unsigned& out) {
  char text[256];
  readText(hwnd(), text);
  unsigned long long value;
  if (!ParseUnsigned(text, 0, UINT_MAX, value))
    return 0;
  out = static_cast<unsigned>(value);
  return 1;
}

int awndobj::settextf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args, TextRoom);
  va_end(args);
  return SetWindowTextA(hwnd(), text.c_str());
}

void awndobj::center(HWND over) {
  if (!over)
    over = GetParent(hwnd());
  if (!over)
    over = GetDesktopWindow();
  RECT rect;
  GetWindowRect(over, &rect);
  centerat((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

void awndobj::centerat(int x, int y) {
  int w = width(), h = height();
  int left = x - w / 2, top = y - h / 2;
  int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (left + w > screenWidth - 1)
    left = screenWidth - 1 - w;
  if (top + h > screenHeight - 1)
    top = screenHeight - 1 - h;
  if (left < 0)
    left = 0;
  if (top < 0)
    top = 0;
  POINT corner{left, top};
  if (isChild(hwnd()))
    ScreenToClient(GetParent(hwnd()), &corner);
  MoveWindow(hwnd(), corner.x, corner.y, w, h, FALSE);
}

void awndobj::resizecentered(int newWidth, int newHeight, int repaint) {
  if (newWidth == 0 || newHeight == 0 || (newWidth == width() && newHeight == height()))
    return;
  RECT rect;
  getrect(rect);
  int x = (rect.left + rect.right) / 2, y = (rect.top + rect.bottom) / 2;
  MoveWindow(hwnd(), x - newWidth / 2, y - newHeight / 2, newWidth, newHeight, repaint);
}

void awndobj::setclientsize(int newWidth, int newHeight, int hasMenu) {
  if (clientwidth() == newWidth && clientheight() == newHeight)
    return;
  RECT frame{0, 0, newWidth, newHeight};
  AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongPtrA(hwnd(), GWL_STYLE)), hasMenu);
  RECT rect;
  getrect(rect);
  MoveWindow(hwnd(), rect.left, rect.top, frame.right - frame.left, frame.bottom - frame.top,
             isChild(hwnd()));
}

void awndobj::fitto(HWND other, int hasMenu) {
  hwndref target(other);
  int w = target.width(), h = target.height();
  MoveWindow(other, 0, 0, w, h, TRUE);
  setclientsize(w, h, hasMenu);
}

void awndobj::getrect(RECT& out) const {
  out = rectIn(hwnd(), isChild(hwnd()) ? GetParent(hwnd()) : nullptr);
}

int awndobj::width() const {
  RECT rect;
  GetWindowRect(hwnd(), &rect);
  return rect.right - rect.left;
}

int awndobj::height() const {
  RECT rect;
  GetWindowRect(hwnd(), &rect);
  return rect.bottom - rect.top;
}

int awndobj::clientwidth() const {
  RECT rect;
  GetClientRect(hwnd(), &rect);
  return rect.right;
}

int awndobj::clientheight() const {
  RECT rect;
  GetClientRect(hwnd(), &rect);
  return rect.bottom;
}

DWORD awndobj::extent() const {
  RECT rect;
  if (isclass("COMBOBOX"))
    SendMessageA(hwnd(), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rect));
  else
    GetWindowRect(hwnd(), &rect);
  return MakeLong(rect.right - rect.left, rect.bottom - rect.top);
}

int awndobj::isclass(const char* name) const {
  char className[40];
  if (!GetClassNameA(hwnd(), className, sizeof className))
    return 0;
  return lstrcmpiA(className, name) == 0;
}

void awndobj::setzorder(HWND after, UINT flags) {
  SetWindowPos(hwnd(), after, 0, 0, 0, 0, flags | SWP_NOSIZE | SWP_NOMOVE);
}

HWND awndobj::sibling(int n) const {
  HWND window = hwnd();
  for (; n > 0 && window; --n)
    window = GetWindow(window, GW_HWNDNEXT);
  for (; n < 0 && window; ++n)
    window = GetWindow(window, GW_HWNDPREV);
  return window;
}

LRESULT awndobj::sendcommand(LPARAM lParam, int id, int code) {
  return SendMessageA(hwnd(), WM_COMMAND, MakeLong(id, code), lParam);
}

BOOL awndobj::postcommand(LPARAM lParam, int id, int code) {
  return PostMessageA(hwnd(), WM_COMMAND, MakeLong(id, code), lParam);
}

LRESULT awndobj::notifyparent(int code) {
  return SendMessageA(GetParent(hwnd()), WM_COMMAND, MakeLong(GetDlgCtrlID(hwnd()), code),
                      reinterpret_cast<LPARAM>(hwnd()));
}

BOOL awndobj::postparent(int code) {
  return PostMessageA(GetParent(hwnd()), WM_COMMAND, MakeLong(GetDlgCtrlID(hwnd()), code),
                      reinterpret_cast<LPARAM>(hwnd()));
}

void awndobj::minimize() { DefWindowProcA(hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); }

void awndobj::maximize() { DefWindowProcA(hwnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0); }

POINT awndobj::permilletoscreen(POINT point) const {
  POINT screen{MulDiv(point.x, clientwidth(), 1000), MulDiv(point.y, clientheight(), 1000)};
  ClientToScreen(hwnd(), &screen);
  return screen;
}

int awndobj::permillex(int x) const { return permilletoscreen(POINT{x, 0}).x; }

int awndobj::permilley(int y) const { return permilletoscreen(POINT{0, y}).y; }

void awndobj::fielderror(int item, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args, TextRoom);
  va_end(args);
  errorbox("%s", text.c_str());
  SetFocus(GetDlgItem(hwnd(), item));
}

void awndobj::errorbox(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = FormatText(format, args, TextRoom);
  va_end(args);
  errorBoxSink(hwnd(), text.c_str());
}

void awndobj::invalidateitem(int item) {
  RECT rect = rectIn(GetDlgItem(hwnd(), item), hwnd());
  InvalidateRect(hwnd(), &rect, TRUE);
}

void awndobj::moveitems(int anchorA, int count, int anchorB, int show, int skipA, int skipB) {
  hwndref itemA(GetDlgItem(hwnd(), anchorA)), itemB(GetDlgItem(hwnd(), anchorB));
  RECT rectA = rectIn(itemA.hwnd(), hwnd()), rectB = rectIn(itemB.hwnd(), hwnd());
  HWND control = itemB.sibling(skipB);
  HWND after = itemA.sibling(skipA);
  for (int i = 0; i < count && control; ++i) {
    HWND next = GetWindow(control, GW_HWNDNEXT);
    RECT rect = rectIn(control, hwnd());
    int x = rectA.left + rect.left - rectB.left, y = rectA.top + rect.top - rectB.top;
    SetWindowPos(control, after, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    after = control;
    control = next;
  }
  RECT area = show ? rectA : rectB;
  InvalidateRect(hwnd(), &area, TRUE);
  UpdateWindow(hwnd());
}

int awndobj::clonecontrols(LPCSTR templateName, int anchor, int visible) {
  HMODULE module = FindDialogTemplate(templateName);
  HWND source = module ? CreateDialogParamA(module, templateName, hwnd(), handlesNothing, 0) : nullptr;
  if (!source)
    return 0;
  HWND anchorWindow = GetDlgItem(hwnd(), anchor);
  RECT anchorRect = rectIn(anchorWindow, hwnd());
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(anchorWindow, WM_GETFONT, 0, 0));
  HWND first = GetWindow(source, GW_CHILD);
  RECT firstRect = first ? rectIn(first, source) : RECT{};
  HWND after = anchorWindow;
  int made = 0;
  for (HWND child = first ? GetWindow(first, GW_HWNDNEXT) : nullptr; child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    hwndref control(child);
    char className[40], text[256];
    GetClassNameA(child, className, sizeof className);
    GetWindowTextA(child, text, sizeof text);
    DWORD style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
    if (control.isclass("EDIT"))
      style |= WS_BORDER;
    if (control.isclass("COMBOBOX"))
      style |= WS_VSCROLL;
    style = visible ? style | WS_VISIBLE : style & ~WS_VISIBLE;
    RECT rect = rectIn(child, source);
    DWORD size = control.extent();
    HWND copy = CreateWindowExA(0, className, text, style, anchorRect.left + rect.left - firstRect.left,
                                anchorRect.top + rect.top - firstRect.top, LoWord(size), HiWord(size), hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(child))),
                                EngineModule(), nullptr);
    if (!copy)
      continue;
    SendMessageA(copy, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ApplyThreeDLook(copy);
    SetWindowPos(copy, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = copy;
    ++made;
  }
  InvalidateRect(hwnd(), &anchorRect, TRUE);
  DestroyWindow(source);
  return made;
}

void awndobj::destroycontrols(int anchor, int count) {
  HWND anchorWindow = GetDlgItem(hwnd(), anchor);
  for (int i = 0; i < count; ++i) {
    HWND next = GetWindow(anchorWindow, GW_HWNDNEXT);
    if (!next)
      return;
    DestroyWindow(next);
  }
}
