#pragma once

#include <engine/controllers/InstallController.h>

#include <windows.h>

#include <functional>
#include <memory>

// How the engine is started: with "kxmain.ini" beside the executable it installs, without it
// uninstalls. The makers are seams for tests; the result is the process's exit code.
struct EngineMakers {
  std::function<std::unique_ptr<EngineController>()> install;
  std::function<std::unique_ptr<EngineController>()> uninstall;

  static EngineMakers System();
};

// The settings file beside the running module.
std::string SettingsPath();
int RunEngine(HINSTANCE instance, const EngineMakers& makers, const std::string& settings);
