#include "AppletLibrary.h"

namespace {

class SystemLoader : public AppletLibrary::Loader {
public:
  HMODULE Load(const std::string& name) override { return LoadLibraryA(name.c_str()); }
  APPLET_PROC Find(HMODULE module) override {
    return reinterpret_cast<APPLET_PROC>(reinterpret_cast<void (*)()>(GetProcAddress(module, "CPlApplet")));
  }
  void Free(HMODULE module) override { FreeLibrary(module); }
};

SystemLoader systemLoader;
AppletLibrary::Loader* loader = &systemLoader;

} // namespace

AppletLibrary::Loader& AppletLibrary::Current() { return *loader; }

void AppletLibrary::SetLoader(Loader* replacement) { loader = replacement ? replacement : &systemLoader; }
