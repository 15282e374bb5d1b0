#include <foundation/system/ctl3d.h>

#include <foundation/paths/fpath.h>
#include <foundation/strings/textresource.h>
#include <foundation/windows/threedhook.h>

namespace {

const char* libraryName = "ctl3d32.dll";
int nesting = 0;
HMODULE library = nullptr;

using InstanceCall = BOOL(WINAPI*)(HINSTANCE);
using WindowCall = BOOL(WINAPI*)(HWND);

template <class Entry> Entry find(const char* name) {
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

int callWithInstance(const char* name) {
  auto entry = find<InstanceCall>(name);
  return entry && entry(EngineModule());
}

int load() {
  fpathbuf shared, file;
  if (!fpath::setshareddir(shared) || !fpath::setjoin(file, shared.str(), libraryName) ||
      !fpath::exists(file))
    return 0;
  // The checked file itself: a bare name would find a copy in the engine's own folder (the medium, a
  // download folder) before the system's.
  library = LoadLibraryA(file.str());
  if (!library)
    return 0;
  int registered = callWithInstance("Ctl3dRegister");
  int subclassing = callWithInstance("Ctl3dAutoSubclass");
  return registered && subclassing;
}

} // namespace

const char* SetCtl3dName(const char* name) {
  const char* previous = libraryName;
  libraryName = name;
  return previous;
}

int Ctl3dStart() {
  if (nesting++ > 0)
    return library != nullptr;
  int active = load();
  // Controls made or cloned from now on take the 3-D look too.
  if (library)
    SetThreeDHook(Ctl3dSubclassControl);
  return active;
}

void Ctl3dStop() {
  if (nesting == 0 || --nesting > 0 || !library)
    return;
  SetThreeDHook(nullptr);
  callWithInstance("Ctl3dUnregister");
  FreeLibrary(library);
  library = nullptr;
}

void Ctl3dSubclassControl(HWND control) {
  if (!library)
    return;
  if (auto entry = find<WindowCall>("Ctl3dSubclassCtl"))
    entry(control);
}

int Ctl3dActive() { return library != nullptr; }
