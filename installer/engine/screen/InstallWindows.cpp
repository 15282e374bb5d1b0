#include <engine/screen/InstallWindows.h>

#include <engine/dialogs/ControllerDialog.h>

#include <foundation/drawing/bmpsrc.h>
#include <foundation/strings/textresource.h>
#include <foundation/windows/msgloop.h>
#include <foundation/windows/wndstack.h>

#include <kxlang/kxlangids.h>

#include <shellapi.h>

#include <algorithm>

namespace {

constexpr int HelpCommand = 200;
constexpr int HelpValue = 200;
constexpr int HelpDefaultTopic = 8;

userwndclass iconClass(HICON icon) {
  userwndclass description;
  description.name = "wndclassic";
  description.cursor = LoadCursor(nullptr, IDC_ARROW);
  description.icon = icon;
  return description;
}

struct CloseSearch {
  HWND skip;
  HWND found;
};

BOOL CALLBACK findClosable(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<CloseSearch*>(parameter);
  if (window == search->skip || !CloseEnabled(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

} // namespace

HWND PopupAncestor(HWND window) {
  for (; window; window = GetParent(window))
    if (GetWindowLongA(window, GWL_STYLE) & WS_POPUP)
      return window;
  return nullptr;
}

int CloseEnabled(HWND window) {
  UINT state = GetMenuState(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND);
  return state != static_cast<UINT>(-1) && !(state & (MF_GRAYED | MF_DISABLED));
}

int BillboardStep(int percent, int steps) {
  if (steps <= 0)
    return -1;
  return std::min(steps - 1, std::max(0, percent) * steps / 100);
}

// --- The icon window ---------------------------------------------------------------------------------

int IconWindow::create(HICON icon, const char* caption) {
  userwndclass description = iconClass(icon);
  if (!description.registerclass() && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    return 0;
  wndcreate parameters;
  parameters.x = 0;
  parameters.y = 0;
  parameters.width = 100;
  parameters.height = 100;
  parameters.title = caption;
  parameters.parent = GetDesktopWindow();
  parameters.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
  if (!userwnd::create(description, parameters))
    return 0;
  // The class may be left from an earlier run with another icon.
  SendMessageA(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ShowWindow(hwnd(), SW_SHOWMINNOACTIVE);
  ShowWindow(hwnd(), SW_HIDE);
  return 1;
}

LRESULT IconWindow::wndproc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == HelpCommand) {
    EngineHelp().showfor(hwnd());
    return 0;
  }
  if (message == WM_SYSCOMMAND) {
    switch (wParam & 0xFFF0) {
    case SC_RESTORE:
    case SC_MAXIMIZE:
      windows_.restore();
      return 0;
    case SC_CLOSE:
      windows_.restore();
      windows_.exit(windows_.screenwindow());
      return 0;
    }
  }
  return DefWindowProcA(hwnd(), message, wParam, lParam);
}

// --- The run's windows ---------------------------------------------------------------------------------

InstallWindows::~InstallWindows() { close(); }

void InstallWindows::setrun(const char* engineFolder, const char* product) {
  engineFolder_ = engineFolder;
  product_ = product;
}

int InstallWindows::realizescreen(const InstallScreenSettings& settings) {
  settings_ = &settings;
  screen_ = std::make_unique<InstallScreen>(settings);
  return screen_->realize(*this);
}

void InstallWindows::loadicon(const char* folder) {
  std::string file = std::string(folder) + "\\kxmain.ico";
  HICON extracted = ExtractIconA(GetModuleHandleA(nullptr), file.c_str(), 0);
  // 1 answers a file that is no icon.
  iconOwned_ = reinterpret_cast<ULONG_PTR>(extracted) > 1;
  icon_ = iconOwned_ ? extracted : LoadIconA(EngineModule(), "ICONSETUP");
  // The run's dialogs show it too.
  ControllerIcon() = icon_;
}

int InstallWindows::createiconwindow() {
  iconWindow_ = std::make_unique<IconWindow>(*this);
  return iconWindow_->create(icon_, (TextOf(TEXT_ICON_CAPTION) + product_).c_str());
}

void InstallWindows::bindhelp(const char* folder, const char* languageCode) {
  std::string file = std::string(folder) + "\\kx" + languageCode + ".hlp";
  EngineHelp().set(iconwindow(), file.c_str(), HelpValue, HelpDefaultTopic);
  MessageLoop().sethook(&helpHook_);
  helpBound_ = 1;
}

void InstallWindows::close() {
  hideprogress();
  if (helpBound_) {
    EngineHelp().close();
    EngineHelp().owner = nullptr;
    MessageLoop().sethook(nullptr);
    helpBound_ = 0;
  }
  iconWindow_.reset();
  if (icon_ && ControllerIcon() == icon_)
    ControllerIcon() = nullptr;
  if (icon_ && iconOwned_)
    DestroyIcon(icon_);
  icon_ = nullptr;
  iconOwned_ = 0;
  if (screen_)
    screen_->hide();
  screen_.reset();
  settings_ = nullptr;
}

int InstallWindows::showprogress(int* abortFlag) {
  hideprogress();
  progress_ = std::make_unique<progdlg>();
  progress_->owner = screenwindow();
  progress_->cancel = abortFlag;
  progress_->icon = icon_;
  if (!progress_->create()) {
    progress_.reset();
    return 0;
  }
  if (screenwindow())
    progress_->center(screenwindow());
  WindowStack().push(progress_->hwnd());
  MessageLoop().adddialog(progress_->hwnd());
  percent_ = -1;
  showpercent(0);
  return 1;
}

void InstallWindows::hideprogress() {
  if (!progress_)
    return;
  MessageLoop().removedialog(progress_->hwnd());
  WindowStack().pop();
  progress_->destroy();
  progress_.reset();
}

void InstallWindows::showpercent(int percent) {
  if (percent != percent_) {
    percent_ = percent;
    if (progress_)
      progress_->setpercent(percent);
    if (iconWindow_ && iconWindow_->hwnd())
      iconWindow_->settextf(TextOf(TEXT_PERCENT_CAPTION).c_str(), percent);
  }
  if (screen_)
    screen_->activitytick();
}

void InstallWindows::restore() {
  if (iconwindow())
    ShowWindow(iconwindow(), SW_HIDE);
  if (!screenwindow())
    return;
  ShowWindow(screenwindow(), SW_SHOW);
  ShowOwnedPopups(screenwindow(), TRUE);
}

// --- The screen's host ---------------------------------------------------------------------------------

int InstallWindows::metafilepath(fpath& out) {
  return settings_ && out.set(settings_->metafile.path.c_str()) &&
         fpath::movetodir(out, cpathref(engineFolder_.c_str()));
}

int InstallWindows::bitmappath(const PictureSource& source, fpath& out) {
  bmpsrc copy;
  copy.mode = source.mode;
  return copy.path.set(source.path.c_str()) && fpath::movetodir(copy.path, cpathref(engineFolder_.c_str())) &&
         copy.pickfile(out);
}

int InstallWindows::backgroundpath(fpath& out) { return settings_ && bitmappath(settings_->background, out); }

int InstallWindows::picturepath(fpath& out) {
  return settings_ && bitmappath(settings_->picture.source, out);
}

// Closes the window the user was in, or else the first window of the run that can be closed; never the
// icon window, whose close comes back here.
void InstallWindows::exit(HWND focus) {
  HWND popup = PopupAncestor(focus);
  if (popup && CloseEnabled(popup)) {
    PostMessageA(popup, WM_SYSCOMMAND, SC_CLOSE, 0);
    return;
  }
  CloseSearch search{iconwindow(), nullptr};
  EnumThreadWindows(GetCurrentThreadId(), findClosable, reinterpret_cast<LPARAM>(&search));
  if (search.found)
    PostMessageA(search.found, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void InstallWindows::help(HWND focus) { EngineHelp().showfor(PopupAncestor(focus)); }

void InstallWindows::minimize() {
  if (!screenwindow() || !iconwindow())
    return;
  ShowOwnedPopups(screenwindow(), FALSE);
  ShowWindow(screenwindow(), SW_HIDE);
  ShowWindow(iconwindow(), SW_SHOWMINIMIZED);
}

HMODULE InstallWindows::bitmapmodule() { return EngineModule(); }

// Dialogs shown while the screen is up are owned by it.
LRESULT InstallWindows::message(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND screen = screenwindow();
  if (message == WM_CREATE)
    WindowStack().push(screen);
  else if (message == WM_DESTROY)
    WindowStack().pop();
  return DefWindowProcA(screen, message, wParam, lParam);
}
