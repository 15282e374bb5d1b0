#pragma once

#include <engine/operations/ProgramGroups.h>
#include <engine/operations/ddeclient.h>

#include <functional>

// Program groups through Program Manager's DDE commands.
class ProgmanGroups : public ProgramGroups {
public:
  struct Environment {
    // Starts "progman.exe"; 1 when it started.
    std::function<int()> start;
    // Whether the shell is Program Manager, whose window is then shown and restored.
    int shellIsProgman = 1;
    DWORD timeout = ddeclient::DefaultTimeout;
  };

  explicit ProgmanGroups(Environment environment);

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
  // A failed command or request names what the Program Manager did: refused it, did not answer in
  // the time given, or ended the conversation.
  std::string failure() const override;

private:
  int Command(const std::string& command);

  Environment environment_;
  ddeclient client_;
};

// The commands, formatted whole whatever the lengths of their arguments.
std::string CreateGroupCommand(const char* name);
std::string ShowGroupCommand(const char* name, int show);
std::string DeleteGroupCommand(const char* name);
std::string DeleteItemCommand(const char* name);
std::string AddItemCommand(const char* commandline, const char* name, const char* iconpath, int iconindex,
                           const char* workingfolder);
std::string AddItemRecordCommand(const ProgramItem& item);
