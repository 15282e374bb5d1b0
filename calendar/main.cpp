#include <calendar/data/DataFolder.h>
#include <calendar/frame/CDorvixApp.h>

#include <windows.h>

// The process-wide objects: the settings object is made on first use, before the application object.
namespace {

CDorvixApp theApp;

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  DataFolder::Set();
  return AfxWinMain(showCommand);
}
