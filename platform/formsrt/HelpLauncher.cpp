#include <formsrt/HelpLauncher.h>

namespace formsrt {

bool systemHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) {
  return WinHelpA(owner, helpFile.c_str(), command, data) != FALSE;
}

wincore::Seam<HelpFunction>& helpSeam() {
  static wincore::Seam<HelpFunction> seam{systemHelp};
  return seam;
}

bool ShowHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) {
  return helpSeam()(owner, helpFile, command, data);
}

} // namespace formsrt
