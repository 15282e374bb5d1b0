#include "ShellOpen.h"

#include <shellapi.h>

namespace pellawin {

namespace {

INT_PTR systemOpen(HWND parent, const std::string& path) {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(parent, "open", path.c_str(), nullptr, nullptr, SW_SHOW));
}

ShellOpener& opener() {
  static ShellOpener current = systemOpen;
  return current;
}

} // namespace

INT_PTR ShellOpen(HWND parent, const std::string& path) { return opener()(parent, path); }

void SetShellOpener(ShellOpener replacement) { opener() = replacement ? std::move(replacement) : systemOpen; }

} // namespace pellawin
