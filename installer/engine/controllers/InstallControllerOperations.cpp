// InstallController: what the script's events make it do to the machine, each change through the
// installer and its log.
#include <engine/controllers/InstallController.h>

#include <engine/controllers/InstallControllerParts.h>
#include <engine/dialogs/EngineBox.h>
#include <engine/operations/FileItemJob.h>
#include <engine/operations/FileJob.h>
#include <engine/operations/FileSearch.h>
#include <engine/operations/IniFile.h>
#include <engine/operations/ProgramItem.h>
#include <engine/operations/StartupMerge.h>

#include <foundation/system/runwait.h>

#include <kxlang/kxlangids.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

using namespace installcontroller;

namespace {

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
