#include <wincore/Help.h>

namespace wincore {

bool systemHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) {
  return WinHelpA(owner, helpFile.c_str(), command, data) != FALSE;
}

Seam<HelpFunction>& helpSeam() {
  static Seam<HelpFunction> seam{systemHelp};
  return seam;
}

bool showHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) {
  return helpSeam()(owner, helpFile, command, data);
}

} // namespace wincore
