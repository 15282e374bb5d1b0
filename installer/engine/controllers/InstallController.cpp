// The install controller's members stand in four files by concern: this one holds the main sequence
// and the operation log; InstallControllerOperations.cpp what the script's events make it do to the
// machine; InstallControllerDialogs.cpp its dialogs and progress; InstallControllerQueries.cpp what it
// answers the script about the run, the media and the system.
#include <engine/controllers/InstallController.h>

#include <engine/controllers/InstallControllerParts.h>
#include <engine/dialogs/EngineBox.h>
#include <engine/log/ByteStreams.h>
#include <engine/log/LogUndo.h>
#include <engine/operations/ProgramGroupsManager.h>

#include <foundation/files/lzpreader.h>
#include <foundation/paths/fpath.h>
#include <foundation/strings/formattext.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/ctl3d.h>

#include <kxlang/kxlangids.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

using namespace installcontroller;

namespace {

std::string LastFolderName(const char* path) {
  std::string text = path;
  while (!text.empty() && (text.back() == '\\' || text.back() == '/'))
    text.pop_back();
  size_t slash = text.find_last_of("\\/:");
  return slash == std::string::npos ? text : text.substr(slash + 1);
}

std::string ModuleFolder() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string folder(path, n);
  return folder.substr(0, folder.find_last_of('\\'));
}

} // namespace

namespace installcontroller {

std::string LibraryText(const LanguageLibrary& library, UINT id, const char* fallback) {
  if (!library.loaded())
    return fallback;
  char text[TextSize];
  if (!LoadStringA(ResourceModule(), id, text, sizeof text))
    return fallback;
  return text;
}

void CopyCut(char* out, size_t size, const char* text) { std::snprintf(out, size, "%s", text); }

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty())
    return name;
  return folder + (folder.back() == '\\' ? "" : "\\") + name;
}

int FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace installcontroller

// --- Pure pieces -------------------------------------------------------------------------------------

int FinishType(int finishKind, int restartDeferred, int dosRestart, int systemIniChanged) {
  switch (finishKind) {
  case 0:
    if (restartDeferred)
      return 2;
    if (dosRestart)
      return 4;
    return systemIniChanged ? 2 : 0;
  case 2:
    return 2;
  case 3:
    return 4;
  case 4:
    return 1;
  default:
    return 0;
  }
}

std::string FindFreeLogName(const char* folder) {
  for (int n = 0; n <= 999; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "kxlog3.%03d", n);
    std::string path = Join(folder, name);
    if (!FileExists(path))
      return path;
  }
  return "";
}

std::string FindNewestLog(const char* folder) {
  std::string newest;
  for (int n = 0; n <= 999; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "kxlog3.%03d", n);
    std::string path = Join(folder, name);
    if (!FileExists(path))
      break;
    newest = path;
  }
  return newest;
}

int AppendLogRecords(const char* log, const std::string& records) {
  long oldSize = fpath::size(cpathref(log));
  FILE* file = oldSize < 0 ? nullptr : std::fopen(log, "ab");
  if (!file)
    return 0;
  size_t written = 0;
  while (written < records.size()) {
    size_t n = std::min<size_t>(1024, records.size() - written);
    if (std::fwrite(records.data() + written, 1, n, file) != n)
      break;
    written += n;
  }
  int closed = std::fclose(file) == 0;
  if (written == records.size() && closed)
    return 1;
  // A partial record would make both installations impossible to undo.
  fpath::setsize(cpathref(log), oldSize);
  return 0;
}

// --- The controller ------------------------------------------------------------------------------------

InstallController::InstallController() {
  launchvaveza = [](const char* from, const char* to, int run) { return LaunchVaveza(from, to, run); };
  CopyCut(engineFolder_, sizeof engineFolder_, ModuleFolder().c_str());
}

InstallController::~InstallController() { closelog(); }

void InstallController::reporterrorf(const char* format, ...) {
  va_list arguments;
  va_start(arguments, format);
  std::string text = FormatText(format, arguments);
  va_end(arguments);
  ReportEngineError(text.c_str(), library_.loaded());
}

