#include <notes/Form6.h>

#include <formsrt/Application.h>

#include <windows.h>

namespace notaris {

using namespace formsrt;

namespace {

// Digits in groups of three with the system's separator, padded with zeros to `minimum` digits.
std::string grouped(std::uint64_t value, std::size_t minimum) {
  std::string digits = std::to_string(value);
  if (digits.size() < minimum)
    digits.insert(0, minimum - digits.size(), '0');
  char separator[8] = ",";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0)
      text += separator;
    text += digits[i];
  }
  return text;
}

} // namespace

std::string physicalMemoryLine(std::uint64_t bytes) {
  return "Physical Memory Available to Windows:  " + grouped(bytes / 1024, 5) + " KB";
}

std::string memoryInUseLine(unsigned percent) {
  return "Physical Memory Currently In Use:  " + std::to_string(percent) + "%";
}

Form6::Form6()
    : Form("Form6", 5400, 2880), Image1(*this, "Image1", 240, 240, 480, 480),
      Label1(*this, "Label1", "Notaris", 960, 240, 4200, 255),
      Label2(*this, "Label2", "Version 1.0  -  posts notes to open at the next start of Windows", 960, 540,
             4200, 495),
      Label3(*this, "Label3", "", 240, 1320, 4920, 255), Label4(*this, "Label4", "", 240, 1620, 4920, 255),
      Command1(*this, "Command1", "OK", 2160, 2220, 1080, 375) {
  setCaption("About Notaris");
  StartUpPosition = startUpCenterOwner;
  Command1.Click = [this] { Unload(); };
  Command1.setDefault(true);
  Command1.setCancel(true);
}

void Form6::Form_Load() {
  Screen.setMousePointer(pointerHourglass);
  Image1.setPicture(LoadIcon(nullptr, IDI_INFORMATION));
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  GlobalMemoryStatusEx(&status);
  Label3.setCaption(physicalMemoryLine(status.ullTotalPhys));
  Label4.setCaption(memoryInUseLine(status.dwMemoryLoad));

  // The form is in its place (centred on the main form) when it loads: the pointer rests on OK.
  POINT onButton{twipsToPixelsX(Command1.Left() + Command1.Width() / 2),
                 twipsToPixelsY(Command1.Top() + Command1.Height() / 2)};
  ClientToScreen(hwnd(), &onButton);
  SetCursorPos(onButton.x, onButton.y);
  Screen.setMousePointer(pointerDefault);
}

} // namespace notaris
