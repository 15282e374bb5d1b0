// How this works: the client owns one hidden top-level window. Connecting broadcasts WM_DDE_INITIATE
// (with a time-out per window, so that one hung window cannot stop it) and the first server to
// acknowledge while the broadcast runs becomes the partner; any other server that answers is told to
// terminate at once. Executes and requests post their message and then take the answer straight from
// the client window's queue, sleeping between arrivals, until the time-out. An answer belongs to its
// own command block or item atom: a late one, for a command or request that timed out before, is
// freed and the wait goes on, so it is never taken for the answer to the next one. Every global block
// and atom has one owner at each step: what the server hands over and the client accepts is freed
// here, what is refused goes back or is deleted, and what a time-out leaves with the server is freed
// when its late answer comes or the conversation ends.
#include <engine/operations/ddeclient.h>

#include <foundation/system/checkfailed.h>

#include <engine/operations/TickTimer.h>

#include <dde.h>

#include <cstring>
#include <string>

namespace {

const char* const ClassName = "KXDDEHiddenWindowClass";
constexpr CheckSite OpenAtDestruction{"DDERAW", 212};
constexpr int InitiateAttempts = 10;
// How long one window may take over the initiate before the broadcast goes on without it.
constexpr UINT InitiateWindowTimeout = 250;
constexpr WORD AckPositive = 0x8000;
constexpr WORD DataAckRequested = 0x8000;
constexpr WORD DataRelease = 0x2000;

} // namespace

ddeclient::~ddeclient() {
  CheckFailed(OpenAtDestruction, server_ == nullptr);
  if (window_)
    DestroyWindow(window_);
}

int ddeclient::CreateWindowOnce() {
  if (window_)
    return 1;
  wincore::BoundWindow::registerClass(ClassName, 0);
  window_ = hidden_.create(0, ClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr);
  return window_ != nullptr;
}

LRESULT ddeclient::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND sender = reinterpret_cast<HWND>(wParam);
  switch (message) {
  case WM_DDE_ACK:
    if (initiating_) {
      GlobalDeleteAtom(LOWORD(lParam));
      GlobalDeleteAtom(HIWORD(lParam));
      if (!server_)
        server_ = sender;
      else if (sender != server_)
        PostMessageA(sender, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_), 0);
    }
    return 0;
  case WM_DDE_TERMINATE:
    if (sender == server_) {
      PostMessageA(sender, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_), 0);
      server_ = nullptr;
    }
    return 0;
  default:
    return hidden_.callDefault(message, wParam, lParam);
  }
}

int ddeclient::DdeConnect(const char* application, const char* topic) {
  if (server_)
    DdeDisconnect();
  if (!CreateWindowOnce())
    return Failed("could not be called: the conversation's window was not made");
  ATOM app = GlobalAddAtomA(application);
  ATOM top = GlobalAddAtomA(topic);
  for (int attempt = 0; attempt < InitiateAttempts && !server_; ++attempt) {
    initiating_ = 1;
    DWORD_PTR ignored;
    SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(window_),
                        MAKELPARAM(app, top), SMTO_ABORTIFHUNG, InitiateWindowTimeout, &ignored);
    initiating_ = 0;
  }
  GlobalDeleteAtom(app);
  GlobalDeleteAtom(top);
  if (!server_)
    return Failed("did not answer the call to a conversation");
  failure_.clear();
  return 1;
}

int ddeclient::Failed(const char* what) {
  failure_ = what;
  return 0;
}

// A wait ends without its answer either when the server ended the conversation or when time ran out.
int ddeclient::NoAnswer() {
  if (!server_)
    return Failed("ended the conversation");
  failure_ = "did not answer within " + std::to_string(timeout_) + " ms";
  return 0;
}

void ddeclient::DdeDisconnect() {
  if (server_) {
    PostMessageA(server_, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(window_), 0);
    server_ = nullptr;
  }
  // After the terminate no late answer comes: the blocks the time-outs left are ours again. An item atom
  // posted with a request is the server's to delete until it comes back.
  for (HGLOBAL block : lateBlocks_)
    GlobalFree(block);
  lateBlocks_.clear();
  lateAtoms_.clear();
  if (window_) {
    DestroyWindow(window_);
    window_ = nullptr;
  }
}

int ddeclient::WaitFor(UINT first, UINT last, MSG& msg, const TickTimer& timer) {
  for (;;) {
    while (PeekMessageA(&msg, window_, WM_DDE_TERMINATE, WM_DDE_LAST, PM_REMOVE)) {
      if (msg.message >= first && msg.message <= last)
        return 1;
      if (msg.message == WM_DDE_TERMINATE) {
        DispatchMessageA(&msg);
        if (!server_)
          return 0;
      }
    }
    DWORD left = TickTimerLeft(timer, GetTickCount());
    if (!left)
      return 0;
    // Wakes for posted or sent messages only; the cap keeps a wake-up that is missed from costing
    // more than a moment.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 50 ? left : 50, QS_POSTMESSAGE | QS_SENDMESSAGE);
  }
}

