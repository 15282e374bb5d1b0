#include <formsrt/Controls.h>

#include <formsrt/Form.h>
#include <formsrt/RuntimeError.h>

#include <algorithm>

namespace formsrt {

namespace {

int width(const RECT& r) { return r.right - r.left; }
int height(const RECT& r) { return r.bottom - r.top; }

// The first control of a container, and an option button after anything but an option button, start a
// group for the dialog keys and the option buttons' exclusion.
bool startsGroup(Control& control) {
  const std::vector<Control*>& siblings = control.parent().children();
  auto it = std::find(siblings.begin(), siblings.end(), &control);
  if (it == siblings.begin())
    return true;
  bool option = dynamic_cast<OptionButton*>(&control) != nullptr;
  bool previousOption = dynamic_cast<OptionButton*>(*(it - 1)) != nullptr;
  return option != previousOption;
}

} // namespace

CommandButton::CommandButton(Container& parent, std::string name, std::string caption, int left, int top,
                             int width, int height, int index)
    : Control(parent, std::move(name), left, top, width, height, index) {
  caption_ = std::move(caption);
}

HWND CommandButton::createWindow(HWND parent, const RECT& r) {
  DWORD style = commonStyle() | WS_TABSTOP | (Default() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  return createSubclassed("BUTTON", 0, caption_.c_str(), style, r.left, r.top, width(r), height(r), parent,
                          id());
}

bool CommandButton::Default() const {
  return const_cast<CommandButton*>(this)->form().defaultButton() == this;
}

void CommandButton::setDefault(bool isDefault) {
  if (isDefault)
    form().setDefaultButton(this);
  else if (Default())
    form().setDefaultButton(nullptr);
}

bool CommandButton::Cancel() const { return const_cast<CommandButton*>(this)->form().cancelButton() == this; }

void CommandButton::setCancel(bool isCancel) {
  if (isCancel)
    form().setCancelButton(this);
  else if (Cancel())
    form().setCancelButton(nullptr);
}

void CommandButton::press() {
  if (Enabled())
    fire(Click);
}

void CommandButton::onCommand(int code) {
  if (code == BN_CLICKED)
    press();
}

Label::Label(Container& parent, std::string name, std::string caption, int left, int top, int width,
             int height, int index)
    : Control(parent, std::move(name), left, top, width, height, index) {
  caption_ = std::move(caption);
}

HWND Label::createWindow(HWND parent, const RECT& r) {
  return createSubclassed("STATIC", 0, caption_.c_str(), commonStyle() | SS_LEFT | SS_NOPREFIX | SS_NOTIFY,
                          r.left, r.top, width(r), height(r), parent, id());
}

void Label::onCommand(int code) {
  if (code == STN_CLICKED)
    fire(Click);
  else if (code == STN_DBLCLK)
    fire(DblClick);
}

Frame::Frame(Container& parent, std::string name, std::string caption, int left, int top, int width,
             int height, int index)
    : Control(parent, std::move(name), left, top, width, height, index) {
  caption_ = std::move(caption);
}

HWND Frame::createWindow(HWND parent, const RECT& r) {
  return createSubclassed("BUTTON", WS_EX_CONTROLPARENT, caption_.c_str(),
                          commonStyle() | BS_GROUPBOX | WS_CLIPSIBLINGS, r.left, r.top, width(r), height(r),
                          parent, id());
}

LRESULT Frame::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_COMMAND:
  case WM_NOTIFY:
  case WM_CTLCOLORSTATIC:
  case WM_CTLCOLORBTN:
  case WM_CTLCOLOREDIT:
  case WM_CTLCOLORLISTBOX:
  case WM_DRAWITEM:
    return SendMessageA(form().hwnd(), message, wParam, lParam);
  case WM_PRINTCLIENT:
  case WM_ERASEBKGND: {
    // The frame's inside is the form's face, so that its controls sit on the same ground.
    RECT inside;
    GetClientRect(hwnd(), &inside);
    FillRect(reinterpret_cast<HDC>(wParam), &inside, GetSysColorBrush(COLOR_BTNFACE));
    if (message == WM_ERASEBKGND)
      return 1;
    return callDefault(WM_PAINT, wParam, 0);
  }
  }
  return Control::handleMessage(message, wParam, lParam);
}

TextBox::TextBox(Container& parent, std::string name, int left, int top, int width, int height, Kind kind,
                 int index)
    : Control(parent, std::move(name), left, top, width, height, index), kind_(kind) {}

HWND TextBox::createWindow(HWND parent, const RECT& r) {
  DWORD style = commonStyle() | WS_TABSTOP | ES_AUTOHSCROLL;
  if (kind_ == multiLine)
    style = (style & ~ES_AUTOHSCROLL) | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
  return createSubclassed("EDIT", WS_EX_CLIENTEDGE, caption_.c_str(), style, r.left, r.top, width(r),
                          height(r), parent, id());
}

