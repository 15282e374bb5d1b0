#include <formsrt/Form.h>

#include <formsrt/Application.h>
#include <formsrt/Controls.h>

#include <wincore/Drawing.h>
#include <wincore/MessageLoop.h>

#include <algorithm>

namespace formsrt {

namespace {

const char kFormClass[] = "FormsRtForm";
const DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
const DWORD kFormExStyle = WS_EX_CONTROLPARENT;

Form* mainForm = nullptr;

std::string shortcutText(int shortcut) {
  std::string text;
  if (shortcut & MenuItem::ctrl)
    text += "Ctrl+";
  if (shortcut & MenuItem::shift)
    text += "Shift+";
  int key = shortcut & 0xFF;
  if (key >= VK_F1 && key <= VK_F12)
    return text + "F" + std::to_string(key - VK_F1 + 1);
  if (key == VK_DELETE)
    return text + "Del";
  if (key == VK_INSERT)
    return text + "Ins";
  return text + static_cast<char>(key);
}

BOOL CALLBACK collectWindow(HWND hwnd, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
  return TRUE;
}

std::vector<HWND> threadWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

void forEachControl(Container& container, const std::function<bool(Control&)>& visit) {
  for (Control* control : container.children()) {
    if (visit(*control))
      return;
    if (auto* inner = dynamic_cast<Container*>(control))
      forEachControl(*inner, visit);
  }
}

} // namespace

MenuItem::MenuItem(Form& form, std::string name, std::string caption, int index)
    : Name(std::move(name)), Index(index), form_(form), caption_(std::move(caption)),
      id_(form.nextControlId()) {
  form.addMenu(this);
}

MenuItem::MenuItem(MenuItem& menu, std::string name, std::string caption, int shortcut, int index)
    : Name(std::move(name)), Index(index), form_(menu.form_), menu_(&menu), caption_(std::move(caption)),
      shortcut_(shortcut), id_(menu.form_.nextControlId()) {
  menu.entries_.push_back(this);
}

HMENU MenuItem::owningMenu() const { return menu_ ? menu_->popup_ : GetMenu(form_.hwnd()); }

void MenuItem::build(HMENU parent) {
  UINT state = (enabled_ ? MF_ENABLED : MF_GRAYED) | (checked_ ? MF_CHECKED : MF_UNCHECKED);
  if (!menu_) {
    popup_ = CreatePopupMenu();
    for (MenuItem* entry : entries_)
      entry->build(popup_);
    AppendMenuA(parent, MF_POPUP | MF_STRING | state, reinterpret_cast<UINT_PTR>(popup_), caption_.c_str());
    return;
  }
  if (caption_ == "-") {
    AppendMenuA(parent, MF_SEPARATOR, static_cast<UINT_PTR>(id_), nullptr);
    return;
  }
  std::string text = shortcut_ ? caption_ + "\t" + shortcutText(shortcut_) : caption_;
  AppendMenuA(parent, MF_STRING | state, static_cast<UINT_PTR>(id_), text.c_str());
}

void MenuItem::setEnabled(bool enabled) {
  enabled_ = enabled;
  HMENU owner = owningMenu();
  if (!owner)
    return;
  UINT flag = enabled ? MF_ENABLED : MF_GRAYED;
  if (menu_) {
    EnableMenuItem(owner, static_cast<UINT>(id_), MF_BYCOMMAND | flag);
    return;
  }
  int count = GetMenuItemCount(owner);
  for (int position = 0; position < count; ++position) {
    if (GetSubMenu(owner, position) == popup_)
      EnableMenuItem(owner, static_cast<UINT>(position), MF_BYPOSITION | flag);
  }
  DrawMenuBar(form_.hwnd());
}

void MenuItem::setChecked(bool checked) {
  checked_ = checked;
  if (HMENU owner = owningMenu(); owner && menu_)
    CheckMenuItem(owner, static_cast<UINT>(id_), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

Form::Form(std::string name, int clientWidth, int clientHeight)
    : Name(std::move(name)), clientWidth_(clientWidth), clientHeight_(clientHeight) {}

Form::~Form() {
  if (hwnd())
    DestroyWindow(hwnd());
  if (font_)
    DeleteObject(font_);
  if (mainForm == this)
    mainForm = nullptr;
}

Form* Form::fromWindow(HWND hwnd) { return dynamic_cast<Form*>(Window::fromHandle(hwnd)); }

HFONT Form::makeFont(const std::string& name, double points, bool bold, bool italic) {
  return CreateFontA(wincore::pointsToFontHeight(points), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, italic, FALSE,
                     FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, name.c_str());
}

HFONT Form::font() {
  if (!font_)
    font_ = makeFont(FontName, FontSize, false, false);
  return font_;
}

void Form::buildMenu() {
  if (menus_.empty())
    return;
  HMENU bar = CreateMenu();
  std::vector<ACCEL> keys;
  for (MenuItem* menu : menus_) {
    menu->build(bar);
    for (MenuItem* entry : menu->entries()) {
      if (!entry->shortcut())
        continue;
      BYTE flags = FVIRTKEY | ((entry->shortcut() & MenuItem::ctrl) ? FCONTROL : 0) |
                   ((entry->shortcut() & MenuItem::shift) ? FSHIFT : 0);
      keys.push_back(
          ACCEL{flags, static_cast<WORD>(entry->shortcut() & 0xFF), static_cast<WORD>(entry->id())});
    }
  }
  SetMenu(hwnd(), bar);
  if (!keys.empty())
    accelerators_ = CreateAcceleratorTableA(keys.data(), static_cast<int>(keys.size()));
}

void Form::setClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (!hwnd())
    return;
  RECT frame{0, 0, twipsToPixelsX(width), twipsToPixelsY(height)};
  AdjustWindowRectEx(&frame, kFormStyle, GetMenu(hwnd()) != nullptr, kFormExStyle);
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Load() {
  if (hwnd() || loading_)
    return;
  loading_ = true;
  HWND owner = GetActiveWindow();
  RECT frame{0, 0, twipsToPixelsX(clientWidth_), twipsToPixelsY(clientHeight_)};
  AdjustWindowRectEx(&frame, kFormStyle, !menus_.empty(), kFormExStyle);
  createOwn(kFormClass, CS_DBLCLKS, kFormExStyle, caption_.c_str(), kFormStyle, CW_USEDEFAULT, CW_USEDEFAULT,
            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr);
  buildMenu();
  if (StartUpPosition == startUpCenterOwner)
    placeOnOwner(owner);
  createChildren();
  loading_ = false;
  runHandler([this] { Form_Load(); });
}

// Centred on the owner's window, but kept inside the work area so that the whole form shows.
void Form::placeOnOwner(HWND owner) {
  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  RECT around = area;
  if (owner && owner != hwnd() && fromWindow(owner) && IsWindowVisible(owner) && !IsIconic(owner))
    GetWindowRect(owner, &around);
  RECT self;
  GetWindowRect(hwnd(), &self);
  int width = self.right - self.left, height = self.bottom - self.top;
  int left = (around.left + around.right - width) / 2;
  int top = (around.top + around.bottom - height) / 2;
  left = std::max<int>(area.left, std::min<int>(left, area.right - width));
  top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
  SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Show(bool modal) {
  Load();
  if (!hwnd())
    return;
  if (modal) {
    runModalLoop();
    return;
  }
  ShowWindow(hwnd(), SW_SHOW);
  SetActiveWindow(hwnd());
}

void Form::runModalLoop() {
  HWND self = hwnd();
  wincore::ModalDisabler others(self);
  ShowWindow(self, SW_SHOW);
  SetActiveWindow(self);
  wincore::runModalLoop([self] { return IsWindow(self) && IsWindowVisible(self); });
}

void Form::Hide() {
  if (hwnd())
    ShowWindow(hwnd(), SW_HIDE);
}

bool Form::Unload() {
  if (!hwnd())
    return true;
  int cancel = 0;
  runHandler([&] { Form_Unload(cancel); });
  if (cancel)
    return false;
  if (hwnd())
    DestroyWindow(hwnd());
  forEachControl(*this, [](Control& control) {
    control.unloaded();
    return false;
  });
  return true;
}

bool Form::Visible() const { return hwnd() && IsWindowVisible(hwnd()); }

std::string Form::Caption() const { return caption_; }

void Form::setCaption(const std::string& caption) {
  caption_ = caption;
  if (hwnd())
    SetWindowTextA(hwnd(), caption.c_str());
}

void Form::setDefaultButton(CommandButton* button) {
  if (default_ && default_->hwnd())
    SendMessageA(default_->hwnd(), BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  default_ = button;
  if (default_ && default_->hwnd())
    SendMessageA(default_->hwnd(), BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
}

void Form::Line(int x1, int y1, int x2, int y2, COLORREF colour) {
  if (!hwnd())
    return;
  HDC dc = paintDc_ ? paintDc_ : GetDC(hwnd());
  wincore::drawLine(dc, twipsToPixelsX(x1), twipsToPixelsY(y1), twipsToPixelsX(x2), twipsToPixelsY(y2),
                    colour);
  if (!paintDc_)
    ReleaseDC(hwnd(), dc);
}

void Form::paint(HDC dc) {
  paintDc_ = dc;
  runHandler([this] { Form_Paint(); });
  paintDc_ = nullptr;
}

Control* Form::controlOf(HWND hwnd) {
  Control* found = nullptr;
  forEachControl(*this, [&](Control& control) {
    if (control.hwnd() == hwnd)
      found = &control;
    return found != nullptr;
  });
  return found;
}

MenuItem* Form::menuItemOf(int id) {
  for (MenuItem* menu : menus_) {
    for (MenuItem* entry : menu->entries()) {
      if (entry->id() == id)
        return entry;
    }
  }
  return nullptr;
}

MenuItem* Form::menuOfPopup(HMENU popup) {
  for (MenuItem* menu : menus_) {
    if (menu->popup() == popup)
      return menu;
  }
  return nullptr;
}

LRESULT Form::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_COMMAND: {
    if (lParam) {
      if (Control* control = controlOf(reinterpret_cast<HWND>(lParam)))
        control->onCommand(HIWORD(wParam));
      return 0;
    }
    int id = LOWORD(wParam);
    if (id == IDCANCEL && cancel_)
      cancel_->press();
    else if (id == IDOK && default_)
      default_->press();
    else if (MenuItem* item = menuItemOf(id); item && item->Enabled() && item->Click)
      runHandler(item->Click);
    return 0;
  }
  case WM_NOTIFY: {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    LRESULT result = 0;
    forEachControl(*this, [&](Control& control) { return control.onNotify(*header, result); });
    return result;
  }
  case DM_GETDEFID:
    return default_ && default_->hwnd() ? MAKELRESULT(default_->id(), DC_HASDEFID) : 0;
  case WM_INITMENUPOPUP:
    if (MenuItem* menu = menuOfPopup(reinterpret_cast<HMENU>(wParam)); menu && menu->Click)
      runHandler(menu->Click);
    return 0;
  case WM_ACTIVATE:
    if (LOWORD(wParam) != WA_INACTIVE)
      runHandler([this] { Form_Activate(); });
    break;
  case WM_PAINT:
  case WM_PRINTCLIENT:
    wincore::paintMessage(hwnd(), message, wParam, [this](HDC dc) { paint(dc); });
    return 0;
  case WM_SETCURSOR:
    if (Screen.MousePointer() == pointerHourglass || MousePointer == pointerHourglass) {
      SetCursor(LoadCursor(nullptr, IDC_WAIT));
      return TRUE;
    }
    break;
  case WM_CLOSE:
    if (closeBoxCancels && cancel_)
      cancel_->press();
    else
      Unload();
    return 0;
  case WM_DESTROY:
    if (accelerators_) {
      DestroyAcceleratorTable(accelerators_);
      accelerators_ = nullptr;
    }
    if (mainForm == this)
      PostQuitMessage(0);
    break;
  }
  return Window::handleMessage(message, wParam, lParam);
}

namespace {

// A form's keys before the ordinary dispatch: F1 opens the help, then the form's accelerators, then
// the dialog keys (Tab, Enter, Escape, mnemonics).
bool formKeys(MSG& message) {
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  Form* form = Form::fromWindow(root);
  if (!form)
    return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_F1) {
    runHandler(showHelp);
    return true;
  }
  if (form->accelerators() && TranslateAcceleratorA(root, form->accelerators(), &message))
    return true;
  return IsDialogMessageA(root, &message) != 0;
}

[[maybe_unused]] const int formKeysFilter = wincore::addMessageFilter(formKeys);

} // namespace

bool processMessage(MSG& message) { return wincore::processMessage(message); }

int run(Form& startup) {
  mainForm = &startup;
  startup.Show();
  int exitCode = wincore::runMessageLoop();
  mainForm = nullptr;
  return exitCode;
}

void End() {
  for (HWND window : threadWindows()) {
    if (Form* form = Form::fromWindow(window))
      DestroyWindow(form->hwnd());
  }
  PostQuitMessage(0);
}

} // namespace formsrt
