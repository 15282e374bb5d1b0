#include <engine/controllers/InstallController.h>

#include <engine/controllers/Scramble.h>
#include <engine/dialogs/EngineBox.h>
#include <engine/dialogs/PromptDialog.h>
#include <engine/dialogs/UserInfoDialog.h>
#include <engine/expressions/VariableStore.h>
#include <engine/log/ByteStreams.h>
#include <engine/log/LogUndo.h>
#include <engine/operations/FileItemJob.h>
#include <engine/operations/FileJob.h>
#include <engine/operations/FileSearch.h>
#include <engine/operations/IniFile.h>
#include <engine/operations/ProgramGroupsManager.h>
#include <engine/operations/ProgramItem.h>
#include <engine/operations/StartupMerge.h>

#include <foundation/dialogs/msgbox.h>
#include <foundation/files/lzpreader.h>
#include <foundation/paths/fpath.h>
#include <foundation/strings/textresource.h>
#include <foundation/system/checkfailed.h>
#include <foundation/system/ctl3d.h>
#include <foundation/system/runwait.h>
#include <foundation/windows/msgloop.h>

#include <kxlang/kxlangids.h>

#include <algorithm>
#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

const CheckSite noDiskToAskFor{"ICTRLLER", 612};

// How long the fixed busy messages stay up at least, in milliseconds.
constexpr long BusyTime = 3000;

std::string Formatv(const char* format, va_list arguments) {
  char text[512];
  std::vsnprintf(text, sizeof text, format, arguments);
  return text;
}

// A text of the language library when it is loaded, else the default.
std::string LibraryText(const LanguageLibrary& library, UINT id, const char* fallback) {
  if (!library.loaded())
    return fallback;
  char text[TextSize];
  if (!LoadStringA(ResourceModule(), id, text, sizeof text))
    return fallback;
  return text;
}

void CopyCut(char* out, size_t size, const char* text) { std::snprintf(out, size, "%s", text); }

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

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty())
    return name;
  return folder + (folder.back() == '\\' ? "" : "\\") + name;
}

int FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The run's archive: a missing part is asked for through the controller's disk prompt and every part
// is looked for in the source folder (which the prompt may switch to another disk folder).
class ArchiveStream : public DistributionArchive {
public:
  ArchiveStream(InstallController& controller, const DiskMap& map)
      : DistributionArchive(map.archive, std::max<int>(1, static_cast<int>(map.labels.size()))),
        controller_(controller), numberedBySet_(map.numberedBySet) {}
  int numberedbyset() override { return numberedBySet_; }
  int askforpart(int number, int retry) override { return controller_.promptfordisk(number - 1, retry); }
  int partfolder(fpath& folder) override { return folder.set(controller_.sourceFolder()); }

private:
  InstallController& controller_;
  int numberedBySet_;
};

class ControllerProgress : public JobProgress {
public:
  explicit ControllerProgress(InstallController& controller) : controller_(controller) {}
  // The largest block the file jobs take: the copy goes at the speed of the disk.
  int blocksize() override { return 31; }
  int advance(int units) override { return controller_.addprogress(units); }

private:
  InstallController& controller_;
};

} // namespace

// --- Pure pieces -------------------------------------------------------------------------------------

DrivePlatform DrivePlatform::System() {
  DrivePlatform drives;
  drives.type = [](const char* root) { return GetDriveTypeA(root); };
  drives.freebytes = [](const char* root) -> long long {
    ULARGE_INTEGER free;
    if (!GetDiskFreeSpaceExA(root, &free, nullptr, nullptr))
      return -1;
    return static_cast<long long>(std::min<ULONGLONG>(free.QuadPart, 0x7FFFFFFFFFFFFFFFull));
  };
  return drives;
}