int InstallController::initialise() {
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  std::string ini = Join(engineFolder_, "kxmain.ini");
  GetPrivateProfileStringA("x", "p", "", sourcePath_, sizeof sourcePath_, ini.c_str());
  if (!sourcePath_[0]) {
    reporterrorf("p or sz undefined in kxmain.ini");
    return 0;
  }
  int mode = ChooseMediaMode(DriveClass(sourcePath_, drives), LastFolderName(sourcePath_).c_str());
  if (mode < 0) {
    reporterrorf("Invalid packaging-media combination");
    return 0;
  }
  mediaMode_ = mode;
  CopyCut(sourceFolder_, sizeof sourceFolder_, sourcePath_);
  size_t n = std::strlen(sourceFolder_);
  if (n > 3 && sourceFolder_[n - 1] == '\\')
    sourceFolder_[n - 1] = '\0';
  GetPrivateProfileStringA("x", "cmdl", "", commandLine_, sizeof commandLine_, ini.c_str());
  sizeFigure_ = static_cast<long>(GetPrivateProfileIntA("x", "sz", 0, ini.c_str()));
  if (sizeFigure_ == 0) {
    reporterrorf("p or sz undefined in kxmain.ini");
    return 0;
  }
  return loadscript();
}

int InstallController::run() {
  int result = mainsequence();
  if (result == 1) {
    if (handoverlog(0) == 1)
      return 6;
    // No uninstaller was registered to undo the run (it failed first, or the script has none), or
    // the log that could have reached it was not written whole: the engine undoes what the log
    // holds here. The result stays 1, since there is no helper and no uninstaller to start.
    if (uninstallFolder_.empty() || logFailed_)
      rollback();
    return 1;
  }
  if (handoverlog(1) < 0)
    reporterrorf("Unable to copy the operation log");
  return result;
}

void InstallController::finish() { releasescript(); }

int InstallController::openlog() {
  // A working log left by an earlier run must never pass for this run's.
  std::string path = Join(engineFolder_, "kxlog3.nnn");
  DeleteFileA(path.c_str());
  HeaderFigures figures = headerfigures();
  LogHeader header;
  header.dialogmode = figures.dialogMode;
  header.language = language_;
  header.versionhigh = figures.versionHigh;
  header.versionlow = figures.versionLow;
  header.mintime = figures.minimumTime;
  header.product = product_;
  log_ = openlogfile(path.c_str(), header);
  if (!log_)
    return 0;
  workingLog_ = path;
  installer_.switchlog(log_.get());
  return 1;
}

