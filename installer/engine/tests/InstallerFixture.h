#pragma once

#include <engine/log/OperationLog.h>
#include <engine/operations/Installer.h>
#include <tests/support/RegistrySandbox.h>
#include <tests/support/TempDir.h>

#include <set>
#include <string>
#include <vector>

// Keeps the records the writer operations hand over, and prints them one per line.
class RecordingLog : public OperationLog {
public:
  std::vector<LogRecord> records;
  std::string lines() const;
  int keepsrecords() const override { return 1; }

protected:
  void record(LogRecord& entry) override {
    entry.state = state;
    records.push_back(entry);
  }
};

// An installer over a private folder and a private HKEY_CURRENT_USER: shared-library counts live
// under HKCU, the folder's "shared" subfolder is the shared-files folder, files named in `busy` are
// in use, and renames at the next restart are recorded, not scheduled.
class InstallerFixture {
public:
  InstallerFixture();

  std::string file(const std::string& name) const { return dir.file(name); }

  testsupport::RegistrySandbox sandbox;
  testsupport::TempDir dir;
  std::set<std::string> busy;
  std::vector<std::pair<std::string, std::string>> renames;
  int renameWorks = 1;
  RecordingLog log;
  Installer installer;
};

// A file of the test program's folder (the version fixtures are built there).
std::string TestProgramFile(const char* name);
// Loads the English language library from the programs' folder as the resource module; 1 when loaded.
int LoadEnglishLibrary(class LanguageLibrary& library);
// Points the user's "Programs" shell folder at `folder` (inside a registry sandbox).
void SetProgramsFolder(const std::string& folder);
// Program groups become folders under `folder`, through the shell-folder implementation.
void UseShellFolderGroups(const std::string& folder);
// A text file's content of `size` bytes, its lines numbered by `seed`.
std::string Text(int size, int seed);