std::string DriveRoot(const char* path) {
  if (path[0] == '\\' && path[1] == '\\') {
    const char* share = std::strchr(path + 2, '\\');
    if (!share)
      return std::string(path) + "\\";
    const char* end = std::strchr(share + 1, '\\');
    return (end ? std::string(path, end) : std::string(path)) + "\\";
  }
  if (std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':')
    return std::string(path, 2) + "\\";
  return "";
}

int DriveClass(const char* path, const DrivePlatform& drives) {
  if (path[0] == '\\' && path[1] == '\\')
    return 3;
  std::string root = DriveRoot(path);
  if (root.empty())
    return 0;
  switch (drives.type(root.c_str())) {
  case DRIVE_REMOVABLE:
    return drives.freebytes(root.c_str()) / 10240 > 4095 ? 2 : 0;
  case DRIVE_FIXED:
    return 1;
  case DRIVE_REMOTE:
    return 3;
  case DRIVE_CDROM:
    return 4;
  default:
    return 0;
  }
}

int ChooseMediaMode(int driveClass, const char* lastFolder) {
  int diskFolder = lstrcmpiA(lastFolder, "disk001") == 0;
  switch (driveClass) {
  case 1:
  case 2:
  case 3:
    return diskFolder ? 2 : 0;
  case 4:
    return diskFolder ? -1 : 0;
  default:
    return diskFolder ? -1 : 1;
  }
}

int ProgressPercent(long long done, long long total) {
  if (total <= 0 || done >= total)
    return 100;
  if (done <= 0)
    return 0;
  return static_cast<int>(done * 100 / total);
}

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

int WriteVavezaSettings(const char* from, const char* to, int run) {
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string ini = Join(windows, "vaveza.ini");
  char shortFrom[MAX_PATH] = "", shortTo[MAX_PATH] = "";
  if (!*from || !GetShortPathNameA(from, shortFrom, sizeof shortFrom))
    CopyCut(shortFrom, sizeof shortFrom, from);
  if (!*to || !GetShortPathNameA(to, shortTo, sizeof shortTo))
    CopyCut(shortTo, sizeof shortTo, to);
  if (!WritePrivateProfileStringA("x", "f", shortFrom, ini.c_str()) ||
      !WritePrivateProfileStringA("x", "t", shortTo, ini.c_str()) ||
      !WritePrivateProfileStringA("x", "x", run ? "1" : "0", ini.c_str()))
    return 0;
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
  return 1;
}

int LaunchVaveza(const char* from, const char* to, int run) {
  if (!WriteVavezaSettings(from, to, run))
    return 0;
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string program = Join(windows, "vaveza.exe");
  // Not WinExec: it waits for the new program to be idle, and the helper, which has no window, waits
  // for us to end.
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, windows,
                      &startup, &process))
    return 0;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 1;
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
  std::string text = Formatv(format, arguments);
  va_end(arguments);
  if (library_.loaded())
    EngineError("%s", text.c_str());
  else
    MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK | MB_TASKMODAL);
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
    // No uninstaller was registered to undo the run (it failed first, or the script has none): the
    // engine undoes it here. The result stays 1, since there is no helper and no uninstaller to start.
    if (uninstallFolder_.empty())
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
  log_ = LogFileWriter::OpenLogPath(path.c_str(), header);
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

