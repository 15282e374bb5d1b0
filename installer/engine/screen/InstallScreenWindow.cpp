#include <engine/screen/InstallScreenWindow.h>

#include <clock/Clock.h>
#include <foundation/drawing/bmpsrc.h>
#include <foundation/drawing/dib.h>
#include <foundation/drawing/font.h>
#include <foundation/drawing/metafile.h>
#include <foundation/registry/screeninfo.h>
#include <kxlang/kxlangids.h>

#include <cstdlib>

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

// Loads the host's file for a layer; 0 when the host gives none or the file does not read.
int loadLayer(int (ScreenHost::*path)(fpath&), ScreenHost& host, dib& picture, int withBits) {
  fpathbuf file;
  return (host.*path)(file) && picture.loadfile(file, withBits);
}

RECT perMilleRect(const ScreenElement& element, SIZE client) {
  int x = PerMille(element.x, client.cx), y = PerMille(element.y, client.cy);
  return {x, y, x + PerMille(element.width, client.cx), y + PerMille(element.height, client.cy)};
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

// The down picture while pressed with the pointer inside, else the up picture, stretched over the
// button.
void GadgetWindow::paint() {
  PAINTSTRUCT paint;
  HDC hdc = BeginPaint(hwnd(), &paint);
  RECT client;
  GetClientRect(hwnd(), &client);
  {
    dc device(hdc, client.right, client.bottom);
    dib picture;
    bmpref source(screen_.bitmapmodule(), tracker_.state() == 1 ? button_.downBitmap : button_.upBitmap);
    if (picture.load(source, 1))
      picture.drawinto(device, client, SRCCOPY);
  }
  EndPaint(hwnd(), &paint);
}

LRESULT GadgetWindow::wndproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT:
    paint();
    return 0;
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

int ActivityDialog::create(HWND owner) { return CreateModelessDialog(*this, owner, "DLGGAUGE"); }

void ActivityDialog::close() {
  if (hwnd())
    DestroyWindow(hwnd());
}

void ActivityDialog::step(int animating, DWORD tick) {
  if (!animating) {
    gauges_[0].setpercent(77);
    gauges_[1].setpercent(90);
  } else {
    if (!pace_.due(tick))
      return;
    int first = std::rand(), second = std::rand();
    gauges_[0].setpercent(70 + first % 31);
    gauges_[1].setpercent(70 + second % 31);
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

INT_PTR ActivityDialog::dlgproc(UINT message, WPARAM, LPARAM) {
  switch (message) {
  case WM_INITDIALOG: {
    for (int n = 0; n < 2; ++n) {
      gauges_[n].colour = static_cast<COLORREF>(element_.colours[n]);
      gauges_[n].attach(GetDlgItem(hwnd(), IDC_GAUGE_FIRST + n));
    }
    std::srand(static_cast<unsigned>(platform::Clock::ticks() & 0xFFFF));
    POINT centre = screen_.permilletoscreen(POINT{element_.x, element_.y});
    centerat(centre.x, centre.y);
    ShowWindow(hwnd(), SW_SHOW);
    step(0, 0);
    return 1;
  }
  case WM_DESTROY:
    for (gauge& one : gauges_)
      one.detach();
    return 1;
  default:
    return 0;
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

// The background bitmap's copy beside the engine, else the file the settings name for the screen's
// colour depth; read without its pixels.
int InstallScreen::backgroundsize(SIZE& size) {
  dib bitmap;
  if (!loadLayer(&ScreenHost::backgroundpath, *host_, bitmap, 0)) {
    bmpsrc stored;
    stored.mode = settings_.background.mode;
    fpathbuf path;
    if (!stored.path.set(settings_.background.path.c_str()) || !stored.pickfile(path) ||
        !bitmap.loadfile(path, 0))
      return 0;
  }
  size = SIZE{bitmap.width(), bitmap.height()};
  return 1;
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
  if (settings_.activity.shown) {
    activity_ = new ActivityDialog(settings_.activity, *this);
    if (!activity_->create(hwnd()))
      return 0;
  }
  SetActiveWindow(hwnd());
  return 1;
}

void InstallScreen::activitytick() {
  if (activity_ && activity_->hwnd())
    activity_->step(1, static_cast<DWORD>(platform::Clock::ticks()));
}

void InstallScreen::hide() {
  delete activity_;
  activity_ = nullptr;
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
  case GadgetExit:
    host_->exit(focus);
    break;
  case GadgetHelp:
    host_->help(focus);
    break;
  case GadgetMinimize:
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

// The palettes of the background and the picture, built until a file is missing.
void InstallScreen::buildpalettes(palette& background, palette& picture) {
  dib header;
  if (settings_.backgroundMode != 0) {
    if (!loadLayer(&ScreenHost::backgroundpath, *host_, header, 0) || !header.makepalette(background))
      return;
  }
  if (settings_.picture.shown) {
    dib pictureHeader;
    if (!loadLayer(&ScreenHost::picturepath, *host_, pictureHeader, 0) || !pictureHeader.makepalette(picture))
      return;
  }
  if (!background.empty() && !picture.empty())
    background.setbackground(1);
}

void InstallScreen::paintbackground(dc& device, const RECT& client, const RECT& damaged) {
  if (settings_.backgroundMode == 0) {
    device.gradient(client, damaged, static_cast<COLORREF>(settings_.corners[0]),
                    static_cast<COLORREF>(settings_.corners[1]), static_cast<COLORREF>(settings_.corners[2]),
                    static_cast<COLORREF>(settings_.corners[3]), 16, 16);
    return;
  }
  dib background;
  if (!loadLayer(&ScreenHost::backgroundpath, *host_, background, 1))
    return;
  if (settings_.backgroundMode == 1)
    background.tile(device, client, damaged, SRCCOPY);
  else
    background.drawinto(device, client, SRCCOPY);
}

void InstallScreen::paintpicture(dc& device, SIZE client) {
  const ScreenPicture& picture = settings_.picture;
  dib bitmap;
  if (!picture.shown || !loadLayer(&ScreenHost::picturepath, *host_, bitmap, 1))
    return;
  if (picture.transparent)
    bitmap.settransparent(picture.transparentX, picture.transparentY);
  RECT area = perMilleRect(picture, client);
  if (picture.placement == 0)
    bitmap.drawat(device, area.left - bitmap.width() / 2, area.top - bitmap.height() / 2, SRCCOPY);
  else
    bitmap.drawinto(device, area, SRCCOPY);
}

void InstallScreen::paintmetafile(dc& device, SIZE client) {
  fpathbuf path;
  metafile picture;
  if (!settings_.metafile.shown || !host_->metafilepath(path) || !picture.load(path))
    return;
  RECT area = perMilleRect(settings_.metafile, client);
  picture.play(device, area.left, area.top, area.right - area.left, area.bottom - area.top);
}

// Each text is stretched or narrowed to fill its box. An empty text has no width to fit and is
// left out; a font that cannot be made ends the layer.
void InstallScreen::painttexts(dc& device, SIZE client) {
  int m = static_cast<int>(device.pixpermmx() + 0.5), n = static_cast<int>(device.pixpermmy() + 0.5);
  int previousMode = device.setbkmode(TRANSPARENT);
  for (const ScreenTextItem& item : settings_.texts) {
    if (item.text.empty())
      continue;
    int x = PerMille(item.x, client.cx), y = PerMille(item.y, client.cy);
    font face;
    face.set(item.font.c_str(), PerMille(item.height, client.cy), item.bold, item.italic, 0);
    if (!face.fitwidth(device, item.text.c_str(), PerMille(item.width, client.cx)) || !face.select(device))
      break;
    ShadowCopy shadow = TextShadow(item.shadow, m, n);
    COLORREF previousColour = device.settextcolor(shadow.colour);
    if (shadow.drawn)
      device.textout(x + shadow.dx, y + shadow.dy, item.text.c_str());
    device.settextcolor(static_cast<COLORREF>(item.colour));
    device.textout(x, y, item.text.c_str());
    device.settextcolor(previousColour);
    face.free();
  }
  device.setbkmode(previousMode);
}

void InstallScreen::paint(HDC hdc, const RECT& client, const RECT& damaged) {
  if (!host_)
    return;
  SIZE size{client.right, client.bottom};
  dc device(hdc, client.right, client.bottom);
  palette background, picture;
  buildpalettes(background, picture);
  background.select(hdc);
  picture.select(hdc);
  paintbackground(device, client, damaged);
  paintpicture(device, size);
  paintmetafile(device, size);
  painttexts(device, size);
  picture.unselect();
  background.unselect();
}

LRESULT InstallScreen::wndproc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_PAINT: {
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hwnd(), &ps);
    RECT client;
    GetClientRect(hwnd(), &client);
    paint(hdc, client, ps.rcPaint);
    EndPaint(hwnd(), &ps);
    return 0;
  }
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
