#include <engine/controllers/UninstallController.h>

#include <engine/dialogs/EngineBox.h>
#include <engine/dialogs/UndoDialog.h>
#include <engine/log/ByteStreams.h>
#include <engine/log/LogText.h>
#include <engine/log/LogUndo.h>
#include <engine/operations/Installer.h>
#include <engine/operations/ProgramGroupsManager.h>

#include <foundation/strings/formattext.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/ctl3d.h>
#include <foundation/windows/dlgbox.h>
#include <foundation/windows/msgloop.h>

#include <kxlang/kxlangids.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

constexpr char Section[] = "KXMAIN";
constexpr char Kuuser[] = "kuuser.dll";
constexpr char KeptCaption[] = "Uninstall Finished";

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty())
    return name;
  return folder + (folder.back() == '\\' ? "" : "\\") + name;
}

int Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }

// Folders no undo may remove, whatever the log says: a drive's root, the Windows and system folders.
int Protected(const std::string& path) {
  std::string text = path;
  while (text.size() > 2 && text.back() == '\\')
    text.pop_back();
  if (text.size() <= 2)
    return 1;
  char windows[MAX_PATH], system[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  GetSystemDirectoryA(system, sizeof system);
  return lstrcmpiA(text.c_str(), windows) == 0 || lstrcmpiA(text.c_str(), system) == 0;
}

std::string Text(UINT id) {
  char text[TextSize];
  LoadText(text, id);
  return text;
}

} // namespace

int RewriteLog(const char* path, const LogHeader& header,
               const std::vector<std::unique_ptr<LogRecord>>& records) {
  StringOStream bytes;
  if (!header.write(bytes))
    return 0;
  for (const auto& record : records) {
    if (record->status == Undone)
      continue;
    // What the user kept stays kept in a later run: it is not asked about again, and a file kept
    // there is still never overwritten by an older record's undo.
    LogRecord copy = *record;
    if (copy.status == Kept)
      copy.state = 1;
    if (!WriteLogRecord(copy, bytes))
      return 0;
  }
  std::string temporary = std::string(path) + ".tmp";
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file)
    return 0;
  int written = std::fwrite(bytes.bytes.data(), 1, bytes.bytes.size(), file) == bytes.bytes.size();
  written = std::fclose(file) == 0 && written;
  if (!written || !MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(temporary.c_str());
    return 0;
  }
  return 1;
}

UninstallController::UninstallController() {
  launchvaveza = [](const char* from, const char* to, int run) { return LaunchVaveza(from, to, run); };
  wait = [](int milliseconds) {
    MessageLoop().pump(1);
    Sleep(static_cast<DWORD>(std::min(milliseconds, 20)));
  };
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  setengine(std::string(path, n).c_str());
}

UninstallController::~UninstallController() = default;

void UninstallController::setengine(const char* path) {
  enginePath_ = path;
  engineFolder_ = enginePath_.substr(0, enginePath_.find_last_of('\\'));
  root_ = enginePath_.substr(0, 2) + "\\";
  backupRun_ = engineFolder_.size() <= 3;
}

namespace {

// The summaries of the records of one status, one per line, at most a screenful.
std::string Summaries(const std::vector<std::unique_ptr<LogRecord>>& records, int status) {
  std::string text;
  int lines = 0;
  for (const auto& record : records) {
    if (record->status != status)
      continue;
    if (++lines > 20) {
      text += "...\n";
      break;
    }
    text += LogSummary(*record) + "\n";
  }
  return text;
}

} // namespace

void UninstallController::report(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = FormatText(format, arguments);
  va_end(arguments);
  ReportEngineError(text.c_str(), library_.loaded());
}

std::vector<std::string> UninstallController::companions() const {
  char language[32];
  std::snprintf(language, sizeof language, "kx%s.dll", LanguageCode(header.language));
  return {NameOf(logPath_), language, Kuuser};
}

int UninstallController::movecompanion(const std::string& name, const std::string& from,
                                       const std::string& to) {
  std::string source = Join(from, name), target = Join(to, name);
  if (Exists(target)) {
    report("%s exists", target.c_str());
    return 0;
  }
  if (!MoveFileExA(source.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED)) {
    report("Unable to move %s", source.c_str());
    return 0;
  }
  return 1;
}

