#pragma once

#include <windows.h>

// The owners of the engine's dialogs: a dialog pushes its window when it shows and pops it when it
// closes, and a dialog without an owner of its own takes the top. Holds 20 windows; pushes beyond that
// are counted, so that their pops do not take another window off.
constexpr int MaxStackedWindows = 20;

class wndstack {
public:
  void push(HWND window);
  void pop();
  HWND top() const { return count_ ? windows_[count_ - 1] : nullptr; }
  int count() const { return count_; }

private:
  int count_ = 0;
  int overflow_ = 0;
  HWND windows_[MaxStackedWindows] = {};
};

wndstack& WindowStack();
