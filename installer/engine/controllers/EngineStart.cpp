#include <engine/controllers/EngineStart.h>

#include <engine/controllers/ScriptInstallController.h>
#include <engine/controllers/UninstallController.h>

#include <foundation/registry/osinfo.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/ctl3d.h>
#include <foundation/windows/msgloop.h>
#include <foundation/windows/wndstack.h>

#include <cstdio>

EngineMakers EngineMakers::System() {
  EngineMakers makers;
  makers.install = [] { return std::unique_ptr<EngineController>(CreateScriptController()); };
  makers.uninstall = [] { return std::unique_ptr<EngineController>(new UninstallController); };
  return makers;
}

std::string SettingsPath() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\') + 1) + "kxmain.ini";
}

namespace {

// The three-dimensional controls a controller started are stopped however the run ends.
struct Ctl3dAtExit {
  ~Ctl3dAtExit() {
    if (Ctl3dActive())
      Ctl3dStop();
  }
};

} // namespace

int RunEngine(HINSTANCE, const EngineMakers& makers, const std::string& settings) {
  Ctl3dAtExit ctl3d;
  WindowStack();
  MessageLoop();
  SystemInfo().detect();
  int installing = GetFileAttributesA(settings.c_str()) != INVALID_FILE_ATTRIBUTES;
  // A result left by an earlier run must never be read as this run's.
  if (installing)
    WritePrivateProfileStringA("x", "r", nullptr, settings.c_str());
  std::unique_ptr<EngineController> controller = installing ? makers.install() : makers.uninstall();
  if (!controller || !controller->initialise())
    return 1;
  int result = controller->run();
  controller->finish();
  controller.reset();
  if (!installing)
    return 0;
  char text[16];
  std::snprintf(text, sizeof text, "%d", result);
  WritePrivateProfileStringA("x", "r", text, settings.c_str());
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, settings.c_str());
  return 0;
}
