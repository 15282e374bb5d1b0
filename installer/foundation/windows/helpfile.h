#pragma once

#include <foundation/paths/fpath.h>
#include <foundation/windows/msgloop.h>

#include <windows.h>

// The engine's help binding: F1 in any of its windows shows the help topic of the active dialog, and
// a missing help file shows the "no help" box instead of starting the help program.
class helpfile {
public:
  void set(HWND owner, const char* file, int value, int defaultid);
  void close();
  // Calls the help program, or shows the "no help" box when the file is missing or the topic is -1.
  void call(UINT command, ULONG_PTR data);
  void helponhelp() { call(HELP_HELPONHELP, 0); }
  void context(int id) { call(HELP_CONTEXT, static_cast<ULONG_PTR>(id)); }
  void key(const char* keyword) { call(HELP_KEY, reinterpret_cast<ULONG_PTR>(keyword)); }
  void partialkey(const char* keyword) { call(HELP_PARTIALKEY, reinterpret_cast<ULONG_PTR>(keyword)); }
  void showfor(HWND window);
  void showactive() { showfor(GetActiveWindow()); }
  // Takes the release of F1 (pressed once) in a window of the engine and shows help for it.
  int filterf1(const MSG& message);

  int value = 0;
  int defaultid = 0;
  HWND owner = nullptr;
  fpathbuf file;
};

helpfile& EngineHelp();

// The message loop's hook that gives F1 to the engine's help binding.
class helpfilter : public msghook {
public:
  int handle(MSG& message) override { return EngineHelp().filterf1(message); }
};

// The help topic a window names for itself when asked with command 1234; 0 for none.
int HelpIdOfWindow(HWND window);

constexpr int HelpIdCommand = 1234;
