#pragma once

#include <windows.h>

// Running a program and waiting for it under a policy, while the windows stay alive.

struct runcommand {
  char command[1024] = ""; // command line, or the file to open through the shell
  int useshell = 0;
  int show = SW_SHOWNORMAL;
};

// How long RunAndWait waits: begin (1 to go on), poll (clears `running` when the wait is over), end.
class waitpolicy {
public:
  virtual ~waitpolicy() = default;
  virtual int begin() { return 1; }
  virtual void poll() = 0;
  virtual void end() {}
  // What the wait between polls may sleep on besides window messages (none: a short sleep).
  virtual HANDLE waitobject() const { return nullptr; }

  HANDLE process = nullptr; // none when the shell opened a document without a process
  int running = 0;
};

class nowaitpolicy : public waitpolicy {
public:
  void poll() override { running = 0; }
};

// Until the named window has appeared and gone again, or the program has ended while no such window is
// up. An empty class name or title matches any.
class windowwaitpolicy : public waitpolicy {
public:
  windowwaitpolicy(const char* windowclass, const char* title);
  int begin() override;
  void poll() override;

private:
  char class_[80];
  char title_[80];
  int seen_ = 0;
};

// Until the process ends; its exit code goes to `code` when one is given. The thread runs at the
// lowest priority meanwhile, so that the program started runs first. Without a process there is
// nothing to wait for.
class exitwaitpolicy : public waitpolicy {
public:
  explicit exitwaitpolicy(DWORD* code) : code_(code) {}
  int begin() override;
  void poll() override;
  void end() override;
  HANDLE waitobject() const override { return process; }

private:
  DWORD* code_;
  int priority_ = THREAD_PRIORITY_NORMAL;
};

// Starts the program; the process handle (none for a document the shell opened) goes to `process`.
// 1 when started.
int RunProgram(const runcommand& command, HANDLE& process);
// Starts the program and waits under the policy, dispatching messages meanwhile. 1 when started.
int RunAndWait(waitpolicy& policy, const runcommand& command);
int RunNoWait(const runcommand& command);
int RunWaitWindow(const runcommand& command, const char* windowclass, const char* title);
int RunWaitExit(const runcommand& command, DWORD* code);