int InstallController::showfinishdialog(int type) {
  struct Row {
    UINT text;
    const char* fallback;
    UINT caption;
    const char* captionFallback;
    int restart;
  } rows[] = {
      {TEXT_FINISH_DONE, "Congratulations!\n%s has been installed successfully", TEXT_FINISH_CAPTION,
       "Installation Completed", 0},
      {TEXT_FINISH_ABORTED, "Installation is being aborted", TEXT_FINISH_ABORTED_CAPTION, "Abort", 0},
      {TEXT_FINISH_RESTART_WINDOWS,
       "%s has been installed successfully\nbut we need to restart\nWindows for the changes to take effect",
       TEXT_FINISH_CAPTION, "Installation Completed", 1},
      {0, "", 0, "", 0},
      {TEXT_FINISH_RESTART_DOS,
       "%s has been installed successfully\nbut we need to restart\nDOS for the changes to take effect",
       TEXT_FINISH_CAPTION, "Installation Completed", 1},
  };
  if (type < 0 || type > 4 || type == 3)
    return 0;
  const Row& row = rows[type];
  msgbox box;
  box.settextf(LibraryText(library_, row.text, row.fallback).c_str(), product_);
  box.setstdicon(MB_ICONINFORMATION);
  std::string caption = LibraryText(library_, row.caption, row.captionFallback);
  if (!row.restart) {
    box.setbuttons(MB_OK);
    box.show(caption.c_str());
    return type == 1 ? 1 : 0;
  }
  std::string restart = LibraryText(library_, TEXT_FINISH_RESTART, "&Restart");
  std::string stay = LibraryText(library_, TEXT_FINISH_STAY, "&Stay here");
  box.setbuttons2(restart.c_str(), stay.c_str());
  box.setcancel(1);
  return box.show(caption.c_str()) == 0 ? type : 0;
}

