#include <engine/dialogs/BusyMessage.h>
#include <engine/dialogs/ControllerDialog.h>

#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

int BusyMessage::show(int x, int y, const char* text, const char* title, long milliseconds, int stoppable) {
  hide();
  notice_ = std::make_unique<msgdlg>();
  notice_->centre = 0;
  notice_->x = MulDiv(GetSystemMetrics(SM_CXSCREEN), x, 1000);
  notice_->y = MulDiv(GetSystemMetrics(SM_CYSCREEN), y, 1000);
  notice_->mintime = milliseconds > 0;
  notice_->duration = milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0;
  notice_->okbutton = stoppable;
  notice_->icon = ControllerIcon();
  notice_->caption.set(title ? title : "");
  notice_->text.set(text ? text : "");
  if (!notice_->create()) {
    notice_.reset();
    return 0;
  }
  // The button stops what the message waits for.
  if (stoppable) {
    char cancel[TextSize];
    LoadText(cancel, TEXT_BUTTON_CANCEL);
    SetDlgItemTextA(notice_->hwnd(), IDOK, cancel);
  }
  return 1;
}

void BusyMessage::hide() {
  if (!notice_)
    return;
  notice_->destroy();
  notice_.reset();
}
