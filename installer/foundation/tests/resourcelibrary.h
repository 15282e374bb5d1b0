#pragma once

#include <foundation/strings/textresource.h>

#include <tests/support/TestProgram.h>

#include <windows.h>

#include <string>

// A resource library made the resource module for one scope: the test stand-in built beside the test
// program, or one of the language libraries built beside the programs.
class ResourceLibrary {
public:
  explicit ResourceLibrary(const char* name = "kxlangtest.dll") {
    std::string dir = testsupport::testProgramFolder();
    module_ = LoadLibraryExA((dir + name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module_) // build/<arch>/installer/foundation/tests -> build/<arch>/bin
      module_ = LoadLibraryExA((dir + "..\\..\\..\\bin\\" + name).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    SetResourceModule(module_);
  }
  ~ResourceLibrary() {
    SetResourceModule(nullptr);
    FreeLibrary(module_);
  }
  ResourceLibrary(const ResourceLibrary&) = delete;
  ResourceLibrary& operator=(const ResourceLibrary&) = delete;
  HMODULE module() const { return module_; }

private:
  HMODULE module_;
};