int InstallController::queryabort() {
  std::string text =
      LibraryText(library_, TEXT_ABORT_QUESTION,
                  "Installation is incomplete\nAre you sure you want to abort the installation?");
  std::string caption = LibraryText(library_, TEXT_ABORT_CAPTION, "Query Abort");
  return EngineMessageBox(text.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int InstallController::promptfordisk(int disk, int force) {
  if (disk == disk_ && !force)
    return 1;
  if (mediaMode_ == 2) {
    char folder[32];
    std::snprintf(folder, sizeof folder, "disk%03d", disk + 1);
    std::string path = sourceFolder_;
    path = path.substr(0, path.find_last_of('\\') + 1) + folder;
    // A disk folder that is not there is asked for like a disk: never loop on it.
    if (FileExists(path)) {
      CopyCut(sourceFolder_, sizeof sourceFolder_, path.c_str());
      disk_ = disk;
      return 1;
    }
  } else if (mediaMode_ == 0) {
    CheckFailed(noDiskToAskFor, 0);
    return 0;
  }
  const char* label =
      disk >= 0 && disk < static_cast<int>(map_.labels.size()) ? map_.labels[disk].c_str() : "";
  char text[512];
  std::snprintf(text, sizeof text, LibraryText(library_, TEXT_INSERT_DISK, "Please insert disk: %s").c_str(),
                label);
  std::string caption = LibraryText(library_, TEXT_INSERT_DISK_CAPTION, "Insert Disk");
  for (;;) {
    if (EngineMessageBox(text, caption.c_str(), MB_OKCANCEL | MB_ICONINFORMATION) == IDOK) {
      disk_ = disk;
      return 1;
    }
    if (queryabort())
      return 0;
  }
}

int InstallController::addprogress(long units) {
  // The gauge moves in steps of at most 2 units.
  while (units > 0) {
    long chunk = std::min(units, 2L);
    units -= chunk;
    done_ += chunk;
    // A count past the total is the sizes' rounding, not a fault to report.
    percent_ = ProgressPercent(done_, total_);
  }
  windows_.showpercent(percent_);
  crossbillboard();
  // Asking for messages costs a trip to the window server, so they are served at most every few
  // milliseconds: often enough for the windows to answer at once, rarely enough not to slow the copy.
  DWORD now = GetTickCount();
  if (now - pumped_ < PumpInterval)
    return !abortRequested;
  pumped_ = now;
  MessageLoop().pump(1);
  return !abortRequested;
}

// Crossing from one step of the copy to the next changes the billboard.
void InstallController::crossbillboard() {
  int step = BillboardStep(percent_, billboards_);
  if (step == billboard_)
    return;
  if (billboard_ >= 0)
    closebillboard();
  billboard_ = step;
  if (step >= 0)
    showbillboard(step);
}

int InstallController::installfile(const FileInstallRecord& record) {
  // Items before the run's archive is open (the auxiliary files) read through one of their own.
  std::unique_ptr<DistributionArchive> own;
  FileItemSetting setting;
  setting.archive = archive_.get();
  if (!setting.archive) {
    own = std::make_unique<ArchiveStream>(*this, map_);
    setting.archive = own.get();
  }
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  setting.versionfile = Join(windows, "kxver.ini");
  HeaderFigures figures = headerfigures();
  setting.versionhigh = static_cast<unsigned long>(figures.versionHigh);
  setting.versionlow = static_cast<unsigned long>(figures.versionLow);
  setting.ask = &overwrite_;
  ControllerProgress progress(*this);
  setting.archiveprogress = &progress;
  setting.abortflag = &abortRequested;
  setting.replacedlater = &restartDeferred;
  setting.queryabort = [this] { return queryabort(); };
  setting.minimumtime = minimumitemtime();
  setting.tick = tick;
  if (wait)
    setting.wait = wait;
  return RunFileItem(installer_, record, setting);
}

int InstallController::begincopy(int, int, long) {
  total_ = 0;
  for (size_t i = 0; i < parts_.size(); ++i)
    if (parts_[i])
      total_ += partsize(static_cast<int>(i));
  done_ = 0;
  percent_ = 0;
  // The copy goes on without the dialog when it cannot be shown.
  windows_.showprogress(&abortRequested);
  billboards_ = billboardcount();
  billboard_ = -1;
  crossbillboard();
  return 1;
}

int InstallController::endcopy() {
  windows_.hideprogress();
  if (billboard_ >= 0)
    closebillboard();
  billboard_ = -1;
  return 1;
}

int InstallController::movefile(const char* source, const char* target) {
  return installer_.move(source, target);
}

int InstallController::deletefolder(const char* path) { return installer_.removetree(path); }

int InstallController::deletefile(const char* path) { return installer_.deletefile(path); }

int InstallController::fileoperation(const char* path, const char* second) {
  return installer_.replacewithbackup(path, path, second);
}

int InstallController::createfolder(const char* path) { return installer_.createdirectory(path) != 2; }

// The options: the mode, then whether fixed, remote and CD-ROM drives may be searched in mode 2.
int InstallController::findfile(const int options[6], const char* folder, const char* pattern, int& found,
                                char* path) {
  FileSearchRequest request;
  request.mode = options[0];
  request.folder = folder;
  request.pattern = pattern;
  request.fixed = options[1];
  request.remote = options[2];
  request.cdrom = options[3];
  BusyMessage notice;
  notice.show(500, 500, EngineTextf(TEXT_SEARCHING, pattern).c_str(), product_, 0, 1);
  std::string hit;
  found = SearchForFile(
      request, drives, searchplaces, [&] { return !notice.stopped(); }, hit);
  notice.hide();
  CopyCut(path, 256, hit.c_str());
  return 1;
}

int InstallController::EditStartupFiles(const int values[3], const char* linesFile) {
  static const char* const names[2] = {"autoexec.bat", "config.sys"};
  for (int i = 0; i < 2; ++i) {
    if (!values[i])
      continue;
    std::string file = Join(startupFolder, names[i]);
    // Unattended builds never reach here: the script controller passes the event silently.
    int result = EditStartupFile(installer_, file.c_str(), linesFile, values[2], 0);
    if (!result) {
      reporterrorf("Unable to modify AUTOEXEC.BAT or CONFIG.SYS");
      return 0;
    }
    dosRestart |= result == 1;
  }
  return 1;
}

int InstallController::InstallUninstaller(const UninstallRecord& record) {
  // Without a log an uninstaller could only ever say that it has none, and never go away.
  if (!record.folder || !*record.folder || !log_)
    return 1;
  BusyMessage notice;
  if (record.busyMessage)
    notice.show(500, 500, EngineTextf(TEXT_BUSY_UNINSTALLER).c_str(), product_, BusyTime);
  if (installer_.createdirectory(record.folder) == 2)
    return 0;
  OperationLog* writer = &installer_.log();
  OperationLog nothing;
  installer_.switchlog(&nothing);
  // Nothing of the uninstaller is logged, so what it made is taken away here when it cannot be
  // finished: the files that were not there before and an Uninstall key it created.
  std::vector<std::string> made;
  std::string key;
  int keyMade = 0;
  auto copied = [&made](const std::string& path, int existed) {
    if (!existed)
      made.push_back(path);
  };
  int done = [&] {
    char name[32];
    std::snprintf(name, sizeof name, "kx%s.dll", LanguageCode(language_));
    for (const char* file : {static_cast<const char*>(name), "kxmain.exe"}) {
      std::string target = Join(record.folder, file);
      int existed = GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
      if (!CopyFileA(Join(engineFolder_, file).c_str(), target.c_str(), FALSE))
        return 0;
      copied(target, existed);
    }
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    const char* folders[2] = {windows, record.folder};
    for (int i = 0; i < 2; ++i) {
      const FileEntry* extra = record.extraFiles[i];
      if (!extra)
        continue;
      FileInstallRecord item{};
      item.options[CopyFromArchive] = 1;
      item.entry = extra;
      std::string target = Join(folders[i], extra->target);
      item.source = extra->source.c_str();
      item.target = target.c_str();
      item.component = record.components[i];
      int existed = GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
      if (!installfile(item))
        return 0;
      copied(target, existed);
    }
    key = product_;
    key.erase(std::remove(key.begin(), key.end(), ' '), key.end());
    key = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + key;
    std::string engine = Join(record.folder, "kxmain.exe");
    HKEY handle;
    DWORD disposition = 0;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &handle,
                        &disposition))
      return 0;
    keyMade = disposition == REG_CREATED_NEW_KEY;
    int set =
        !RegSetValueExA(handle, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(product_),
                        static_cast<DWORD>(std::strlen(product_) + 1)) &&
        !RegSetValueExA(handle, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(engine.c_str()),
                        static_cast<DWORD>(engine.size() + 1));
    RegCloseKey(handle);
    return set;
  }();
  installer_.switchlog(writer);
  auto takeaway = [&] {
    for (const std::string& file : made) {
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file.c_str());
    }
    if (keyMade)
      RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
    return 0;
  };
  if (!done)
    return takeaway();
  if (record.group && *record.group) {
    ProgramItem item;
    SetField(item.name, LibraryText(library_, TEXT_UNINSTALL_ITEM, "Uninstall"));
    SetField(item.commandline, "\"" + Join(record.folder, "kxmain.exe") + "\"");
    SetField(item.workingfolder, record.workingFolder ? record.workingFolder : "");
    if (!installer_.createitem(record.group, item))
      return takeaway();
  }
  uninstallFolder_ = record.folder;
  appendLog_ = record.append;
  return 1;
}

