#pragma once

#include <engine/controllers/InstallController.h>

#include <cstdio>
#include <string>

// An install controller whose script side gives the plainest answers: one part of 100 KB, no files, no
// components, a run that succeeds. Tests override what they look at.
class ScriptSideStub : public InstallController {
public:
  explicit ScriptSideStub(const std::string& engine) {
    std::snprintf(engineFolder_, sizeof engineFolder_, "%s", engine.c_str());
  }

  int loadscript() override { return 1; }
  int runscript() override { return 0; }
  void releasescript() override {}
  int productname(char* name) override {
    std::snprintf(name, 128, "%s", productName.c_str());
    return 1;
  }
  HeaderFigures headerfigures() override { return {}; }
  int diskmap(DiskMap& map) override {
    map = disks;
    return 1;
  }
  const LanguageSet& languageset() override { return languages; }
  std::vector<std::pair<const FileEntry*, std::string>> auxiliaryitems() override { return {}; }
  int finishkind() override { return 0; }
  int resultfigure() override { return 0; }
  int partcount() override { return 1; }
  long partsize(int) override { return 100; }
  const FileEntry* fileentry(unsigned) override { return nullptr; }
  int selectcomponents() override { return 1; }
  int userdialog(const char*, int& result) override {
    result = 0;
    return 1;
  }

  std::string productName = "Kx Demo";
  DiskMap disks;
  LanguageSet languages;
};
