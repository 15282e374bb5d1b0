#include <formlib/TApplication.h>
#include <lookup/PellawinForms.h>

#include <windows.h>

using namespace formlib;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->Initialize();
  pellawin::CreateForms();
  Application->Run();
  return 0;
}