int InstallController::writeini(const IniWriteRecord& record) {
  std::string existing;
  int exists = IniGetValue(record.file, record.section, record.entry, 0, existing);
  if (exists && record.flags[1] == 0)
    return 1;
  if (record.flags[2] == 0) {
    int count = IniCountEntries(record.file, record.section, record.entry);
    for (int i = 0; i < count; ++i)
      if (IniGetValue(record.file, record.section, record.entry, i, existing) &&
          lstrcmpiA(existing.c_str(), record.value) == 0)
        return 1;
  }
  int done =
      record.flags[0] == 1
          ? installer_.insertentry(record.file, record.section, record.entry, record.value, record.limit)
          : installer_.setentry(record.file, record.section, record.entry, record.value);
  if (done) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    // A bare file name is one of the Windows folder.
    std::string file = std::strchr(record.file, '\\') ? record.file : Join(windows, record.file);
    if (lstrcmpiA(file.c_str(), Join(windows, "system.ini").c_str()) == 0)
      systemIniChanged = 1;
  }
  return done;
}

int InstallController::writeregistry(int root, const char* key, const char* name, unsigned long type,
                                     const void* data, int size) {
  if (type == REG_NONE)
    return installer_.createkey(root, key);
  std::string bytes(static_cast<const char*>(data), static_cast<size_t>(size));
  if (type == REG_MULTI_SZ)
    bytes = MultiStringOfLines(bytes.c_str());
  return installer_.setvalue(root, key, name, type, bytes);
}

