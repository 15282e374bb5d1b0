#pragma once

#include <formsrt/Window.h>

#include <functional>
#include <string>
#include <vector>

namespace formsrt {

class Control;
class Form;

// A form or a frame: what holds controls. Controls register with their container when constructed and
// get their windows when the container gets its own, in the order they were declared (the tab order).
class Container {
public:
  virtual ~Container() = default;
  virtual HWND containerHandle() const = 0;
  virtual Form& form() = 0;
  void adopt(Control* control) { children_.push_back(control); }
  const std::vector<Control*>& children() const { return children_; }

protected:
  void createChildren();

private:
  std::vector<Control*> children_;
};

// What every control has: a name (and an index in a control array), a place in twips inside its
// container, visibility, enabled state, a caption, the keyboard focus, and the events that run the
// program's handlers. Events run through runHandler, so an untrapped runtime error is reported and the
// program goes on.
class Control : public Window {
public:
  Control(Container& parent, std::string name, int left, int top, int width, int height, int index = -1);
  ~Control() override;

  const std::string Name;
  const int Index;

  Form& form() { return parent_.form(); }
  Container& parent() { return parent_; }
  int id() const { return id_; }
  void create();

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Move(int left, int top, int width, int height);
  bool Visible() const { return visible_; }
  void setVisible(bool visible);
  bool Enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  std::string Caption() const;
  void setCaption(const std::string& caption);
  void SetFocus();
  // The control's own font; by default the form's.
  void setFont(const std::string& name, double points, bool bold = false, bool italic = false);

  std::function<void()> Click;
  std::function<void()> DblClick;
  std::function<void()> GotFocus;
  std::function<void()> LostFocus;
  // Key code and shift state (1 Shift, 2 Ctrl, 4 Alt); the key still reaches the control.
  std::function<void(int keyCode, int shift)> KeyDown;

  // Notifications that the form passes on from the control's window.
  virtual void onCommand(int /*code*/) {}
  virtual bool onNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
  // The form was unloaded: contents the program gave the control after its form was first loaded go, so
  // that the next load starts from the design state.
  virtual void unloaded() {}

protected:
  virtual HWND createWindow(HWND parent, const RECT& pixels) = 0;
  virtual void afterCreate() {}
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void fire(const std::function<void()>& event);
  RECT pixelRect() const;
  DWORD commonStyle() const;

  std::string caption_;

private:
  Container& parent_;
  int id_;
  int left_, top_, width_, height_;
  bool visible_ = true;
  bool enabled_ = true;
  HFONT font_ = nullptr;
};

int shiftState();

} // namespace formsrt
