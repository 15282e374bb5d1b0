#pragma once

#include <formlib/TCanvas.h>
#include <formlib/TComponent.h>
#include <wincore/BoundWindow.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace formlib {

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

using TKeyPressEvent = std::function<void(TObject* sender, char& key)>;

class TForm;

// A control bound to a real window through the window core: the library's own class is bound at
// creation, a system control by subclassing. A child's notifications (WM_COMMAND, WM_NOTIFY) are handed
// back to the child's object by whichever container receives them, and no C++ exception leaves the
// window procedure: it goes to the application's handler, the program's error reporter.
class TControl : public TComponent, public wincore::BoundWindow {
public:
  TControl(TComponent* owner, TControl* parent);
  ~TControl() override;

  HWND Handle() const { return handle(); }
  TControl* Parent() const { return parent_; }
  TForm* ParentForm();
  static TControl* FromHandle(HWND hwnd);

  int Left() const { return bounds().left; }
  int Top() const { return bounds().top; }
  int Width() const;
  int Height() const;
  int ClientWidth() const;
  int ClientHeight() const;
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, Top(), Width(), Height()); }
  void SetTop(int top) { SetBounds(Left(), top, Width(), Height()); }
  void SetWidth(int width) { SetBounds(Left(), Top(), width, Height()); }
  void SetHeight(int height) { SetBounds(Left(), Top(), Width(), height); }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  std::string Caption() const;
  virtual void SetCaption(const std::string& caption);
  bool Enabled() const;
  virtual void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  // Applies a changed font to the window.
  void SetFont(const TFont& font);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  void SetTabStop(bool tabStop);
  void SetFocus();
  bool Focused() const;
  void Invalidate();
  void BringToFront();
  const std::vector<TControl*>& Controls() const { return controls_; }

  TNotifyEvent OnClick;
  TNotifyEvent OnResize;
  TKeyPressEvent OnKeyPress;

protected:
  // Creates the window: the library's own class when `className` is null, else that system control,
  // subclassed.
  void CreateHandle(const char* className, DWORD style, DWORD exStyle = 0, HWND owner = nullptr);
  // Answers a message the control handles; false passes it on to the default or original procedure.
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  // Own-class controls draw here, for WM_PAINT and WM_PRINTCLIENT alike.
  virtual void Paint(TCanvas& canvas);
  // Own-class background; true when done. By default the control's colour fills it.
  virtual bool EraseBackground(HDC dc);
  // A WM_COMMAND notification that this control sent to its container.
  virtual void CommandNotify(WORD code);
  virtual LRESULT Notify(const NMHDR& header);
  virtual void Resized();
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);
  void Realign();

  LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) final;

private:
  bool PreviewKey(UINT message, WPARAM& wParam);
  bool PressMnemonic(UINT message, WPARAM wParam);
  RECT bounds() const;

  TControl* parent_;
  TAlign align_ = TAlign::alNone;
  std::vector<TControl*> controls_;
  TFont font_;
  TColor color_;
  bool swallowChar_ = false;
};

} // namespace formlib