// The texts: folder, file, section, entry.
int InstallController::readini(const char* const texts[4], int& exists, char* value) {
  const char* sentinel = "\x01kxmain-no-entry\x01";
  char text[256];
  std::string file = Join(texts[0], texts[1]);
  GetPrivateProfileStringA(texts[2], texts[3], sentinel, text, sizeof text, file.c_str());
  exists = std::strcmp(text, sentinel) != 0;
  CopyCut(value, 256, exists ? text : "");
  return 1;
}

int InstallController::queryregistry(int root, const char* key, const char* name, int& exists, char* value) {
  exists = installer_.valueastext(root, key, name, value, 256);
  if (!exists)
    value[0] = '\0';
  return 1;
}

// The program runs from the request's folder; while the run waits for it, the windows stay served. The
// window wait looks for a window titled by the fourth text; without one there is no window to wait for.
int InstallController::runprogram(const RunRecord& record, int& value) {
  runcommand command;
  std::snprintf(command.command, sizeof command.command, "\"%s\"%s%s", record.program,
                record.arguments && *record.arguments ? " " : "", record.arguments ? record.arguments : "");
  command.show = record.show;
  char previous[MAX_PATH] = "";
  GetCurrentDirectoryA(sizeof previous, previous);
  int moved = record.folder && *record.folder && SetCurrentDirectoryA(record.folder);
  DWORD code = 0;
  int started;
  if (record.wait == WaitForExit)
    started = RunWaitExit(command, &code);
  else if (record.wait == WaitForWindow && record.fourth && *record.fourth)
    started = RunWaitWindow(command, "", record.fourth);
  else
    started = RunNoWait(command);
  if (moved)
    SetCurrentDirectoryA(previous);
  if (!started) {
    reporterrorf("Unable to execute %s", command.command);
    return 0;
  }
  value = static_cast<int>(code);
  return 1;
}

int InstallController::addprogmanitem(const ProgmanItemRecord& record) {
  ProgramItem item;
  SetField(item.name, record.texts[1]);
  SetField(item.commandline, ShortenQuotedPaths(record.texts[2], ShortPathOf));
  SetField(item.workingfolder, record.texts[3]);
  return installer_.createitem(record.texts[0], item);
}

int InstallController::deleteprogmanitem(const char* group, const char* item) {
  return installer_.deleteitem(group, item);
}

int InstallController::deleteprogmangroup(const char* group) { return installer_.deletegroup(group); }

int InstallController::request(int a, int, int, int& result) {
  // A file-set dialog that cannot be shown ends the run as failed.
  if (a == RequestFileSets)
    return filesetdialog();
  result = 0;
  if (a == RequestAbort)
    abortRequested = 1;
  return 1;
}

int InstallController::queryvalue(int type, int& value) {
  value = type == 31 ? language_ : static_cast<int>(sizeFigure_);
  return 1;
}

int InstallController::querystate(int& value) {
  value = restartDeferred;
  return 1;
}

int InstallController::medium(char* root, int& exists) {
  int drive = Installer::firstcdrom();
  exists = drive >= 0;
  if (exists)
    std::snprintf(root, 256, "%c:\\", 'A' + drive);
  else
    root[0] = '\0';
  return 1;
}

long InstallController::requiredspace() {
  long long total = 0;
  for (size_t i = 0; i < parts_.size(); ++i)
    if (parts_[i])
      total += partsize(static_cast<int>(i));
  return static_cast<long>(std::min<long long>(total / 10, 0x7FFFFFFF));
}

int InstallController::comparetexts(int mode, const char* a, const char* b) {
  return mode ? lstrcmpiA(a, b) : lstrcmpA(a, b);
}

