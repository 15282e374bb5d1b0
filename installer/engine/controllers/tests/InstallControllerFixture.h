#pragma once

// The install controller with a script side that answers from its fields, shared by the controller's
// test files.

#include <engine/controllers/InstallController.h>
#include <engine/tests/ScriptSideStub.h>
#include <engine/tests/TestFolders.h>

#include <tests/support/RegistrySandbox.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <kxlang/kxlangids.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

class FakeScriptController : public ScriptSideStub {
public:
  explicit FakeScriptController(const std::string& engine) : ScriptSideStub(engine) {
    productName = "Demo Product";
  }

  int loadscript() override { return loads; }
  int runscript() override {
    calls += "runscript ";
    return runResult;
  }
  int diskmap(DiskMap& map) override {
    map = disks;
    return hasDiskMap;
  }
  int partcount() override { return static_cast<int>(sizes.size()); }
  long partsize(int part) override { return sizes[static_cast<size_t>(part)]; }
  long minimumitemtime() override { return minimumTime; }

  void setsource(const char* folder, int mode) {
    std::snprintf(sourceFolder_, sizeof sourceFolder_, "%s", folder);
    mediaMode_ = mode;
  }
  void setlabels(std::vector<std::string> labels) { map_.labels = std::move(labels); }
  void registeruninstaller(const std::string& folder, int append) {
    uninstallFolder_ = folder;
    appendLog_ = append;
  }
  int openworkinglog() {
    std::strcpy(product_, "Demo Product");
    return openlog();
  }
  void closeworkinglog() { closelog(); }
  int loadlanguage() {
    return library_.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll");
  }
  void setparts(std::vector<long> partSizes) {
    sizes = std::move(partSizes);
    parts_.assign(sizes.size(), 1);
  }
  std::vector<int>& parts() { return parts_; }

  int loads = 1;
  int runResult = 0;
  long minimumTime = 0;
  int hasDiskMap = 1;
  std::vector<long> sizes;
  std::string calls;
};

struct ControllerFixture : ::testing::Test {
  testsupport::RegistrySandbox sandbox;
  testsupport::TempDir dir;
  FakeScriptController controller{dir.path()};

  std::string ini() const { return dir.file("kxmain.ini"); }
};