int InstallController::gowithoutlog() {
  std::string text = "The operation log cannot be written in " + std::string(engineFolder_) +
                     ".\nWithout it this installation cannot be uninstalled.";
  if (unattended()) {
    reporterrorf("%s", text.c_str());
    return 0;
  }
  text += "\n\nGo on without an uninstall?";
  return EngineMessageBox(text.c_str(), product_, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

void InstallController::closelog() {
  if (!log_)
    return;
  logFailed_ = logFailed_ || log_->failed();
  installer_.switchlog(nullptr);
  log_.reset();
}

int InstallController::copyauxiliary() {
  for (const auto& item : auxiliaryitems()) {
    FileInstallRecord record{};
    record.entry = item.first;
    record.options[CopyFromArchive] = 1;
    std::string target = Join(engineFolder_, item.second);
    record.target = target.c_str();
    record.source = item.first->source.c_str();
    record.component = -1;
    if (!installfile(record))
      return 0;
  }
  return 1;
}

int InstallController::mainsequence() {
  disk_ = 0;
  finishType = 0;
  abortRequested = restartDeferred = dosRestart = systemIniChanged = 0;
  logFailed_ = 0;
  lzplibrary decompression;
  decompression.load(); // kept loaded for the run; a member that needs it fails on its own
  // What the run shows goes on every way out, in the reverse of its making.
  struct Release {
    InstallWindows& windows;
    int ctl3d;
    ~Release() {
      windows.close();
      if (ctl3d)
        Ctl3dStop();
    }
  } release{windows_, ctl3dwish() && Ctl3dStart()};
  if (!productname(product_))
    return 1;
  if (!diskmap(map_)) {
    reporterrorf("Unable to get the disk map");
    return 1;
  }
  language_ = languageset().choose(ReadSystemLanguage());
  if (!copyauxiliary()) {
    reporterrorf("Unable to copy the aux files");
    return 1;
  }
  if (!library_.LoadResourceDll(engineFolder_, language_, "kx%s.dll")) {
    reporterrorf("Unable to load language DLL");
    return 1;
  }
  if (!openlog() && !gowithoutlog())
    return 1;
  if (!showwindows())
    return 1;
  // One archive stream serves every member the script installs.
  archive_ = std::make_unique<ArchiveStream>(*this, map_);
  parts_.assign(static_cast<size_t>(std::max(partcount(), 0)), 1);
  windows_.bindhelp(engineFolder_, LanguageCode(language_));
  // One Program Manager conversation spans the script; the script's figure says whether a Program
  // Manager started for it is closed at the end.
  ProgramGroupsManager& groups = ProgramGroupsManager::instance();
  int conversation = groups.acquire();
  int result = runscript();
  // A run whose log could not be written made changes no uninstall knows of: it has failed.
  if (log_ && log_->failed())
    result = 1;
  if (conversation)
    groups.release(resultfigure());
  archive_.reset();
  closelog();
  windows_.close();
  library_.free();
  if (result != 1 && restartDeferred)
    return 2;
  return result;
}

// The install screen, the run's icon and the icon window that stands for the minimised run; 0 when
// the run cannot go on (reported, except for a script without a screen).
int InstallController::showwindows() {
  const InstallScreenSettings* screen = screensettings();
  if (!screen)
    return 0;
  windows_.setrun(engineFolder_, product_);
  if (!windows_.realizescreen(*screen)) {
    reporterrorf("Unable to realize the install screen");
    return 0;
  }
  windows_.loadicon(engineFolder_);
  if (!windows_.createiconwindow()) {
    reporterrorf("Unable to create the icon window");
    return 0;
  }
  return 1;
}

int InstallController::handoverlog(int normalEnd) {
  if (uninstallFolder_.empty() || workingLog_.empty())
    return 0;
  closelog();
  FILE* working = std::fopen(workingLog_.c_str(), "rb");
  if (!working)
    return 0;
  std::string bytes;
  char block[1024];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, working)) > 0)
    bytes.append(block, n);
  std::fclose(working);
  StringIStream stream(bytes);
  LogHeader header;
  if (!header.read(stream))
    return 0;
  size_t headerSize = bytes.size() - static_cast<size_t>(stream.left());
  if (headerSize >= bytes.size())
    return 0;
  std::string newest = normalEnd && appendLog_ ? FindNewestLog(uninstallFolder_.c_str()) : "";
  int copied;
  if (!newest.empty()) {
    copied = AppendLogRecords(newest.c_str(), bytes.substr(headerSize));
  } else {
    std::string target = FindFreeLogName(uninstallFolder_.c_str());
    copied = !target.empty() && CopyFileA(workingLog_.c_str(), target.c_str(), TRUE);
  }
  if (!copied)
    return -1;
  DeleteFileA(workingLog_.c_str());
  if (normalEnd)
    return 1;
  std::string engine = Join(uninstallFolder_, "kxmain.exe");
  return WriteVavezaSettings("", engine.c_str(), 1) ? 1 : -1;
}

void InstallController::rollback() {
  closelog();
  if (workingLog_.empty())
    return;
  LogHeader header;
  std::vector<std::unique_ptr<LogRecord>> records;
  std::string error;
  int undone = 0, failed = 0;
  if (ReadLog(workingLog_.c_str(), header, records, error)) {
    Installer undoer(installer_.platform());
    // Unattended, nothing is asked: what others added since is kept, as a No would keep it.
    undoer.quiet = unattended();
    PrepareUndo(records, undoer);
    for (auto record = records.rbegin(); record != records.rend(); ++record)
      if ((*record)->status == ToUndo)
        ++(UndoLogRecord(**record, undoer) ? undone : failed);
  }
  DeleteFileA(workingLog_.c_str());
  workingLog_.clear();
  if (unattended() || (!undone && !failed))
    return;
  std::string text = "The incomplete installation was undone: " + std::to_string(undone) + " changes undone";
  if (failed)
    text += ", " + std::to_string(failed) + " could not be undone";
  MessageBoxA(nullptr, (text + ".").c_str(), product_, MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

int InstallController::queryabort() {
  std::string text =
      LibraryText(library_, TEXT_ABORT_QUESTION,
                  "Installation is incomplete\nAre you sure you want to abort the installation?");
  std::string caption = LibraryText(library_, TEXT_ABORT_CAPTION, "Query Abort");
  return EngineMessageBox(text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
