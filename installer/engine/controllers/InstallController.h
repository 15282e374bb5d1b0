#pragma once

#include <engine/controllers/EventController.h>
#include <engine/dialogs/BusyMessage.h>
#include <engine/dialogs/OverwriteDialog.h>
#include <engine/log/OperationLog.h>
#include <engine/operations/Installer.h>
#include <engine/operations/SearchPlaces.h>
#include <engine/screen/InstallWindows.h>
#include <engine/script/BuildInfo.h>
#include <engine/script/DistributionArchive.h>
#include <engine/script/LanguageSet.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The top-level operations the engine's start drives, in this order: initialise, run, finish.
class EngineController {
public:
  virtual ~EngineController() = default;
  virtual int run() = 0;
  virtual void finish() = 0;
  virtual int initialise() = 0;
};

// What the script says about its distribution: the archive's base name and numbering, the disks'
// labels and the file groups.
struct DiskMap {
  int numberedBySet = 0;
  std::string archive;
  std::vector<std::string> labels;
  std::vector<FileGroup> groups;
};

// The four figures the operation log's header keeps for the uninstaller.
struct HeaderFigures {
  int dialogMode = 1;
  long versionHigh = 0;
  long versionLow = 0;
  long minimumTime = 0;
};

// The machine's drives, a seam so that tests never look at the host's.
struct DrivePlatform {
  std::function<UINT(const char* root)> type;
  // Free bytes, -1 when not known.
  std::function<long long(const char* root)> freebytes;

  static DrivePlatform System();
};

// Drive classes: 0 unknown or a small removable drive, 1 fixed, 2 a removable drive of more than
// 4095 units of 10 KB, 3 remote, 4 CD-ROM. A UNC path is remote.
int DriveClass(const char* path, const DrivePlatform& drives);
// "X:\" for a path on a drive, "\\server\share\" for a UNC path, "" otherwise.
std::string DriveRoot(const char* path);
// 0 single location, 1 removable disks, 2 disk folders; -1 for an invalid combination.
int ChooseMediaMode(int driveClass, const char* lastFolder);
// The gauge's percent of done units: a total of 0 is all done, a count past the total is 100.
int ProgressPercent(long long done, long long total);
// The finish dialog's type for the script's finish kind and the run's restart flags.
int FinishType(int finishKind, int restartDeferred, int dosRestart, int systemIniChanged);
// Argument n (from 0) of a command line split at blanks, into 256 characters; 0 when there is none.
int CommandLineArgument(const char* commandLine, int n, char* out);
// A registry multi-string of the text's lines: each non-empty line ended by a NUL, one more NUL at
// the end.
std::string MultiStringOfLines(const char* text);
// The command line with every quoted path replaced by the answer of `shorten` (unquoted); a path it
// answers "" for keeps its quotes.
std::string ShortenQuotedPaths(const std::string& commandLine,
                               const std::function<std::string(const std::string&)>& shorten);
// The short form of an existing path, "" when there is none.
std::string ShortPathOf(const std::string& path);
// The first "kxlog3.NNN" not in the folder, "" when all 1000 are taken.
std::string FindFreeLogName(const char* folder);
// The newest numbered log: the last of the unbroken run from 000, "" when there is none.
std::string FindNewestLog(const char* folder);

// How this works: the controller owns everything an installation needs besides the script: the
// settings of "kxmain.ini", the media and the disk prompts, the language library, the operation log
// and the installer that makes and logs every change, progress and the finish. The script side (a
// subclass) answers the questions about the script and runs its events, which come back here
// through the event controller's operations. run() sets up in a fixed order, runs the script,
// releases in reverse and hands the log to the uninstaller's folder.
class InstallController : public EngineController, public EventController {
public:
  InstallController();
  ~InstallController() override;

  int initialise() override;
  int run() override;
  void finish() override;

  // The script side.
  virtual int loadscript() = 0;
  virtual int runscript() = 0;
  virtual void releasescript() = 0;
  virtual int productname(char* name) = 0; // 128 characters
  virtual HeaderFigures headerfigures() = 0;
  virtual int diskmap(DiskMap& map) = 0;
  virtual const LanguageSet& languageset() = 0;
  // The marked auxiliary items: their file entries and target names.
  virtual std::vector<std::pair<const FileEntry*, std::string>> auxiliaryitems() = 0;
  virtual int finishkind() = 0;
  virtual int resultfigure() = 0;
  virtual int partcount() = 0;
  virtual long partsize(int part) = 0; // KB
  // Whether the script asks for three-dimensional dialog controls.
  virtual int ctl3dwish() { return 0; }
  // The install screen's settings; none ends the run.
  virtual const InstallScreenSettings* screensettings() { return nullptr; }
  // Billboards: the copy is split into as many steps as there are; each step shows its own.
  virtual int billboardcount() { return 0; }
  virtual int showbillboard(int) { return 0; }
  virtual void closebillboard() {}
  // The least time a file item takes, in milliseconds.
  virtual long minimumitemtime() { return 0; }
  // Whether the run asks nothing of the user.
  virtual int unattended() { return 0; }

