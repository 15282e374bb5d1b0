#pragma once

#include <engine/controllers/InstallController.h>
#include <engine/log/LogRecord.h>
#include <engine/log/OperationLog.h>
#include <engine/script/LanguageSet.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// Rewrites the log with the header and only the records not undone, through a temporary file beside
// it, so that a repeated uninstall never undoes a record twice; 1 when replaced.
int RewriteLog(const char* path, const LogHeader& header,
               const std::vector<std::unique_ptr<LogRecord>>& records);

// How this works: the engine without "kxmain.ini" beside it undoes the newest log of its folder. When
// that log is the folder's first (000), the uninstaller must remove itself, which takes two runs: the
// first moves the log and its companions to the root of the engine's drive, notes its home folder in
// win.ini and has vaveza move the engine after them and start it there; the second run, from the root,
// undoes the records, then has vaveza delete the engine (or, after a cancel or any failure, move
// everything back home). The note in win.ini goes only at the end, so that a failure never leaves the
// engine stranded in the root without its way home.
class UninstallController : public EngineController {
public:
  enum UndoState { NotStarted = 0, Finished = 1, Cancelled = 2, Running = 3 };

  UninstallController();
  ~UninstallController() override;

  int initialise() override;
  int run() override;
  void finish() override;

  // The undo run from the newest record to undo back to the first; the callbacks tell a dialog.
  void undo(int confirm, const std::function<void(int index, int after)>& step);
  // Whether the dialog may close now; its end code in `result`.
  int quitcheck(int& result);

  // Seams.
  std::function<DWORD()> tick = [] { return GetTickCount(); };
  std::function<int(const char* from, const char* to, int run)> launchvaveza;
  std::function<void(int milliseconds)> wait;

  std::vector<std::unique_ptr<LogRecord>> records;
  LogHeader header;
  int state = NotStarted;
  int cancelRequested = 0;
  int backupRun() const { return backupRun_; }
  const std::string& logPath() const { return logPath_; }
  int dialogMode() const { return mode_; }
  void setengine(const char* path);

private:
  int readlog();
  int firstrun();
  std::vector<std::string> companions() const;
  // One companion between two folders, never over a file there; 1 when moved, else reported.
  int movecompanion(const std::string& name, const std::string& from, const std::string& to);
  // The first run's move into the drive root: all of them, or none with the failure reported.
  int moveout();
  // From the root back home after a failure or a cancel: each one that can go goes, since the engine
  // goes home whatever happens; one that cannot is reported and stays.
  void movehome(const std::string& home);
  // The back-up run's way out after a failure or a cancel: everything home, the note in win.ini gone.
  void backhome();
  // Starts the helper for the running engine; the failure reported.
  int launch(const char* target, int run);
  int showdialogs();
  void report(const char* format, ...);

  LanguageLibrary library_;
  std::string enginePath_;
  std::string engineFolder_;
  std::string home_;
  std::string logPath_;
  std::string root_;
  int backupRun_ = 0;
  int mode_ = 1;
  int kuuserMoved_ = 0;
};
