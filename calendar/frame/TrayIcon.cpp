#include <calendar/frame/TrayIcon.h>

namespace {

bool SystemTray(DWORD message, const NOTIFYICONDATAA& data) {
  NOTIFYICONDATAA copy = data;
  return Shell_NotifyIconA(message, &copy) != 0;
}

} // namespace

wincore::Seam<TrayCall>& traySeam() {
  static wincore::Seam<TrayCall> seam{SystemTray};
  return seam;
}

bool CallTray(DWORD message, const NOTIFYICONDATAA& data) { return traySeam()(message, data); }