int InstallController::systemversion(int& major, int& minor) {
  OSVERSIONINFOA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  GetVersionExA(&info);
  major = static_cast<int>(info.dwMajorVersion);
  minor = static_cast<int>(info.dwMinorVersion);
  return 1;
}

int InstallController::processor() {
  SYSTEM_INFO info;
  GetSystemInfo(&info);
  switch (info.dwProcessorType) {
  case 386:
  case 486:
  case 586:
    return static_cast<int>(info.dwProcessorType);
  default:
    return 0;
  }
}

int InstallController::openmessage(int which) {
  static const UINT texts[] = {TEXT_BUSY_FIRST, TEXT_BUSY_SECOND, TEXT_BUSY_THIRD};
  if (which < 0 || which > 2)
    return 0;
  busy_.show(500, 500, EngineTextf(texts[which]).c_str(), product_, BusyTime);
  return 1;
}

int InstallController::closemessage(int) {
  busy_.hide();
  return 1;
}

int InstallController::showmessage(const MessageWindowRecord& record) {
  busy_.show(record.x, record.y, record.first, record.second, record.time);
  return 1;
}

int InstallController::hidemessage() {
  busy_.hide();
  return 1;
}

int InstallController::argumentcount() {
  int n = 0;
  char argument[256];
  while (CommandLineArgument(commandLine_, n, argument))
    ++n;
  return n;
}

int InstallController::argument(int n, char* out) {
  if (CommandLineArgument(commandLine_, n, out))
    return 1;
  reporterrorf("No argument at %d", n);
  return 0;
}

int CommandLineArgument(const char* commandLine, int n, char* out) {
  const char* p = commandLine;
  for (int i = 0;; ++i) {
    while (*p == ' ')
      ++p;
    if (!*p)
      break;
    const char* end = std::strchr(p, ' ');
    size_t length = end ? static_cast<size_t>(end - p) : std::strlen(p);
    if (i == n) {
      std::snprintf(out, 256, "%.*s", static_cast<int>(std::min<size_t>(length, 255)), p);
      return 1;
    }
    p += length;
  }
  return 0;
}

std::string MultiStringOfLines(const char* text) {
  std::string bytes, line;
  for (const char* p = text;; ++p) {
    if (*p && *p != '\r' && *p != '\n') {
      line += *p;
      continue;
    }
    // An empty string would end the list early.
    if (!line.empty())
      bytes += line + '\0';
    line.clear();
    if (!*p)
      break;
  }
  return bytes + '\0';
}

std::string ShortenQuotedPaths(const std::string& commandLine,
                               const std::function<std::string(const std::string&)>& shorten) {
  std::string out;
  size_t at = 0;
  for (;;) {
    size_t open = commandLine.find('"', at);
    size_t close = open == std::string::npos ? open : commandLine.find('"', open + 1);
    if (close == std::string::npos)
      return out + commandLine.substr(at);
    out += commandLine.substr(at, open - at);
    std::string path = commandLine.substr(open + 1, close - open - 1);
    std::string shorter = shorten(path);
    out += shorter.empty() ? commandLine.substr(open, close - open + 1) : shorter;
    at = close + 1;
  }
}

std::string ShortPathOf(const std::string& path) {
  char shorter[MAX_PATH];
  DWORD n = GetShortPathNameA(path.c_str(), shorter, sizeof shorter);
  return n == 0 || n >= sizeof shorter ? "" : std::string(shorter, n);
}

