#include <vaveza/Vaveza.h>

#include <windows.h>

namespace {

std::string ReadKey(const std::string& iniPath, const char* key) {
  char value[MAX_PATH] = "";
  GetPrivateProfileStringA("x", key, "", value, sizeof value, iniPath.c_str());
  return value;
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Repeats the attempt until it succeeds or the time is up: the engine that asked may still be ending.
bool Retry(const VavezaPlatform& platform, const std::function<bool()>& attempt) {
  DWORD start = GetTickCount();
  for (;;) {
    if (attempt())
      return true;
    if (GetTickCount() - start >= platform.waitMilliseconds)
      return false;
    Sleep(platform.retryMilliseconds);
  }
}

} // namespace

VavezaPlatform VavezaPlatform::System() {
  VavezaPlatform platform;
  platform.start = [](const std::string& program) {
    std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    if (folder.size() > 3)
      folder.pop_back();
    std::string commandLine = "\"" + program + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
      return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  };
  return platform;
}

bool ReadVavezaSettings(const std::string& iniPath, VavezaRequest& request) {
  if (GetFileAttributesA(iniPath.c_str()) == INVALID_FILE_ATTRIBUTES)
    return false;
  request.from = ReadKey(iniPath, "f");
  request.to = ReadKey(iniPath, "t");
  request.run = ReadKey(iniPath, "x") == "1";
  // Gone before anything is done: the program we start may write a new one.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, iniPath.c_str());
  DeleteFileA(iniPath.c_str());
  return true;
}

std::string VavezaTarget(const std::string& from, const std::string& to) {
  if (to.size() == 2 && to[1] == ':')
    return to + "\\" + BaseName(from);
  if (IsFolder(to)) {
    std::string folder = to;
    if (folder.back() != '\\')
      folder += '\\';
    return folder + BaseName(from);
  }
  return to;
}

int CarryOutVaveza(const VavezaRequest& request, const VavezaPlatform& platform) {
  if (request.from.empty()) {
    if (!request.run || request.to.empty())
      return VavezaBadRequest;
    return platform.start(request.to) ? VavezaDone : VavezaRunFailed;
  }
  if (request.to.empty()) {
    if (request.run)
      return VavezaBadRequest;
    bool deleted = Retry(platform, [&] {
      return DeleteFileA(request.from.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND;
    });
    return deleted ? VavezaDone : VavezaDeleteFailed;
  }
  std::string target = VavezaTarget(request.from, request.to);
  // Never over an existing file: the helper deletes nothing it was not told to.
  bool moved = Retry(platform, [&] {
    return MoveFileExA(request.from.c_str(), target.c_str(), MOVEFILE_COPY_ALLOWED) != 0;
  });
  if (!moved)
    return VavezaMoveFailed;
  if (!request.run)
    return VavezaDone;
  return platform.start(target) ? VavezaDone : VavezaRunFailed;
}