int ddeclient::DdeExecute(const char* command) {
  if (!server_)
    return Failed("is not in a conversation");
  size_t size = std::strlen(command) + 1;
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE | GMEM_ZEROINIT, size);
  if (!block)
    return 0;
  std::memcpy(GlobalLock(block), command, size);
  GlobalUnlock(block);
  if (!PostMessageA(server_, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(window_),
                    reinterpret_cast<LPARAM>(block))) {
    GlobalFree(block);
    return 0;
  }
  TickTimer timer = StartTickTimer(timeout_);
  for (;;) {
    MSG msg;
    if (!WaitFor(WM_DDE_ACK, WM_DDE_ACK, msg, timer)) {
      // The server may still read the block: it is freed with its late answer.
      lateBlocks_.push_back(block);
      return NoAnswer();
    }
    UINT_PTR status = 0, returned = 0;
    UnpackDDElParam(WM_DDE_ACK, msg.lParam, &status, &returned);
    FreeDDElParam(WM_DDE_ACK, msg.lParam);
    HGLOBAL answered = reinterpret_cast<HGLOBAL>(returned);
    if (answered == block) {
      GlobalFree(block);
      if (!(status & AckPositive))
        return Failed("refused the command");
      failure_.clear();
      return 1;
    }
    TakeLateBlock(answered);
  }
}

void ddeclient::TakeLateBlock(HGLOBAL block) {
  for (auto late = lateBlocks_.begin(); late != lateBlocks_.end(); ++late)
    if (*late == block) {
      GlobalFree(block);
      lateBlocks_.erase(late);
      return;
    }
}

int ddeclient::TakeLateAtom(ATOM atom) {
  for (auto late = lateAtoms_.begin(); late != lateAtoms_.end(); ++late)
    if (*late == atom) {
      lateAtoms_.erase(late);
      return 1;
    }
  return 0;
}

int ddeclient::DdeRequest(const char* item, UINT format, std::string& text) {
  text.clear();
  if (!server_)
    return Failed("is not in a conversation");
  ATOM atom = GlobalAddAtomA(item);
  if (!PostMessageA(server_, WM_DDE_REQUEST, reinterpret_cast<WPARAM>(window_), MAKELPARAM(format, atom))) {
    GlobalDeleteAtom(atom);
    return 0;
  }
  TickTimer timer = StartTickTimer(timeout_);
  for (;;) {
    MSG msg;
    if (!WaitFor(WM_DDE_ACK, WM_DDE_DATA, msg, timer)) {
      lateAtoms_.push_back(atom);
      return NoAnswer();
    }
    if (msg.message == WM_DDE_DATA) {
      UINT_PTR handle = 0, answered = 0;
      UnpackDDElParam(WM_DDE_DATA, msg.lParam, &handle, &answered);
      if (static_cast<ATOM>(answered) == atom) {
        if (!TakeData(msg.lParam, atom, text))
          return Failed("answered with no text");
        failure_.clear();
        return 1;
      }
      // Data for a request that timed out: taken (its atom goes with the acknowledgement) and dropped.
      std::string dropped;
      TakeLateAtom(static_cast<ATOM>(answered));
      TakeData(msg.lParam, static_cast<ATOM>(answered), dropped);
      continue;
    }
    // An acknowledgement instead of data answers nothing, whatever its status: a server may answer
    // an item it does not know with a positive one.
    UINT_PTR status = 0, answered = 0;
    UnpackDDElParam(WM_DDE_ACK, msg.lParam, &status, &answered);
    FreeDDElParam(WM_DDE_ACK, msg.lParam);
    if (static_cast<ATOM>(answered) == atom) {
      GlobalDeleteAtom(atom);
      return Failed("has no text for the item");
    }
    if (TakeLateAtom(static_cast<ATOM>(answered)))
      GlobalDeleteAtom(static_cast<ATOM>(answered));
  }
}

// Takes the text of a WM_DDE_DATA answer. Text is acknowledged positively and its block freed when
// the server released it; anything else is refused, and a server that asked for no acknowledgement
// has handed its block over, so it is freed here too.
int ddeclient::TakeData(LPARAM lParam, ATOM item, std::string& text) {
  UINT_PTR handle = 0, atom = 0;
  UnpackDDElParam(WM_DDE_DATA, lParam, &handle, &atom);
  FreeDDElParam(WM_DDE_DATA, lParam);
  HGLOBAL block = reinterpret_cast<HGLOBAL>(handle);
  auto* data = block ? static_cast<const unsigned char*>(GlobalLock(block)) : nullptr;
  if (!data) {
    GlobalDeleteAtom(static_cast<ATOM>(atom ? atom : item));
    return 0;
  }
  WORD flags = static_cast<WORD>(data[0] | data[1] << 8);
  WORD format = static_cast<WORD>(data[2] | data[3] << 8);
  SIZE_T size = GlobalSize(block);
  int accepted = format == CF_TEXT && size >= 4;
  if (accepted) {
    const char* begin = reinterpret_cast<const char*>(data + 4);
    text.assign(begin, strnlen(begin, size - 4));
  }
  GlobalUnlock(block);
  int acknowledged = 0;
  if (flags & DataAckRequested) {
    LPARAM ack = PackDDElParam(WM_DDE_ACK, accepted ? AckPositive : 0, atom);
    acknowledged = PostMessageA(server_, WM_DDE_ACK, reinterpret_cast<WPARAM>(window_), ack);
    if (!acknowledged)
      FreeDDElParam(WM_DDE_ACK, ack);
  }
  if (!acknowledged)
    GlobalDeleteAtom(static_cast<ATOM>(atom));
  if ((flags & DataRelease) && (accepted || !(flags & DataAckRequested)))
    GlobalFree(block);
  return accepted;
}
