#pragma once

#include <engine/log/OperationLog.h>
#include <engine/operations/ProgramItem.h>

#include <windows.h>

#include <functional>
#include <set>
#include <string>

// The platform answers an installation depends on but cannot always trust or a test must not use.
struct InstallerPlatform {
  // Whether another program holds the file open.
  std::function<int(const char* path)> inuse;
  // Puts `from` in the place of `to` at the next restart; 1 when scheduled.
  std::function<int(const char* from, const char* to)> renameatrestart;
  // The shared-library counts: root index and key path.
  int sharedroot = 0;
  std::string sharedkey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
  // The folders whose files are counted: the shared-files and the common-files folder.
  std::string sharedfolder;
  std::string commonfolder;
  // The Windows folder and the key under HKEY_LOCAL_MACHINE that holds "IniFileMapping".
  std::string windowsfolder;
  std::string versionkey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

  static InstallerPlatform System();
};

// Registry roots by the index the script and the log store.
HKEY RegistryRoot(int root);
// "HKLM\path" and its siblings, for messages.
std::string RegistryKeyText(int root, const char* path);

// How this works: every change an installation makes goes through here, and each one that
// succeeds is told to the current log writer as the record that undoes it. Failures are reported
// (unless quiet), leave an error code and answer 0. The uninstaller undoes records through the
// same operations with the null writer, so an undo is never logged.
class Installer {
public:
  enum Error {
    NoError = 0,
    OtherError = 1,
    DeleteFailed = 2,
    RenameFailed = 3,
    OutOfMemory = 4,
    CloseFailed = 8,
    MkdirFailed = 9
  };

  explicit Installer(InstallerPlatform platform = InstallerPlatform::System());

  OperationLog& log() { return *log_; }
  // The writer kept aside is put back by restorelog().
  void switchlog(OperationLog* writer);
  void restorelog();
  int error = NoError;
  int quiet = 0;
  const InstallerPlatform& platform() const { return platform_; }

  // Files and directories.
  // 0 created, 1 already there, 2 failed.
  int createdirectory(const char* path);
  int deletefile(const char* path);
  int removetree(const char* path);
  int move(const char* source, const char* destination);
  int replacewithbackup(const char* a, const char* b, const char* backup);
  int copy(const char* source, const char* destination);
  int setattributes(const char* path, DWORD attributes);
  // 0 enough, 1 not enough (reported), 2 unknown (reported); `needed` in units of 10 KB.
  int checkfreespace(const char* drive, long needed);
  static int drivekind(const char* path);
  static int firstcdrom();
  int inuse(const char* path) const;

  // Shared-library counts.
  int readcount(const char* path);
  int incrementcount(const char* path);
  int decrementcount(const char* path);
  // -1 for a file outside the shared-files and common-files folders.
  int writecount(const char* path, int count);
  int iscounted(const char* path) const;

  // Registry.
  int createkey(int root, const char* path);
  int deletekey(int root, const char* path);
  int keyhasentries(int root, const char* path);
  int setvalue(int root, const char* path, const char* name, DWORD type, const std::string& data);
  int setstring(int root, const char* path, const char* name, const char* text);
  int deletevalue(int root, const char* path, const char* name);
  // A string value as it is, a 4-byte REG_DWORD as "%u"; cut to fit and terminated.
  int valueastext(int root, const char* path, const char* name, char* buffer, int size);

  // Where the system keeps a Windows-folder initialisation file's entry in the registry instead:
  // 1 with the root index and key path ("USR:" the user's, "SYS:" the machine's), else 0.
  int inifilemapping(const char* file, const char* section, const char* entry, int& root, std::string& key);

  // Initialisation files.
  int setentry(const char* file, const char* section, const char* entry, const char* text);
  int addsection(const char* file, const char* section);
  int deletesection(const char* file, const char* section);
  int insertentry(const char* file, const char* section, const char* entry, const char* text, int occurrence);
  int replaceentry(const char* file, const char* section, const char* entry, const char* text,
                   int occurrence);
  int deleteentry(const char* file, const char* section, const char* entry, int occurrence);

  // Program groups.
  int creategroup(const char* name);
  int createitem(const char* group, const ProgramItem& item);
  int deleteitem(const char* group, const char* name);
  int deletegroup(const char* name);
  int grouphasitems(const char* name);
  // The groups' names, one per line; 0 when the groups cannot be reached.
  int grouplist(std::string& text);

  // Fonts and self-registering servers.
  int installfont(const char* path);
  int registerserver(const char* path, int reg);

  // Reports (unless quiet) and sets the code; answers 0.
  int fail(int code, const char* format, ...);

  // Files an uninstall leaves in place (the user kept them, or they are still shared): nothing the
  // undo puts back may overwrite them.
  void keep(const char* path);
  int iskept(const char* path) const;
  // Initialisation files an INI operation of the log created: others may have written to them since.
  void noteinifile(const char* path);
  int isinifile(const char* path) const;

private:
  // Whether the log has failed, so that nothing more may change (the failure was reported by the
  // log): the operation answers its failure without a word.
  int stopped();
  // A group or item name that Program Manager's commands cannot hold, refused with a message.
  int refusedname(const char* kind, const char* name);
  int DeleteKeyValues(int root, const char* path);
  // Whether the log can hold a field of the change's record; a change it could not hold is not made
  // (reported, naming `name` or else the text), so that no change escapes the uninstall.
  int loggable(LogFieldKind kind, const std::string& text, const char* name = nullptr);
  // Renames the file to its first free backup name beside it, logged.
  int setaside(const char* path);

  InstallerPlatform platform_;
  OperationLog nullLog_;
  OperationLog* log_ = &nullLog_;
  OperationLog* kept_ = &nullLog_;
  std::set<std::string> keptFiles_;
  std::set<std::string> iniFiles_;
};

// An installer that logs nothing, for the steps whose record is written by someone else.
class SilentInstaller : public Installer {
public:
  explicit SilentInstaller(const Installer& owner) : Installer(owner.platform()) { quiet = owner.quiet; }
};

// Process privileges for a restart.
HANDLE OpenOwnToken(DWORD access);
void CloseToken(HANDLE& token);
int SetPrivilege(HANDLE token, const char* name, int enable);
