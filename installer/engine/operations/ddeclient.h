#pragma once

#include <engine/operations/TickTimer.h>

#include <wincore/BoundWindow.h>

#include <windows.h>

#include <string>
#include <vector>

// A minimal DDE client on the protocol's window messages, talking to one server at a time through a
// hidden window of class "KXDDEHiddenWindowClass".
class ddeclient {
public:
  static constexpr DWORD DefaultTimeout = 6000;

  ddeclient() = default;
  // A conversation still open here is a failed check; the window goes either way.
  ~ddeclient();
  ddeclient(const ddeclient&) = delete;
  ddeclient& operator=(const ddeclient&) = delete;

  // How long executes and requests wait for the server's answer.
  void settimeout(DWORD milliseconds) { timeout_ = milliseconds; }

  // 1 when a server answered one of up to 10 initiates.
  int DdeConnect(const char* application, const char* topic);
  void DdeDisconnect();
  // 1 when the server acknowledged this command positively; an answer the client does not expect is
  // a failed command, never a failed check.
  int DdeExecute(const char* command);
  // 1 with the server's text for the item; 0 when it refused, sent no text, or did not answer.
  int DdeRequest(const char* item, UINT format, std::string& text);

  HWND server() const { return server_; }
  HWND window() const { return window_; }
  // What the server did when the last connect, execute or request failed ("did not answer within
  // 6000 ms", "refused the command", ...), to follow the server's name in a message; empty after one
  // that succeeded.
  const std::string& failure() const { return failure_; }

private:
  // The hidden window's binding to this client, through the window core: the window's user data stays
  // the program's.
  class HiddenWindow : public wincore::BoundWindow {
  public:
    explicit HiddenWindow(ddeclient& client) : client_(client) {}

  protected:
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
      return client_.OnMessage(message, wParam, lParam);
    }

  private:
    ddeclient& client_;
  };

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  int CreateWindowOnce();
  // Takes the first message first..last sent to the client window; 0 when time runs out or the
  // server ends the conversation meanwhile.
  int WaitFor(UINT first, UINT last, MSG& msg, const TickTimer& timer);
  int TakeData(LPARAM lParam, ATOM item, std::string& text);
  // The late answer of a command that timed out frees the block it left.
  void TakeLateBlock(HGLOBAL block);
  // 1 when the atom is that of a request that timed out, which is then no longer waited for.
  int TakeLateAtom(ATOM atom);
  int Failed(const char* what);
  int NoAnswer();

  HiddenWindow hidden_{*this};
  HWND window_ = nullptr;
  HWND server_ = nullptr;
  int initiating_ = 0;
  DWORD timeout_ = DefaultTimeout;
  std::vector<HGLOBAL> lateBlocks_;
  std::vector<ATOM> lateAtoms_;
  std::string failure_;
};