// Goes on (0) or stops the run (2); a nonzero style also offers the abort, confirmed before it
// answers 1.
int InstallController::querydialog(int style, const char* text) {
  for (;;) {
    msgbox box;
    box.settextf("%s", text);
    std::string first = EngineTextf(TEXT_CONTINUE_FIRST), second = EngineTextf(TEXT_CONTINUE_SECOND);
    if (style)
      box.setbuttons3(first.c_str(), second.c_str(), EngineTextf(TEXT_CONTINUE_THIRD).c_str());
    else
      box.setbuttons2(first.c_str(), second.c_str());
    box.setcancel(1);
    box.setdefault(1);
    box.setstdicon(MB_ICONQUESTION);
    int answer = box.show(EngineTextf(TEXT_CONTINUE_CAPTION).c_str());
    if (answer != 2)
      return answer == 0 ? 0 : 2;
    std::string question = EngineTextf(TEXT_CONTINUE_THIRD_QUESTION);
    // Yes ends the installation: Enter keeps it going.
    if (EngineMessageBox(question.c_str(), product_, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
      return 1;
  }
}

void InstallController::queryfailed() {}

// The variables: name and company in and out, then the scrambled copies of each where named. The
// first number shows the information read-only.
int InstallController::userinfo(int readonly, int, char* const variables[6]) {
  UserInfoRequest request;
  request.readonly = readonly != 0;
  if (variables[0])
    CopyCut(request.name, sizeof request.name, variables[0]);
  if (variables[1])
    CopyCut(request.company, sizeof request.company, variables[1]);
  for (;;) {
    int result = RunUserInfoDialog(request);
    if (result < 0)
      return 0;
    if (result == 1)
      break;
    if (queryabort())
      return 0;
  }
  const char* fields[2] = {request.name, request.company};
  for (int i = 0; i < 2; ++i) {
    if (variables[i])
      SetStringValue(variables[i], fields[i]);
    if (!variables[i + 2])
      continue;
    // Room for the scrambled form of the longest field.
    char scrambled[ScrambledSize(sizeof request.company)];
    CopyCut(scrambled, sizeof scrambled, fields[i]);
    if (!ScrambleString(scrambled, sizeof scrambled))
      return 0;
    SetStringValue(variables[i + 2], scrambled);
  }
  return 1;
}

// The mode is the box's icon kind (an MB_ICON value); the box has OK only.
int InstallController::showtext(int mode, const char* text) {
  EngineMessageBox(text, product_, MB_OK | (static_cast<UINT>(mode) & MB_ICONMASK));
  return 1;
}

// The four numbers: kind, help context, space needed on the folder's drive (units of 10 KB, 0 for no
// check) and whether to create the folder.
int InstallController::promptstring(const int values[4], const char* const texts[4], char* answer) {
  PromptRequest request;
  request.kind = values[0];
  request.initial = texts[0];
  request.prompt = texts[1];
  request.title = texts[2];
  request.helpcontext = values[1];
  std::string groups;
  if (request.kind == 2 && installer_.grouplist(groups))
    request.groups = ListingLines(groups);
  auto acceptfolder = [&](const char* folder) -> int {
    if (values[2] > 0 && installer_.checkfreespace(DriveRoot(folder).c_str(), values[2]) != 0)
      return 0;
    return !values[3] || createfolder(folder);
  };
  for (;;) {
    int result = RunPromptDialog(request, acceptfolder);
    if (result == 1) {
      CopyCut(answer, 256, request.answer);
      return 1;
    }
    if (result < 0 || queryabort())
      return 0;
  }
}

// Yes or No set the answer; the third button aborts the run (0) once the abort is confirmed. The mode
// is the message box icon.
int InstallController::askyesno(int mode, const char* question, int& yes) {
  for (;;) {
    msgbox box;
    box.settextf("%s", question);
    box.setbuttons3(EngineTextf(TEXT_THREE_FIRST).c_str(), EngineTextf(TEXT_THREE_SECOND).c_str(),
                    EngineTextf(TEXT_THREE_THIRD).c_str());
    box.setcancel(2);
    box.setdefault(2);
    box.setstdicon(mode);
    int answer = box.show(EngineTextf(TEXT_THREE_CAPTION).c_str());
    if (answer == 0 || answer == 1) {
      yes = answer == 0;
      return 1;
    }
    if (answer < 0 || queryabort())
      return 0;
  }
}
