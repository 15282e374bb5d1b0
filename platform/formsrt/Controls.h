#pragma once

#include <formsrt/Control.h>

#include <string>
#include <vector>

namespace formsrt {

// A push button; the form's default button is drawn as such and pressed by Enter, its cancel button by
// Escape.
class CommandButton : public Control {
public:
  CommandButton(Container& parent, std::string name, std::string caption, int left, int top, int width,
                int height, int index = -1);
  bool Default() const;
  void setDefault(bool isDefault);
  bool Cancel() const;
  void setCancel(bool isCancel);
  // Presses the button the way a click does.
  void press();
  void onCommand(int code) override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
};

class Label : public Control {
public:
  Label(Container& parent, std::string name, std::string caption, int left, int top, int width, int height,
        int index = -1);

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void onCommand(int code) override;
};

// A frame with a caption that really contains its controls: they are its child windows, placed in twips
// inside it, and hide and show with it. It passes their notifications on to the form.
class Frame : public Control, public Container {
public:
  Frame(Container& parent, std::string name, std::string caption, int left, int top, int width, int height,
        int index = -1);
  HWND containerHandle() const override { return hwnd(); }
  Form& form() override { return Control::form(); }

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override { createChildren(); }
  LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class TextBox : public Control {
public:
  enum Kind { singleLine, multiLine };
  TextBox(Container& parent, std::string name, int left, int top, int width, int height,
          Kind kind = singleLine, int index = -1);
  std::string Text() const { return Caption(); }
  void setText(const std::string& text) { setCaption(text); }
  int SelStart() const;
  void setSelStart(int start);
  int SelLength() const;
  void setSelLength(int length);
  std::string SelText() const;
  void setSelText(const std::string& text);
  // Runs whenever the text changes.
  std::function<void()> Change;
  void onCommand(int code) override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;

private:
  Kind kind_;
};

// A list of texts with a text part: editable (dropDown) or only chosen from the list (dropDownList).
class ComboBox : public Control {
public:
  enum Kind { dropDown, dropDownList };
  ComboBox(Container& parent, std::string name, int left, int top, int width, int height,
           Kind kind = dropDown, int index = -1);
  void AddItem(const std::string& item);
  void Clear();
  int ListCount() const;
  std::string List(int index) const;
  // -1 when nothing is selected; setting a number outside the list raises Invalid property value.
  int ListIndex() const;
  void setListIndex(int index);
  std::string Text() const;
  void setText(const std::string& text);
  void onCommand(int code) override;
  void unloaded() override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override;

private:
  struct Contents {
    std::vector<std::string> items;
    int listIndex = -1;
    std::string text;
  };
  Kind kind_;
  std::vector<std::string> items_;
  int listIndex_ = -1;
  // What the list held when its form was first loaded.
  Contents design_;
  bool designKept_ = false;
};

// An option button: choosing one clears the others of its container.
class OptionButton : public Control {
public:
  OptionButton(Container& parent, std::string name, std::string caption, int left, int top, int width,
               int height, int index = -1);
  bool Value() const;
  void setValue(bool value);
  void onCommand(int code) override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override;

private:
  bool value_ = false;
};

// A check box whose Value is 0 unchecked, 1 checked or 2 greyed.
class CheckBox : public Control {
public:
  CheckBox(Container& parent, std::string name, std::string caption, int left, int top, int width, int height,
           int index = -1);
  int Value() const;
  void setValue(int value);
  void onCommand(int code) override;

protected:
  HWND createWindow(HWND parent, const RECT& pixels) override;
  void afterCreate() override;

private:
  int value_ = 0;
};

} // namespace formsrt