int UninstallController::moveout() {
  kuuserMoved_ = 0;
  std::vector<std::string> moved;
  for (const std::string& name : companions()) {
    int optional = name == Kuuser;
    std::string source = Join(engineFolder_, name);
    if (!Exists(source) && optional)
      continue;
    if (!Exists(source)) {
      report("%s not found", source.c_str());
    } else if (movecompanion(name, engineFolder_, root_)) {
      moved.push_back(name);
      kuuserMoved_ |= optional;
      continue;
    }
    for (const std::string& back : moved)
      MoveFileA(Join(root_, back).c_str(), Join(engineFolder_, back).c_str());
    kuuserMoved_ = 0;
    return 0;
  }
  return 1;
}

void UninstallController::movehome(const std::string& home) {
  // An undo may have removed the emptied home folder.
  CreateDirectoryA(home.c_str(), nullptr);
  for (const std::string& name : companions())
    if ((name != Kuuser || kuuserMoved_) && Exists(Join(root_, name)))
      movecompanion(name, root_, home);
}

int UninstallController::launch(const char* target, int run) {
  if (launchvaveza(enginePath_.c_str(), target, run))
    return 1;
  report("Unable to launch vaveza");
  return 0;
}

int UninstallController::readlog() {
  std::string error;
  if (!ReadLog(logPath_.c_str(), header, records, error)) {
    report("%s", error.c_str());
    return 0;
  }
  if (header.language < 0 || header.language > 13) {
    report("Log file contains bad data");
    return 0;
  }
  mode_ = header.dialogmode >= 0 && header.dialogmode <= 2 ? header.dialogmode : 1;
  header.mintime = std::max(0L, std::min(header.mintime, 10000L));
  return 1;
}

int UninstallController::initialise() {
  Ctl3dStart();
  if (backupRun_) {
    // Wider than the first run's folder can be, so that a long one is never cut to another folder.
    char home[MAX_PATH] = "";
    GetProfileStringA(Section, "b", "", home, sizeof home);
    if (!home[0]) {
      report("Back dir is undefined");
      return 0;
    }
    home_ = home;
    kuuserMoved_ = GetProfileIntA(Section, "k", 0);
    logPath_ = Join(engineFolder_, "kxlog3.000");
    if (!readlog()) {
      backhome();
      return 0;
    }
    return 1;
  }
  logPath_ = FindNewestLog(engineFolder_.c_str());
  if (logPath_.empty()) {
    report("No log file");
    return 0;
  }
  if (!readlog())
    return 0;
  if (NameOf(logPath_) != "kxlog3.000")
    return 1;
  firstrun();
  return 0;
}

int UninstallController::firstrun() {
  std::string inRoot = Join(root_, NameOf(enginePath_));
  if (Exists(inRoot)) {
    report("%s exists", inRoot.c_str());
    return 0;
  }
  if (!moveout())
    return 0;
  WriteProfileStringA(Section, "b", engineFolder_.c_str());
  WriteProfileStringA(Section, "k", kuuserMoved_ ? "1" : "0");
  if (launch(root_.substr(0, 2).c_str(), 1))
    return 1;
  movehome(engineFolder_);
  WriteProfileStringA(Section, nullptr, nullptr);
  return 0;
}

void UninstallController::backhome() {
  movehome(home_);
  WriteProfileStringA(Section, nullptr, nullptr);
  launch(home_.c_str(), 0);
}