int TextBox::SelStart() const {
  DWORD start = 0;
  SendMessageA(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TextBox::setSelStart(int start) { SendMessageA(hwnd(), EM_SETSEL, start, start); }

int TextBox::SelLength() const {
  DWORD start = 0, end = 0;
  SendMessageA(hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TextBox::setSelLength(int length) {
  int start = SelStart();
  SendMessageA(hwnd(), EM_SETSEL, start, start + length);
}

std::string TextBox::SelText() const {
  std::string text = Text();
  int start = std::min(SelStart(), static_cast<int>(text.size()));
  return text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(SelLength()));
}

void TextBox::setSelText(const std::string& text) {
  SendMessageA(hwnd(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

void TextBox::onCommand(int code) {
  if (code == EN_CHANGE)
    fire(Change);
}

ComboBox::ComboBox(Container& parent, std::string name, int left, int top, int width, int height, Kind kind,
                   int index)
    : Control(parent, std::move(name), left, top, width, height, index), kind_(kind) {}

HWND ComboBox::createWindow(HWND parent, const RECT& r) {
  DWORD style = commonStyle() | WS_TABSTOP | WS_VSCROLL | CBS_AUTOHSCROLL |
                (kind_ == dropDown ? CBS_DROPDOWN : CBS_DROPDOWNLIST);
  // The height given is the closed box's; the list drops below it.
  return createSubclassed("COMBOBOX", 0, "", style, r.left, r.top, width(r), height(r) + 200, parent, id());
}

void ComboBox::afterCreate() {
  if (!designKept_) {
    design_ = Contents{items_, listIndex_, caption_};
    designKept_ = true;
  }
  for (const std::string& item : items_)
    SendMessageA(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  SendMessageA(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(listIndex_), 0);
  if (listIndex_ < 0 && !caption_.empty())
    SetWindowTextA(hwnd(), caption_.c_str());
}

void ComboBox::unloaded() {
  items_ = design_.items;
  listIndex_ = design_.listIndex;
  caption_ = design_.text;
}

void ComboBox::AddItem(const std::string& item) {
  items_.push_back(item);
  if (hwnd())
    SendMessageA(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void ComboBox::Clear() {
  items_.clear();
  listIndex_ = -1;
  if (hwnd())
    SendMessageA(hwnd(), CB_RESETCONTENT, 0, 0);
}

int ComboBox::ListCount() const { return static_cast<int>(items_.size()); }

std::string ComboBox::List(int index) const {
  if (index < 0 || index >= ListCount())
    return std::string();
  return items_[static_cast<std::size_t>(index)];
}

int ComboBox::ListIndex() const {
  if (!hwnd())
    return listIndex_;
  return static_cast<int>(SendMessageA(hwnd(), CB_GETCURSEL, 0, 0));
}

void ComboBox::setListIndex(int index) {
  if (index < -1 || index >= ListCount())
    raiseError(errInvalidPropertyValue);
  listIndex_ = index;
  if (hwnd())
    SendMessageA(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  fire(Click);
}

std::string ComboBox::Text() const {
  if (!hwnd())
    return listIndex_ >= 0 ? List(listIndex_) : caption_;
  return Caption();
}

void ComboBox::setText(const std::string& text) {
  auto it = std::find(items_.begin(), items_.end(), text);
  if (it != items_.end()) {
    setListIndex(static_cast<int>(it - items_.begin()));
    return;
  }
  if (kind_ == dropDownList)
    raiseError(errInvalidPropertyValue);
  listIndex_ = -1;
  caption_ = text;
  if (hwnd()) {
    SendMessageA(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetWindowTextA(hwnd(), text.c_str());
  }
}

void ComboBox::onCommand(int code) {
  if (code == CBN_SELCHANGE)
    fire(Click);
}

OptionButton::OptionButton(Container& parent, std::string name, std::string caption, int left, int top,
                           int width, int height, int index)
    : Control(parent, std::move(name), left, top, width, height, index) {
  caption_ = std::move(caption);
}

HWND OptionButton::createWindow(HWND parent, const RECT& r) {
  DWORD style = commonStyle() | WS_TABSTOP | BS_AUTORADIOBUTTON | (startsGroup(*this) ? WS_GROUP : 0);
  return createSubclassed("BUTTON", 0, caption_.c_str(), style, r.left, r.top, width(r), height(r), parent,
                          id());
}

void OptionButton::afterCreate() {
  SendMessageA(hwnd(), BM_SETCHECK, value_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool OptionButton::Value() const {
  return hwnd() ? SendMessageA(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED : value_;
}

void OptionButton::setValue(bool value) {
  value_ = value;
  if (value) {
    for (Control* sibling : parent().children()) {
      auto* option = dynamic_cast<OptionButton*>(sibling);
      if (option && option != this)
        option->setValue(false);
    }
  }
  if (hwnd())
    SendMessageA(hwnd(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  if (value)
    fire(Click);
}

void OptionButton::onCommand(int code) {
  if (code == BN_CLICKED) {
    value_ = Value();
    fire(Click);
  }
}

CheckBox::CheckBox(Container& parent, std::string name, std::string caption, int left, int top, int width,
                   int height, int index)
    : Control(parent, std::move(name), left, top, width, height, index) {
  caption_ = std::move(caption);
}

HWND CheckBox::createWindow(HWND parent, const RECT& r) {
  return createSubclassed("BUTTON", 0, caption_.c_str(), commonStyle() | WS_TABSTOP | BS_3STATE, r.left,
                          r.top, width(r), height(r), parent, id());
}

void CheckBox::afterCreate() { SendMessageA(hwnd(), BM_SETCHECK, static_cast<WPARAM>(value_), 0); }

int CheckBox::Value() const {
  return hwnd() ? static_cast<int>(SendMessageA(hwnd(), BM_GETCHECK, 0, 0)) : value_;
}

void CheckBox::setValue(int value) {
  if (value < 0 || value > 2)
    raiseError(errInvalidPropertyValue);
  value_ = value;
  if (hwnd())
    SendMessageA(hwnd(), BM_SETCHECK, static_cast<WPARAM>(value), 0);
  fire(Click);
}

// A click checks or clears the box; only the program greys it.
void CheckBox::onCommand(int code) {
  if (code == BN_CLICKED)
    setValue(Value() == 1 ? 0 : 1);
}

} // namespace formsrt
