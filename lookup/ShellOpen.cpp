#include <lookup/ShellOpen.h>

#include <shellapi.h>

namespace pellawin {

namespace {

INT_PTR systemOpen(HWND parent, const std::string& path) {
  return reinterpret_cast<INT_PTR>(ShellExecuteA(parent, "open", path.c_str(), nullptr, nullptr, SW_SHOW));
}

} // namespace

wincore::Seam<ShellOpener>& shellOpenSeam() {
  static wincore::Seam<ShellOpener> seam{systemOpen};
  return seam;
}

INT_PTR ShellOpen(HWND parent, const std::string& path) { return shellOpenSeam()(parent, path); }

} // namespace pellawin
