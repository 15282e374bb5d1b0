#pragma once

#include <formsrt/RuntimeError.h>

#include <functional>

// The runtime error number that `action` raises, 0 when it raises none.
inline int errorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const formsrt::RuntimeError& e) {
    return e.number();
  }
  return 0;
}
