// vaveza: finishes what the install engine cannot do while it runs (moving or deleting its own
// executable), as "vaveza.ini" in the Windows folder asks.
#include <vaveza/Vaveza.h>

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char folder[MAX_PATH] = "";
  GetWindowsDirectoryA(folder, sizeof folder);
  VavezaRequest request;
  if (!ReadVavezaSettings(std::string(folder) + "\\vaveza.ini", request))
    return VavezaNoSettings;
  return CarryOutVaveza(request, VavezaPlatform::System());
}
