// The installer's members stand in six files by concern: this one holds the platform, the log, failures,
// the kept files, fonts and servers; InstallerFiles.cpp files and directories; InstallerCounts.cpp the
// shared-library counts; InstallerRegistry.cpp the registry; InstallerIniFiles.cpp initialisation files;
// InstallerGroups.cpp program groups.
#include <engine/operations/Installer.h>

#include <engine/dialogs/EngineBox.h>
#include <engine/operations/InstallerParts.h>

#include <foundation/paths/fpath.h>
#include <foundation/strings/formattext.h>
#include <foundation/system/reboot.h>

#include <cctype>
#include <cstdarg>
#include <cstring>

using namespace installerparts;

namespace {

const char* const RootNames[] = {"HKLM", "HKCR", "HKCU", "HKUS", "HKCF"};

} // namespace

namespace installerparts {

int IsDirectory(const char* path) {
  DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

int Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

std::string Parent(const std::string& path) {
  size_t cut = path.find_last_of('\\');
  if (cut == std::string::npos || cut == 0 || (cut == 2 && path[1] == ':'))
    return std::string();
  return path.substr(0, cut);
}

} // namespace installerparts

InstallerPlatform InstallerPlatform::System() {
  InstallerPlatform platform;
  platform.inuse = [](const char* path) {
    char folder[MAX_PATH], name[MAX_PATH], current[MAX_PATH], destination[MAX_PATH];
    UINT currentLength = MAX_PATH, destinationLength = MAX_PATH;
    if (!Exists(path) || !GetFullPathNameA(path, MAX_PATH, folder, nullptr))
      return 0;
    char* slash = std::strrchr(folder, '\\');
    if (!slash)
      return 0;
    std::strcpy(name, slash + 1);
    slash[1] = 0;
    char windows[] = "";
    DWORD result =
        VerFindFileA(0, name, windows, folder, current, &currentLength, destination, &destinationLength);
    return (result & VFF_FILEINUSE) ? 1 : 0;
  };
  platform.renameatrestart = [](const char* from, const char* to) {
    return RenameOnReboot(cpathref(from), cpathref(to));
  };
  fpathbuf folder;
  if (fpath::setwindir(folder))
    platform.windowsfolder = folder.str();
  if (fpath::setshareddir(folder))
    platform.sharedfolder = folder.str();
  if (fpath::setcommonfilesdir(folder))
    platform.commonfolder = folder.str();
  return platform;
}

HKEY RegistryRoot(int root) {
  static const HKEY roots[] = {HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_USERS,
                               HKEY_CURRENT_CONFIG};
  return root >= 0 && root < 5 ? roots[root] : nullptr;
}

std::string RegistryKeyText(int root, const char* path) {
  return std::string(root >= 0 && root < 5 ? RootNames[root] : "Unknown") + "\\" + path;
}

Installer::Installer(InstallerPlatform platform) : platform_(std::move(platform)) {}

void Installer::switchlog(OperationLog* writer) {
  kept_ = log_;
  log_ = writer ? writer : &nullLog_;
}

void Installer::restorelog() {
  log_ = kept_;
  kept_ = &nullLog_;
}

int Installer::fail(int code, const char* format, ...) {
  error = code;
  if (quiet)
    return 0;
  va_list arguments;
  va_start(arguments, format);
  std::string text = FormatText(format, arguments);
  va_end(arguments);
  EngineError("%s", text.c_str());
  return 0;
}

namespace {

std::string FullLowerPath(const char* path) {
  char full[MAX_PATH];
  std::string text = GetFullPathNameA(path, MAX_PATH, full, nullptr) ? full : path;
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

} // namespace

int Installer::loggable(LogFieldKind kind, const std::string& text, const char* name) {
  if (!log_->keepsrecords() || LogFieldFits(kind, text.size()))
    return 1;
  return fail(OtherError, "The change of %.200s is too large for the operation log and is not made",
              name ? name : text.c_str());
}

int Installer::stopped() {
  if (!log_->broken())
    return 0;
  error = OtherError;
  return 1;
}

void Installer::keep(const char* path) { keptFiles_.insert(FullLowerPath(path)); }

int Installer::iskept(const char* path) const { return keptFiles_.count(FullLowerPath(path)) != 0; }

void Installer::noteinifile(const char* path) { iniFiles_.insert(FullLowerPath(path)); }

int Installer::isinifile(const char* path) const { return iniFiles_.count(FullLowerPath(path)) != 0; }

// The change is announced with a time-out, so that one hung window cannot stop the installation.
int Installer::installfont(const char* path) {
  if (stopped())
    return 0;
  if (!AddFontResourceA(path))
    return fail(OtherError, "Unable to install font");
  DWORD_PTR ignored;
  SendMessageTimeoutA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
  log_->fontinstalled(path);
  return 1;
}

int Installer::registerserver(const char* path, int reg) {
  if (stopped())
    return 0;
  const char* failure = reg ? "Unable to register OLE2 server %s" : "Unable to unregister OLE2 server %s";
  size_t length = std::strlen(path);
  if (length >= 4 && _stricmp(path + length - 4, ".exe") == 0) {
    std::string command = std::string("\"") + path + "\" " + (reg ? "/reg" : "/unreg");
    if (WinExec(command.c_str(), SW_HIDE) < 32)
      return fail(OtherError, failure, path);
    return 1;
  }
  HMODULE library = LoadLibraryA(path);
  if (!library)
    return fail(OtherError, failure, path);
  using Entry = HRESULT(WINAPI*)();
  auto entry = reinterpret_cast<Entry>(
      reinterpret_cast<void*>(GetProcAddress(library, reg ? "DllRegisterServer" : "DllUnregisterServer")));
  HRESULT result = entry ? entry() : E_FAIL;
  FreeLibrary(library);
  if (FAILED(result))
    return fail(OtherError, failure, path);
  return 1;
}

HANDLE OpenOwnToken(DWORD access) {
  HANDLE token;
  if (!OpenProcessToken(GetCurrentProcess(), access, &token))
    return INVALID_HANDLE_VALUE;
  return token;
}

void CloseToken(HANDLE& token) {
  if (token != INVALID_HANDLE_VALUE)
    CloseHandle(token);
  token = INVALID_HANDLE_VALUE;
}

int SetPrivilege(HANDLE token, const char* name, int enable) {
  TOKEN_PRIVILEGES privileges = {};
  if (!LookupPrivilegeValueA(nullptr, name, &privileges.Privileges[0].Luid))
    return 0;
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
  return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != 0;
}
