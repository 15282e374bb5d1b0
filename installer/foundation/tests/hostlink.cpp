#include <foundation/tests/hostlink.h>

#include <windows.h>

#include <vector>

namespace {

// The host's name for a path of this program, through the platform's own converter.
std::string hostPath(const std::string& path) {
  using Converter = char*(CDECL*)(const WCHAR*);
  auto convert = reinterpret_cast<Converter>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!convert)
    return "";
  std::vector<WCHAR> wide(path.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  char* host = convert(wide.data());
  if (!host)
    return "";
  std::string result = host;
  HeapFree(GetProcessHeap(), 0, host);
  return result;
}

// Starts a host program. The platform gives back no usable process for it, so callers wait for
// what it does to show.
bool startHost(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// Through the wide call with the long-path prefix, which sees paths of any length.
bool exists(const std::string& path) {
  std::string full = "\\\\?\\" + path;
  std::vector<WCHAR> wide(full.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, full.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  return GetFileAttributesW(wide.data()) != INVALID_FILE_ATTRIBUTES;
}

bool waitFor(const std::string& path, bool present) {
  for (int i = 0; i < 500; ++i) {
    if (exists(path) == present)
      return true;
    Sleep(10);
  }
  return false;
}

// A directory entry of that name, whatever it points at (a device link has no attributes here).
bool listed(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(path.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return false;
  FindClose(search);
  return true;
}

} // namespace

bool makeHostDeviceLink(const std::string& device, const std::string& link) {
  std::string to = hostPath(link);
  if (to.empty() || !startHost("/bin/ln -s \"" + device + "\" \"" + to + "\""))
    return false;
  for (int i = 0; i < 500; ++i) {
    if (listed(link))
      return true;
    Sleep(10);
  }
  return false;
}

bool makeHostLink(const std::string& target, const std::string& link) {
  std::string from = hostPath(target);
  std::string to = hostPath(link);
  return !from.empty() && !to.empty() && startHost("/bin/ln -s \"" + from + "\" \"" + to + "\"") &&
         waitFor(link, true);
}

void removeHostLink(const std::string& link) {
  std::string path = hostPath(link);
  if (!path.empty() && startHost("/bin/rm -f \"" + path + "\""))
    waitFor(link, false);
}

bool makeHostFile(const std::string& path) {
  std::string host = hostPath(path);
  return !host.empty() && startHost("/usr/bin/touch \"" + host + "\"") && waitFor(path, true);
}

HostDrive::HostDrive(const std::string& folder) {
  std::string drives = hostPath("c:\\");
  size_t cut = drives.rfind("/c:");
  std::string target = hostPath(folder);
  if (cut == std::string::npos || target.empty())
    return;
  for (char letter = 'q'; letter <= 'y' && root_.empty(); ++letter) {
    std::string root = std::string(1, letter) + ":\\";
    if (GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES)
      continue;
    std::string link = drives.substr(0, cut) + "/" + letter + ":";
    if (startHost("/bin/ln -s \"" + target + "\" \"" + link + "\"") && waitFor(root, true)) {
      root_ = root;
      link_ = link;
    }
  }
}

HostDrive::~HostDrive() {
  if (!link_.empty() && startHost("/bin/rm -f \"" + link_ + "\""))
    waitFor(root_, false);
}
