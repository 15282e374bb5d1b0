#include "TApplication.h"
#include "TfrmTimeZones.h"

#include <windows.h>

using namespace formlib;

namespace pellawin {
TfrmTimeZones* frmTimeZones = nullptr;
}

// Until the program's main window joins it, the world-time window is the program.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  Application->CreateForm(pellawin::frmTimeZones);
  Application->Run();
  return 0;
}
