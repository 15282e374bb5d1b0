// Installer: files and directories.
#include <engine/operations/Installer.h>

#include <engine/dialogs/EngineBox.h>
#include <engine/operations/FileJob.h>
#include <engine/operations/FolderGuard.h>
#include <engine/operations/InstallerParts.h>

#include <foundation/paths/fpath.h>
#include <foundation/system/systemreason.h>
#include <foundation/windows/msgloop.h>

#include <climits>
#include <cstring>

using namespace installerparts;

namespace {

constexpr UINT NotEnoughSpaceText = 91;

int SameVolume(const char* a, const char* b) {
  char fullA[MAX_PATH], fullB[MAX_PATH];
  if (!GetFullPathNameA(a, MAX_PATH, fullA, nullptr) || !GetFullPathNameA(b, MAX_PATH, fullB, nullptr))
    return 0;
  return _strnicmp(fullA, fullB, 2) == 0 && fullA[1] == ':';
}

} // namespace

int Installer::createdirectory(const char* path) {
  if (stopped())
    return 2;
  if (IsDirectory(path))
    return 1;
  std::string parent = Parent(path);
  if (!parent.empty() && !IsDirectory(parent.c_str()) && createdirectory(parent.c_str()) == 2)
    return 2;
  if (!CreateDirectoryA(path, nullptr)) {
    fail(MkdirFailed, "Unable to create dir %s\n%s", path, SystemReason(GetLastError()).c_str());
    return 2;
  }
  log_->dircreated(path);
  return 0;
}

int Installer::deletefile(const char* path) {
  if (stopped())
    return 0;
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return 1;
  if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) &&
      !setattributes(path, FILE_ATTRIBUTE_NORMAL))
    return 0;
  if (!DeleteFileA(path))
    return fail(DeleteFailed, "Unable to delete file %s", path);
  log_->filedeleted(path);
  return 1;
}

int Installer::removetree(const char* path) {
  if (stopped())
    return 0;
  if (!IsDirectory(path))
    return 1;
  std::string why;
  if (IsProtectedFolder(path, platform_.windowsfolder, why))
    return fail(DeleteFailed, "Refusing to delete %s: %s", path, why.c_str());
  std::string folder = path;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    int ok = 1;
    do {
      if (std::strcmp(found.cFileName, ".") == 0 || std::strcmp(found.cFileName, "..") == 0)
        continue;
      std::string entry = folder + "\\" + found.cFileName;
      ok = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? removetree(entry.c_str())
                                                               : deletefile(entry.c_str());
      MessageLoop().pump(1);
    } while (ok && FindNextFileA(search, &found));
    FindClose(search);
    if (!ok)
      return 0;
  }
  fpathbuf root;
  if (fpath::getroot(cpathref(path), root))
    SetCurrentDirectoryA(root.str());
  if (!RemoveDirectoryA(path))
    return fail(DeleteFailed, "Unable to delete file %s", path);
  log_->dirremoved(path);
  return 1;
}

int Installer::move(const char* source, const char* destination) {
  if (stopped())
    return 0;
  if (_stricmp(source, destination) == 0)
    return 1;
  if (!Exists(source))
    return fail(OtherError, "%s not found", source);
  // An installation keeps a file it moves over under a backup name, so that the uninstall gives it
  // back; without a log (the uninstall's own moves) there is nobody to give it back.
  if (Exists(destination) && !(log_->keepsrecords() ? setaside(destination) : deletefile(destination)))
    return 0;
  std::string folder = Parent(destination);
  if (!folder.empty() && createdirectory(folder.c_str()) == 2)
    return 0;
  if (SameVolume(source, destination)) {
    if (!MoveFileA(source, destination))
      return fail(RenameFailed, "Unable to rename file from %s to %s", source, destination);
  } else {
    SilentInstaller silent(*this);
    if (!silent.copy(source, destination) || !silent.deletefile(source))
      return fail(RenameFailed, "Unable to rename file from %s to %s", source, destination);
  }
  log_->filerenamed(source, destination);
  return 1;
}

int Installer::setaside(const char* path) {
  fpathbuf backup;
  if (!fpath::setbackupname(backup, cpathref(path)))
    return fail(RenameFailed, "Unable to rename file from %s to %s", path, path);
  if (!MoveFileA(path, backup.str()))
    return fail(RenameFailed, "Unable to rename file from %s to %s", path, backup.str());
  log_->filerenamed(path, backup.str());
  return 1;
}

int Installer::replacewithbackup(const char* a, const char* b, const char* backup) {
  if (!move(a, backup))
    return 0;
  SilentInstaller silent(*this);
  return silent.move(b, a);
}

int Installer::copy(const char* source, const char* destination) {
  FileJob job;
  job.source = std::make_unique<PlainFileSource>(source);
  job.target = std::make_unique<NewFileWriter>();
  job.targetpath = destination;
  InstallFileItem(*this, job);
  return job.state == JobInstalled;
}

int Installer::setattributes(const char* path, DWORD attributes) {
  if (stopped())
    return 0;
  DWORD old = GetFileAttributesA(path);
  if (old == INVALID_FILE_ATTRIBUTES)
    return fail(OtherError, "Unable to get the file attributes of %s", path);
  if (old == attributes)
    return 1;
  if (!SetFileAttributesA(path, attributes))
    return fail(OtherError, "Unable to set the file attributes of %s", path);
  log_->attributeschanged(path, static_cast<long>(old), static_cast<long>(attributes));
  return 1;
}

// Free space in units of 10 KB, from 64-bit byte counts and clamped, so that large disks never
// look full.
int Installer::checkfreespace(const char* drive, long needed) {
  ULARGE_INTEGER available, total, free;
  if (!GetDiskFreeSpaceExA(drive, &available, &total, &free)) {
    fail(OtherError, "Unable to get the free space of drive %s", drive);
    return 2;
  }
  unsigned long long units = available.QuadPart / 10240;
  long freeUnits =
      units > static_cast<unsigned long long>(LONG_MAX / 10) ? LONG_MAX / 10 : static_cast<long>(units);
  if (freeUnits >= needed)
    return 0;
  if (!quiet)
    EngineError("%s", EngineTextf(NotEnoughSpaceText, needed * 10, freeUnits * 10).c_str());
  error = OtherError;
  return 1;
}

int Installer::drivekind(const char* path) {
  char root[4] = {path[0], ':', '\\', 0};
  switch (GetDriveTypeA(root)) {
  case DRIVE_REMOVABLE:
    return 0;
  case DRIVE_FIXED:
    return 1;
  case DRIVE_REMOTE:
    return 2;
  case DRIVE_CDROM:
    return 3;
  default:
    return -1;
  }
}

int Installer::firstcdrom() {
  for (char drive = 'A'; drive <= 'Z'; ++drive) {
    char root[2] = {drive, 0};
    if (drivekind(root) == 3)
      return drive - 'A';
  }
  return -1;
}

int Installer::inuse(const char* path) const { return platform_.inuse && platform_.inuse(path); }
