#pragma once

#include <engine/operations/ProgramGroups.h>

#include <windows.h>

#include <string>

// A shortcut's program and arguments from a command line: a quoted program name, or the longest start
// that names an existing file (a program in a folder with blanks), is taken whole; else the first word.
void SplitProgramCommand(const std::string& command, std::string& program, std::string& arguments);

// Program groups as folders under the user's Programs folder, items as shortcut files in them,
// written and read through the system's shell link object.
class ShellFolderGroups : public ProgramGroups {
public:
  ShellFolderGroups() = default;
  ~ShellFolderGroups() override { shutdown(0); }

  void shutdown(int close) override;
  int startup(int start) override;
  int creategroup(const char* name) override;
  int deletegroup(const char* name) override;
  int showgroup(const char* name, int show) override;
  int additem(const ProgramItem& item) override;
  int additem(const char* commandline, const char* name, const char* iconpath, int iconindex,
              const char* workingfolder) override;
  int deleteitem(const char* name) override;
  int groupexists(const char* name) override;
  int itemexists(const char* group, const char* name) override;
  int itemrecord(const char* group, const char* name, ProgramItem& item) override;
  int groupcontents(const char* group, GroupContents& contents) override;
  int grouplist(std::string& text) override;

  // Value "Programs" of the user's shell folders; empty when not set.
  static std::string ProgramsFolder();

private:
  std::string GroupFolder(const char* group) const;
  std::string ItemFile(const char* group, const char* name, const char* extension) const;
  int SaveLink(const ProgramItem& item, const std::string& file);
  int LoadLink(const std::string& file, ProgramItem& item);

  HMODULE ole_ = nullptr;
  std::string currentGroup_;
};
