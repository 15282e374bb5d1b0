#pragma once

#include <wincore/Seam.h>

#include <windows.h>

#include <functional>
#include <string>

namespace pellawin {

// Asks the shell to open a file with its "open" verb; answers the shell's code (above 32 on success).
// Tests put their own opener in with a ShellOpenOverride so that no browser is started.
using ShellOpener = std::function<INT_PTR(HWND parent, const std::string& path)>;
INT_PTR ShellOpen(HWND parent, const std::string& path);
wincore::Seam<ShellOpener>& shellOpenSeam();

class ShellOpenOverride : public wincore::ScopedOverride<ShellOpener> {
public:
  explicit ShellOpenOverride(ShellOpener replacement)
      : ScopedOverride(shellOpenSeam(), std::move(replacement)) {}
};

} // namespace pellawin
