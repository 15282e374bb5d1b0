#pragma once

#include <wincore/Seam.h>

#include <windows.h>

#include <cpl.h>

#include <functional>
#include <string>

// Control-panel applet libraries, loaded through a seam so that no fake applet is ever placed beside the
// program: a test hands in an entry of its own.
struct LoadedApplet {
  HMODULE module = nullptr;     // null: the library could not be loaded
  APPLET_PROC entry = nullptr;  // the "CPlApplet" entry; null when the library has none
  std::function<void()> unload; // frees the library
};
using AppletLoader = std::function<LoadedApplet(const std::string& library)>;

LoadedApplet LoadApplet(const std::string& library);
wincore::Seam<AppletLoader>& appletSeam();

class AppletOverride : public wincore::ScopedOverride<AppletLoader> {
public:
  explicit AppletOverride(AppletLoader replacement) : ScopedOverride(appletSeam(), std::move(replacement)) {}
};