  // Event operations the controller carries out itself.
  int installfile(const FileInstallRecord& record) override;
  int begincopy(int step, int parts, long sizeKB) override;
  int endcopy() override;
  int movefile(const char* source, const char* target) override;
  int deletefolder(const char* path) override;
  int deletefile(const char* path) override;
  int fileoperation(const char* path, const char* second) override;
  int createfolder(const char* path) override;
  int findfile(const int options[6], const char* folder, const char* pattern, int& found,
               char* path) override;
  int EditStartupFiles(const int values[3], const char* linesFile) override;
  int InstallUninstaller(const UninstallRecord& record) override;
  int writeini(const IniWriteRecord& record) override;
  int writeregistry(int root, const char* key, const char* name, unsigned long type, const void* data,
                    int size) override;
  int readini(const char* const texts[4], int& exists, char* value) override;
  int queryregistry(int root, const char* key, const char* name, int& exists, char* value) override;
  int runprogram(const RunRecord& record, int& value) override;
  int addprogmanitem(const ProgmanItemRecord& record) override;
  int deleteprogmanitem(const char* group, const char* item) override;
  int deleteprogmangroup(const char* group) override;
  int request(int a, int b, int c, int& result) override;
  int queryvalue(int type, int& value) override;
  int querystate(int& value) override;
  int medium(char* root, int& exists) override;
  long requiredspace() override;
  int comparetexts(int mode, const char* a, const char* b) override;
  int systemversion(int& major, int& minor) override;
  int processor() override;
  int openmessage(int which) override;
  int closemessage(int which) override;
  int showmessage(const MessageWindowRecord& record) override;
  int hidemessage() override;
  int argumentcount() override;
  int argument(int n, char* out) override;
  int querydialog(int style, const char* text) override;
  void queryfailed() override;
  int userinfo(int first, int second, char* const variables[6]) override;
  int showtext(int mode, const char* text) override;
  int promptstring(const int values[4], const char* const texts[4], char* answer) override;
  int askyesno(int mode, const char* question, int& yes) override;

  // Reports an error: the engine's box once the language library is loaded, else a plain one.
  void reporterrorf(const char* format, ...);
  int queryabort();
  // Asks for the disk (media mode 1) or switches the disk folder (mode 2); 1 when it is there.
  int promptfordisk(int disk, int force);
  // Adds done work units and moves the gauge; 0 when the user asked to stop.
  int addprogress(long units);
  // 1 when the log went to the uninstaller's folder.
  int handoverlog(int normalEnd);
  // When the log cannot be opened: whether the user goes on without an uninstall (an unattended run
  // does not).
  int gowithoutlog();
  // Undoes what the working log holds, newest first, and deletes it: the way back from a run that
  // failed before any uninstaller could undo it.
  void rollback();
  // The finish dialog for the type; its answer.
  int showfinishdialog(int type);
  // The file-set dialog over the disk map's groups; 0 when it could not be shown.
  int filesetdialog();
  // A group's file into the folder, between the copy phase's begin and end; 1 when installed.
  int installfileset(const FileGroup& group, const char* folder);

  // Seams and state the tests reach.
  DrivePlatform drives = DrivePlatform::System();
  SearchPlaces searchplaces = SearchPlaces::System();
  // Where AUTOEXEC.BAT and CONFIG.SYS live.
  std::string startupFolder = "c:\\";
  // Starts the helper with its settings written; 1 when it started.
  std::function<int(const char* from, const char* to, int run)> launchvaveza;
  // Opens the working log and writes its header; none when either fails.
  std::function<std::unique_ptr<LogFileWriter>(const char* path, const LogHeader& header)> openlogfile =
      LogFileWriter::OpenLogPath;
  // The tick a file item's minimum time is measured with, and the wait that keeps the windows alive
  // meanwhile, 0 when a quit ended it (none: the messages are pumped between short sleeps).
  std::function<DWORD()> tick = [] { return GetTickCount(); };
  std::function<int(int milliseconds)> wait;
  Installer& installer() { return installer_; }
  const char* engineFolder() const { return engineFolder_; }
  const char* sourceFolder() const { return sourceFolder_; }
  int mediaMode() const { return mediaMode_; }
  int languageIndex() const { return language_; }
  const char* product() const { return product_; }
  long long progressDone() const { return done_; }
  long long progressTotal() const { return total_; }
  int percent() const { return percent_; }
  InstallWindows& windows() { return windows_; }
  int restartDeferred = 0;
  int dosRestart = 0;
  int systemIniChanged = 0;
  int abortRequested = 0;
  int finishType = 0;

protected:
  // Files of another kind than the one they would replace are put to the user.
  OverwriteQuestion overwrite_;

  int mainsequence();
  int openlog();
  void closelog();
  int copyauxiliary();
  int showwindows();
  void crossbillboard();

  Installer installer_;
  std::unique_ptr<LogFileWriter> log_;
  std::string workingLog_; // the log this run opened, the only one it may hand over
  int logFailed_ = 0;      // a record of this run could not be written
  LanguageLibrary library_;
  int language_ = LanguageUsEnglish;
  char product_[128] = "";
  char sourcePath_[128] = "";
  char sourceFolder_[128] = "";
  char engineFolder_[MAX_PATH] = "";
  char commandLine_[512] = "";
  long sizeFigure_ = 0;
  int mediaMode_ = 0;
  int disk_ = 0;
  DiskMap map_;
  // The distribution's archive while the script runs.
  std::unique_ptr<DistributionArchive> archive_;
  std::vector<int> parts_;
  long long total_ = 0;
  long long done_ = 0;
  int percent_ = 0;
  InstallWindows windows_;
  int billboards_ = 0;
  int billboard_ = -1;
  std::string uninstallFolder_;
  int appendLog_ = 0;
  BusyMessage busy_;
  static constexpr DWORD PumpInterval = 15;
  DWORD pumped_ = GetTickCount() - PumpInterval;
};

// Appends log records to a log, in blocks; a failure cuts the log back to its old size.
int AppendLogRecords(const char* log, const std::string& records);
// Writes "vaveza.ini" in the Windows folder (short forms of the paths).
int WriteVavezaSettings(const char* from, const char* to, int run);
// Writes "vaveza.ini" in the Windows folder and starts "vaveza.exe" from there; 1 when it started.
int LaunchVaveza(const char* from, const char* to, int run);
