#pragma once

#include <windows.h>

#include <cpl.h>

#include <string>

// Loads control-panel applet libraries. Tests put a loader of their own in place of the system's, so
// that no fake applet is ever placed beside the program.
class AppletLibrary {
public:
  class Loader {
  public:
    virtual ~Loader() = default;
    virtual HMODULE Load(const std::string& name) = 0;
    virtual APPLET_PROC Find(HMODULE module) = 0; // the "CPlApplet" entry, or null
    virtual void Free(HMODULE module) = 0;
  };

  static Loader& Current();
  // Null gives the system's loader back.
  static void SetLoader(Loader* loader);
};
