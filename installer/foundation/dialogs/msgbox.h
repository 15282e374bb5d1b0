#pragma once

#include <foundation/windows/dlgbox.h>

#include <windows.h>

// The engine's own message box, from the templates "dlgmsgbox0" to "dlgmsgbox4": up to three
// captioned buttons and an optional help button, modal or modeless in a loop of its own. Captions and
// texts longer than their fields are cut to fit.

constexpr int MsgCaptionSize = 80;
constexpr int MsgTextSize = 1024;
constexpr int MsgButtonSize = 20;
constexpr int MsgFirstButton = 103;

class msgbox : public dlgbox {
public:
  msgbox();
  ~msgbox() override;

  void settextf(const char* format, ...);
  // MB_OK, MB_OKCANCEL, MB_YESNO, MB_RETRYCANCEL; Escape presses the last button.
  void setbuttons(int type);
  void setbuttons1(const char* first);
  void setbuttons2(const char* first, const char* second);
  void setbuttons3(const char* first, const char* second, const char* third);
  void setcancel(int index) { escape_ = MsgFirstButton + index; }
  // The button that Enter presses and that has the focus; the first one unless set.
  void setdefault(int index) { default_ = MsgFirstButton + index; }
  void setstdicon(int type);
  void seticonres(LPCSTR name);
  void seticon(HICON icon);
  void freeicon();
  void sethelp(int context) { helpid_ = context; }

  // Owned by the top of the window stack; the index of the button pressed, -1 on failure.
  int show(const char* caption, int modal = 1, int centre = 1);
  // Waits in the box's own loop for a shown modeless box's answer.
  int runloop();
  // Takes a modeless box down.
  void close();

  INT_PTR dlgproc(UINT message, WPARAM wParam, LPARAM lParam) override;

  const char* caption() const { return caption_; }
  const char* text() const { return text_; }
  const char* button(int index) const { return buttonText_[index]; }
  int buttoncount() const { return buttons_; }
  int result() const { return result_; }

private:
  friend int ShowMessageBox(msgbox& box, HWND owner, const char* caption, int modal, int centre);
  void setbutton(int index, const char* text);
  void end(int index);
  int command(int id);

  int helpid_ = 0;
  int result_ = -1;
  int buttons_ = 0;
  int escape_ = -1;
  int default_ = MsgFirstButton;
  int modal_ = 1;
  int centre_ = 1;
  int iconOwned_ = 0;
  HICON icon_ = nullptr;
  char caption_[MsgCaptionSize];
  char text_[MsgTextSize];
  char buttonText_[3][MsgButtonSize];
};

// The same as show() with an explicit owner; an empty caption reads "Error" from the texts.
int ShowMessageBox(msgbox& box, HWND owner, const char* caption, int modal, int centre);

// The engine's error box: caption "Error", exclamation icon, one OK button, modal.
void ShowErrorBox(HWND owner, const char* text);
