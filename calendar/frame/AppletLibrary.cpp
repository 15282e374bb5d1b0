#include <calendar/frame/AppletLibrary.h>

namespace {

LoadedApplet SystemApplet(const std::string& library) {
  LoadedApplet applet;
  applet.module = LoadLibraryA(library.c_str());
  if (!applet.module)
    return applet;
  applet.entry =
      reinterpret_cast<APPLET_PROC>(reinterpret_cast<void (*)()>(GetProcAddress(applet.module, "CPlApplet")));
  HMODULE module = applet.module;
  applet.unload = [module] { FreeLibrary(module); };
  return applet;
}

} // namespace

wincore::Seam<AppletLoader>& appletSeam() {
  static wincore::Seam<AppletLoader> seam{SystemApplet};
  return seam;
}

LoadedApplet LoadApplet(const std::string& library) { return appletSeam()(library); }
