#pragma once

#include <formlib/TControl.h>

#include <functional>

namespace formlib {

enum class TCloseAction { caNone, caHide, caFree, caMinimize };
enum class TBorderStyle { bsSizeable, bsSingle, bsDialog };
using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;

constexpr int mrNone = 0;
constexpr int mrOk = IDOK;
constexpr int mrCancel = IDCANCEL;

class TButton;

// A top-level window that owns its components. Its child controls hand it their keys first: Tab moves
// the focus, Enter presses the default button, Escape the cancel button, and with key preview the form's
// key-press event sees every typed character before the control does; Alt and an underlined letter (or
// the letter alone on a button) works the control with that mnemonic. A modal form disables every other
// window of the program until it ends.
class TForm : public TControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  void Show();
  void Hide();
  // Runs the close event; hides the form, ends a modal one, or ends the program for the main form.
  void Close();
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool preview) { keyPreview_ = preview; }
  void SetBorderStyle(TBorderStyle style, bool minimizeBox = true);
  void SetClientSize(int width, int height);
  void CenterOnScreen();
  TControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TControl* control) { activeControl_ = control; }

  // Tab, Enter and Escape typed in `from`; true when the form used the key.
  bool DialogKey(TControl* from, int key);

  TNotifyEvent OnShow;
  TCloseEvent OnClose;

protected:
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
  TButton* findButton(bool wantDefault, const TControl* in) const;

  bool keyPreview_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
  TControl* activeControl_ = nullptr;
};

} // namespace formlib