int UninstallController::run() {
  if (!library_.LoadResourceDll(engineFolder_.c_str(), header.language, "kx%s.dll")) {
    report("Unable to load language DLL");
    if (backupRun_)
      backhome();
    return 0;
  }
  // One use of the program groups (a Program Manager conversation) for every record the dialog undoes.
  int groups = ProgramGroupsManager::instance().acquire();
  int answer = showdialogs();
  if (groups)
    ProgramGroupsManager::instance().release(1);
  // What could not be undone stays in the log, and the uninstaller with it, for another try; what the
  // user kept counts as undone, and the run finishes with it in place.
  std::string left = Summaries(records, UndoFailed);
  if (answer == 1 && !left.empty()) {
    EngineError(
        "%s",
        ("These changes could not be undone; the uninstaller keeps them for a later run:\n" + left).c_str());
    answer = 0;
  }
  std::string kept = Summaries(records, Kept);
  if (answer == 1 && !kept.empty())
    EngineMessageBox(("The uninstall is finished. These changes were kept:\n" + kept).c_str(), KeptCaption,
                     MB_OK | MB_ICONINFORMATION);
  library_.free();
  if (state != NotStarted && !(answer == 1 && !backupRun_))
    RewriteLog(logPath_.c_str(), header, records);
  if (answer == 1 && !backupRun_) {
    DeleteFileA(logPath_.c_str());
    return answer;
  }
  if (!backupRun_)
    return answer;
  if (answer != 1) {
    backhome();
    return answer;
  }
  std::string key = header.product;
  key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
  RegDeleteKeyA(HKEY_LOCAL_MACHINE,
                ("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + key).c_str());
  for (const std::string& name : companions())
    if (name != Kuuser || kuuserMoved_)
      DeleteFileA(Join(engineFolder_, name).c_str());
  WriteProfileStringA(Section, nullptr, nullptr);
  launch("", 0);
  return answer;
}

void UninstallController::finish() { records.clear(); }

int UninstallController::showdialogs() {
  static const char* const templates[2] = {"DLGUNDOMAINSIM", "DLGUNDOMAINADV"};
  if (mode_ == UndoDialog::Gauge)
    return RunGaugeUndo(*this);
  int mode = mode_;
  for (;;) {
    UndoDialog dialog(*this, mode);
    INT_PTR result = RunDialog(dialog, nullptr, templates[mode]);
    if (result == 2) {
      mode = 1 - mode;
      continue;
    }
    return result == 0 ? 1 : 0;
  }
}

void UninstallController::undo(int confirm, const std::function<void(int, int)>& step) {
  int newest = -1;
  for (int i = static_cast<int>(records.size()) - 1; i >= 0 && newest < 0; --i)
    if (records[static_cast<size_t>(i)]->status == ToUndo)
      newest = i;
  // Nothing (left) to undo: the uninstall is finished, or its uninstaller could never go.
  if (newest < 0) {
    state = Finished;
    return;
  }
  if (state == NotStarted && confirm) {
    char text[512];
    std::snprintf(text, sizeof text, Text(TEXT_UNDO_CONFIRM).c_str(), header.product.c_str());
    if (EngineMessageBox(text, Text(TEXT_UNDO_CONFIRM_CAPTION).c_str(),
                         MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
      return;
  }
  state = Running;
  cancelRequested = 0;
  Installer installer;
  PrepareUndo(records, installer);
  for (int i = newest; i >= 0; --i) {
    LogRecord& record = *records[static_cast<size_t>(i)];
    if (record.status != ToUndo)
      continue;
    DWORD started = tick();
    step(i, 0);
    if (record.type() == LogDirCreated && Protected(record.text(0)))
      record.status = UndoFailed;
    else
      UndoLogRecord(record, installer);
    step(i, 1);
    if (cancelRequested)
      break;
    while (tick() - started < static_cast<DWORD>(header.mintime))
      wait(static_cast<int>(static_cast<DWORD>(header.mintime) - (tick() - started)));
  }
  state = cancelRequested ? Cancelled : Finished;
}

int UninstallController::quitcheck(int& result) {
  if (state == NotStarted) {
    result = 1;
    return 1;
  }
  int open = 0;
  for (const auto& record : records)
    open |= record->status == ToUndo || record->status == UndoFailed;
  if (!open) {
    result = 0;
    return 1;
  }
  AskQuitDialog ask;
  INT_PTR answer = RunDialog(ask, nullptr, "DLGUNDOASKQUIT");
  if (answer == 2)
    return 0;
  result = answer == 1 ? 0 : 1;
  // "Leave them": what is still open is kept, as the user chose, and the run finishes.
  if (answer == 1)
    for (auto& record : records)
      if (record->status == ToUndo || record->status == UndoFailed)
        record->status = Kept;
  return 1;
}
