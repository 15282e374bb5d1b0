#include <formsrt/HelpLauncher.h>

#include <utility>

namespace formsrt {

namespace {

HelpFunction& current() {
  static HelpFunction function = [](HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) {
    return WinHelpA(owner, helpFile.c_str(), command, data) != FALSE;
  };
  return function;
}

} // namespace

bool ShowHelp(HWND owner, const std::string& helpFile, UINT command, ULONG_PTR data) {
  return current()(owner, helpFile, command, data);
}

HelpOverride::HelpOverride(HelpFunction replacement)
    : previous_(std::exchange(current(), std::move(replacement))) {}

HelpOverride::~HelpOverride() { current() = std::move(previous_); }

} // namespace formsrt
