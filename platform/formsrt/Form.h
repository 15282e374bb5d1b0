#pragma once

#include <formsrt/Control.h>

#include <memory>
#include <string>
#include <vector>

namespace formsrt {

class CommandButton;
class Form;

// A menu entry: a title of the menu bar (its container is the form) or an entry under one. A caption of
// "-" is a separator. The shortcut is a virtual key with Ctrl (and Shift) flags, shown after the caption
// and working while the form is active. Click runs when the entry is chosen, or, for a title, when its
// menu opens.
class MenuItem {
public:
  enum Modifier : int { ctrl = 0x100, shift = 0x200 };
  MenuItem(Form& form, std::string name, std::string caption, int index = -1);
  MenuItem(MenuItem& menu, std::string name, std::string caption, int shortcut = 0, int index = -1);

  const std::string Name;
  const int Index;
  std::function<void()> Click;

  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool Checked() const { return checked_; }
  void setChecked(bool checked);
  const std::string& Caption() const { return caption_; }
  int id() const { return id_; }
  int shortcut() const { return shortcut_; }
  const std::vector<MenuItem*>& entries() const { return entries_; }
  HMENU popup() const { return popup_; }

private:
  friend class Form;
  void build(HMENU parent);
  HMENU owningMenu() const;

  Form& form_;
  MenuItem* menu_ = nullptr;
  std::string caption_;
  int shortcut_ = 0;
  int id_;
  bool enabled_ = true;
  bool checked_ = false;
  HMENU popup_ = nullptr;
  std::vector<MenuItem*> entries_;
};

// A top-level form, laid out in twips. Load creates the window and its controls and runs Form_Load; Show
// makes it visible (modal: every other form of the program is disabled until it hides or unloads); Hide
// keeps it loaded; Unload runs Form_Unload, which may cancel, and destroys the window. The close box
// unloads the form, or, for a form with closeBoxCancels, presses its cancel button.
class Form : public Window, public Container {
public:
  Form(std::string name, int clientWidth, int clientHeight);
  ~Form() override;

  const std::string Name;

  void Load();
  void Show(bool modal = false);
  void Hide();
  // Answers false when Form_Unload cancelled.
  bool Unload();
  bool isLoaded() const { return hwnd() != nullptr; }
  bool Visible() const;

  std::string Caption() const;
  void setCaption(const std::string& caption);
  // The form's font, given to every control that has none of its own.
  std::string FontName = "MS Sans Serif";
  double FontSize = 8;
  bool closeBoxCancels = false;
  // Where the form comes up when it loads: where the system puts a new window, or centred on its owner,
  // the form of the program that is active then (on the screen's work area when there is none).
  enum StartUp : int { startUpWindowsDefault, startUpCenterOwner };
  StartUp StartUpPosition = startUpWindowsDefault;
  // The pointer over this form: 0 default, 11 hourglass (the screen's pointer wins when it is set).
  int MousePointer = 0;
  // The inside of the form, in twips.
  void setClientSize(int width, int height);
  int ScaleWidth() const { return clientWidth_; }
  int ScaleHeight() const { return clientHeight_; }

  // Default and cancel buttons: Enter presses the one, Escape the other.
  CommandButton* defaultButton() const { return default_; }
  void setDefaultButton(CommandButton* button);
  CommandButton* cancelButton() const { return cancel_; }
  void setCancelButton(CommandButton* button) { cancel_ = button; }

  // Draws a line in twips; inside Form_Paint it goes to the device context being painted.
  void Line(int x1, int y1, int x2, int y2, COLORREF colour);

  // Events.
  virtual void Form_Load() {}
  virtual void Form_Activate() {}
  virtual void Form_Paint() {}
  virtual void Form_Unload(int& /*cancel*/) {}

  // For the runtime's own parts.
  HWND containerHandle() const override { return hwnd(); }
  Form& form() override { return *this; }
  int nextControlId() { return nextId_++; }
  HFONT font();
  static HFONT makeFont(const std::string& name, double points, bool bold, bool italic);
  void addMenu(MenuItem* menu) { menus_.push_back(menu); }
  HACCEL accelerators() const { return accelerators_; }
  static Form* fromWindow(HWND hwnd);

protected:
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void buildMenu();
  void placeOnOwner(HWND owner);
  void paint(HDC dc);
  Control* controlOf(HWND hwnd);
  MenuItem* menuItemOf(int id);
  MenuItem* menuOfPopup(HMENU popup);
  void runModalLoop();

  int clientWidth_;
  int clientHeight_;
  std::string caption_;
  int nextId_ = 1000;
  HFONT font_ = nullptr;
  HACCEL accelerators_ = nullptr;
  HDC paintDc_ = nullptr;
  CommandButton* default_ = nullptr;
  CommandButton* cancel_ = nullptr;
  std::vector<MenuItem*> menus_;
  bool loading_ = false;
};

// The program's message loop: shows the start-up form and runs until it is unloaded or End is called.
int run(Form& startup);
// One message through the active form's accelerators and dialog keys; answers false for WM_QUIT.
bool processMessage(MSG& message);
// Ends the program at once: every form is destroyed without its events and the loop ends.
void End();

} // namespace formsrt
