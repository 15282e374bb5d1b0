#pragma once

#include <engine/expressions/ScriptExpressions.h>
#include <engine/screen/InstallScreen.h>
#include <engine/script/BuildInfo.h>
#include <engine/script/Components.h>
#include <engine/script/LanguageSet.h>
#include <engine/script/ScriptEvent.h>
#include <engine/script/UserDialogs.h>

#include <memory>
#include <string>

// The loaded install script. How a load works: the first byte gives the width of ints (16 or 32), the
// version (300..302) chooses the member list (version 300 has no components and no user dialogs),
// then the members are read in order, each bounded by the bytes left, so that no count or text can ask
// for more than the file holds. A failure leaves what was read until clear(). After a load the
// in-memory version is 302 and the header numbers have a working copy.

struct ProductRecord {
  int values[3] = {};   // finish kind, the run result figure, the three-dimensional-controls wish
  long figures[2] = {}; // the header figures
  std::string name;     // the product name
};

struct TextRecord {
  std::string texts[8];
  std::vector<std::string> further;
};

struct OptionsRecord {
  unsigned mediaMode = 0;
  int restart = 0;
  int silent = 0;
  std::string folder; // the default target folder
  std::string group;  // the default program group
};

struct FlagsRecord {
  int billboardSteps = 0;
  long minimumMillisecondsPerFile = 0;
};

class InstallScript {
public:
  InstallScript() = default;
  InstallScript(const InstallScript&) = delete;
  InstallScript& operator=(const InstallScript&) = delete;

  // Reads the whole script from the stream (positioned at its first byte), or from its bytes.
  int read(portistream& stream);
  int read(const char* bytes, long size);
  void clear();

  int loaded = 0;
  int version = 0;
  int changes = 0;
  int reserved = 0;
  long header[5] = {};
  long workingHeader[5] = {};
  std::unique_ptr<ProductRecord> product;
  std::unique_ptr<BuildInfo> build;
  EventList events;
  AuxiliaryFileList auxiliary;
  ComponentList components;
  UserDialogList dialogs;
  std::unique_ptr<TextRecord> texts;
  LanguageSet languages;
  std::unique_ptr<InstallScreenSettings> screen;
  std::unique_ptr<OptionsRecord> options;
  std::unique_ptr<FlagsRecord> flags;

private:
  int readscript(ScriptReader& reader);
  int readmembers(ScriptReader& reader);
};

// Loads the script file into the script; 1 or 0.
int LoadInstallScript(InstallScript& script, const char* path);

// Finds "install.inf", else "setup.inf", in the folder and loads it. Reports "install.inf or
// setup.inf not found" or "Unable to load %s" (with the path) and answers 0 on failure.
int LoadScriptFromFolder(InstallScript& script, const char* folder, ErrorReport& report);
