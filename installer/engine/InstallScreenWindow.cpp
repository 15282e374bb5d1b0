#include "InstallScreenWindow.h"

#include <screeninfo.h>

namespace {

userwndclass screenClass() {
  userwndclass description;
  description.style = CS_HREDRAW | CS_VREDRAW;
  description.name = "wndclasskxbk";
  description.cursor = LoadCursor(nullptr, IDC_ARROW);
  return description;
}

userwndclass gadgetClass() {
  userwndclass description;
  description.name = "wndclasskxgadbtn";
  description.cursor = LoadCursor(nullptr, IDC_ARROW);
  return description;
}

// A class registered once per process; a second registration of the same name is no failure.
int ensureClass(const wndclass& description) {
  return description.registerclass() || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// The width and height in a .bmp file's headers, without its pixels.
int readBitmapSize(const char* path, SIZE& size) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return 0;
  BITMAPFILEHEADER header;
  BITMAPINFOHEADER info;
  DWORD n1 = 0, n2 = 0;
  int ok = ReadFile(file, &header, sizeof header, &n1, nullptr) && n1 == sizeof header &&
           ReadFile(file, &info, sizeof info, &n2, nullptr) && n2 == sizeof info && header.bfType == 0x4D42 &&
           info.biSize >= sizeof info && info.biWidth > 0 && info.biHeight != 0;
  CloseHandle(file);
  if (ok)
    size = SIZE{info.biWidth, info.biHeight < 0 ? -info.biHeight : info.biHeight};
  return ok;
}

} // namespace

int GadgetWindow::create(HWND owner, const RECT& rect) {
  userwndclass description = gadgetClass();
  if (!ensureClass(description))
    return 0;
  wndcreate parameters;
  parameters.x = rect.left;
  parameters.y = rect.top;
  parameters.width = rect.right - rect.left;
  parameters.height = rect.bottom - rect.top;
  parameters.parent = owner;
  parameters.style = WS_POPUP | WS_VISIBLE;
  return userwnd::create(description, parameters);
}

void GadgetWindow::repaint() {
  InvalidateRect(hwnd(), nullptr, FALSE);
  UpdateWindow(hwnd());
}

LRESULT GadgetWindow::wndproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_SETFOCUS:
    focus_ = reinterpret_cast<HWND>(wParam);
    return 0;
  case WM_LBUTTONDOWN:
    if (tracker_.press()) {
      SetCapture(hwnd());
      repaint();
    }
    return 0;
  case WM_MOUSEMOVE: {
    RECT client;
    GetClientRect(hwnd(), &client);
    POINT point{static_cast<short>(LoWord(static_cast<DWORD>(lParam))),
                static_cast<short>(HiWord(static_cast<DWORD>(lParam)))};
    if (tracker_.move(PtInRect(&client, point)))
      repaint();
    return 0;
  }
  case WM_LBUTTONUP: {
    if (tracker_.state() == 0)
      return 0;
    int changed;
    int sends = tracker_.release(changed);
    ReleaseCapture();
    repaint();
    if (sends)
      screen_.command(button_.command, focus_);
    return 0;
  }
  default:
    return DefWindowProcA(hwnd(), message, wParam, lParam);
  }
}

InstallScreen::InstallScreen(const InstallScreenSettings& settings) : settings_(settings) {}

InstallScreen::~InstallScreen() { hide(); }

int InstallScreen::createwindow() {
  userwndclass description = screenClass();
  description.icon = host_->icon();
  if (!ensureClass(description))
    return 0;
  screeninfo screen;
  SIZE bitmap{};
  if (settings_.sizingMode == 2 && !backgroundsize(bitmap))
    return 0;
  ScreenPlacement placement = PlaceScreen(settings_, SIZE{screen.width, screen.height}, bitmap);
  wndcreate parameters;
  parameters.parent = GetDesktopWindow();
  parameters.style = placement.style;
  parameters.x = placement.rect.left;
  parameters.y = placement.rect.top;
  if (!(placement.style & WS_MAXIMIZE)) {
    parameters.width = placement.rect.right - placement.rect.left;
    parameters.height = placement.rect.bottom - placement.rect.top;
  }
  if (!create(description, parameters))
    return 0;
  SetWindowTextA(hwnd(), host_->title());
  ShowWindow(hwnd(), SW_SHOW);
  return 1;
}

// The background bitmap's copy beside the engine, else the file the settings name.
int InstallScreen::backgroundsize(SIZE& size) {
  fpathbuf path;
  if (host_->backgroundpath(path) && readBitmapSize(path.str(), size))
    return 1;
  return readBitmapSize(settings_.background.path.c_str(), size);
}

int InstallScreen::realize(ScreenHost& host) {
  host_ = &host;
  if (!createwindow())
    return 0;
  const GadgetButton* buttons[3] = {&settings_.exitButton, &settings_.helpButton, &settings_.minimizeButton};
  RECT client;
  GetClientRect(hwnd(), &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd(), &origin);
  for (int n = 0; n < 3; ++n) {
    if (!buttons[n]->shown)
      continue;
    buttons_[n] = new GadgetWindow(*this, *buttons[n]);
    if (!buttons_[n]->create(hwnd(), GadgetRect(*buttons[n], origin, SIZE{client.right, client.bottom})))
      return 0;
  }
  SetActiveWindow(hwnd());
  return 1;
}

void InstallScreen::hide() {
  for (GadgetWindow*& button : buttons_) {
    delete button;
    button = nullptr;
  }
  destroy();
  host_ = nullptr;
}

void InstallScreen::command(int id, HWND focus) {
  if (!host_)
    return;
  switch (id) {
  case 1000:
    host_->exit(focus);
    break;
  case 1001:
    host_->help(focus);
    break;
  case 1002:
    host_->minimize();
    break;
  }
}

void InstallScreen::movebuttons() {
  RECT client;
  GetClientRect(hwnd(), &client);
  POINT origin{0, 0};
  ClientToScreen(hwnd(), &origin);
  for (GadgetWindow* button : buttons_) {
    if (!button || !button->hwnd())
      continue;
    RECT rect = GadgetRect(button->button(), origin, SIZE{client.right, client.bottom});
    MoveWindow(button->hwnd(), rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
    InvalidateRect(button->hwnd(), nullptr, FALSE);
  }
}

LRESULT InstallScreen::wndproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_MOVE:
  case WM_SIZE:
    movebuttons();
    return 0;
  case WM_PALETTECHANGED:
    if (reinterpret_cast<HWND>(wParam) != hwnd())
      InvalidateRect(hwnd(), nullptr, TRUE);
    return 0;
  case WM_QUERYNEWPALETTE:
    return 0;
  default:
    return host_ ? host_->message(message, wParam, lParam) : DefWindowProcA(hwnd(), message, wParam, lParam);
  }
}
