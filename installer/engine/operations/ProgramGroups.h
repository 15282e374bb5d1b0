#pragma once

#include <engine/operations/ProgramItem.h>

#include <string>

// Program groups and their items, kept by Program Manager or as folders of shortcuts. Every
// operation answers 1 on success and 0 on failure.
class ProgramGroups {
public:
  virtual ~ProgramGroups() = default;
  virtual void shutdown(int close) = 0;
  virtual int startup(int start) = 0;
  virtual int creategroup(const char* name) = 0;
  virtual int deletegroup(const char* name) = 0;
  virtual int showgroup(const char* name, int show) = 0;
  virtual int additem(const ProgramItem& item) = 0;
  virtual int additem(const char* commandline, const char* name, const char* iconpath, int iconindex,
                      const char* workingfolder) = 0;
  virtual int deleteitem(const char* name) = 0;
  virtual int groupexists(const char* name) = 0;
  virtual int itemexists(const char* group, const char* name) = 0;
  virtual int itemrecord(const char* group, const char* name, ProgramItem& item) = 0;
  virtual int groupcontents(const char* group, GroupContents& contents) = 0;
  virtual int grouplist(std::string& text) = 0;
  // What went wrong in the last operation that failed, for its message; empty when there is nothing
  // more to say than that it failed.
  virtual std::string failure() const { return std::string(); }
};

// Whether the name can be one group: not empty, no folder separator, not "." or "..", so that no
// group operation ever reaches the folder of all groups or one outside it.
int IsGroupName(const char* name);

// Whether the name can stand between the quotes of a Program Manager command: its syntax has no
// escape, so a quote or a bracket would end the argument or the command and start another.
int IsProgmanName(const char* name);

// The short form of a path that exists; the path itself otherwise, and empty stays empty.
std::string ShortForm(const char* path);
