// InstallController: what it answers the script about the run, the media, the system and the command
// line.
#include <engine/controllers/InstallController.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>

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
