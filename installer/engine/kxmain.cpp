// kxmain: the install engine, which also uninstalls what it installed.
#include <engine/controllers/EngineStart.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  return RunEngine(instance, EngineMakers::System(), SettingsPath());
}
