#pragma once

#include <windows.h>

#include <functional>
#include <vector>

// The thread's one message loop, which the application loops and the modal loops of every layer share.
//
// Each message passes the filters first, in the order they were added: a layer adds what it needs
// (modeless dialogs' keys, a form's help key, accelerators and dialog keys), and a filter that takes a
// message ends its way there; otherwise it is translated and dispatched. A nested modal loop never
// swallows WM_QUIT: it ends and posts it again for the loop outside.
namespace wincore {

// True when the filter took the message.
using MessageFilter = std::function<bool(MSG& message)>;

// Adds a filter for every loop of the thread; answers a number to remove it by.
int addMessageFilter(MessageFilter filter);
void removeMessageFilter(int id);

// One message through the filters, then translated and dispatched; false for WM_QUIT.
bool processMessage(MSG& message);
// Waits for one message and processes it; on WM_QUIT posts it again and answers false.
bool pumpMessage();
// Runs until WM_QUIT and answers its exit code.
int runMessageLoop();
// A modal loop: runs while `keepGoing` answers true; false when WM_QUIT ended it.
bool runModalLoop(const std::function<bool()>& keepGoing);

// What a modal form of the form layers does to the rest of the program: every other visible, enabled
// top-level window of the thread is disabled while it lives, then enabled again, and the window that was
// active gets the activation back. (The application framework keeps the system's rule instead: a
// dialog disables its owner only, so that other windows stay answerable.)
class ModalDisabler {
public:
  explicit ModalDisabler(HWND modal);
  ~ModalDisabler();
  ModalDisabler(const ModalDisabler&) = delete;
  ModalDisabler& operator=(const ModalDisabler&) = delete;

private:
  std::vector<HWND> disabled_;
  HWND previous_ = nullptr;
};

} // namespace wincore
