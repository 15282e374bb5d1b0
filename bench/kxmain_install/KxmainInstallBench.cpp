// The demo product with a payload of 200 files and 100 MB (half of it compressible), once with every
// member stored, once with the text half compressed. Timed, best of several rounds:
// - the copy phase inside the engine: the engine's own start driven in this process with a controller
//   that notes the time at the copy phase's begin and end, against a plain CopyFileA loop of the same
//   files in this process;
// - the whole unattended install by kxmain.exe, from start to exit;
// - the uninstall by the installed kxmain.exe (no minimum time per record), from the start of its first
//   run until the helper has removed the engine from the drive root;
// - a peer, when the host has NSIS's makensis (Debian package "nsis"; the row is skipped and says so
//   when it has not): an NSIS installer of the same payload files, zlib-compressed as NSIS builds by
//   default, with an uninstaller written, started the same way and timed from start to exit.
#include <engine/controllers/EngineStart.h>
#include <engine/controllers/ScriptInstallController.h>
#include <engine/tools/DemoProduct.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>

namespace {

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string WindowsFile(const char* name) {
  char folder[MAX_PATH];
  GetWindowsDirectoryA(folder, sizeof folder);
  return std::string(folder) + "\\" + name;
}

void RemoveTree(const std::string& folder) {
  std::string list = folder + std::string(2, '\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationA(&operation);
}

// The script-driven controller of the engine, noting when its copy phase begins and ends.
class TimedController : public ScriptInstallController {
public:
  TimedController(const std::string& folder, double& seconds) : seconds_(seconds) {
    std::snprintf(engineFolder_, sizeof engineFolder_, "%s", folder.c_str());
  }
  int begincopy(int step, int parts, long sizeKB) override {
    start_ = Now();
    return ScriptInstallController::begincopy(step, parts, sizeKB);
  }
  int endcopy() override {
    int result = ScriptInstallController::endcopy();
    seconds_ = Seconds(start_, Now());
    return result;
  }

private:
  double& seconds_;
  LARGE_INTEGER start_ = {};
};

// The times of one install run in this process: its copy phase, and all of it from the engine's start
// to its return; -1 when the run failed.
struct EngineRun {
  double copy = -1;
  double whole = -1;
};

EngineRun CopyPhase(const DemoProduct& demo) {
  EngineRun run;
  double seconds = -1;
  EngineMakers makers;
  makers.install = [&] {
    return std::unique_ptr<EngineController>(new TimedController(demo.folder, seconds));
  };
  std::string settings = demo.folder + "\\kxmain.ini";
  LARGE_INTEGER start = Now();
  if (RunEngine(nullptr, makers, settings) != 0 || GetPrivateProfileIntA("x", "r", -1, settings.c_str()) != 0)
    return run;
  run.whole = Seconds(start, Now());
  run.copy = seconds;
  return run;
}

double CopyLoop(const DemoProduct& demo, const std::string& target) {
  CreateDirectoryA(target.c_str(), nullptr);
  LARGE_INTEGER start = Now();
  for (const auto& file : demo.payload) {
    std::string name = file.first.substr(file.first.find_last_of('\\') + 1);
    CopyFileA((demo.folder + "\\payload\\" + name).c_str(), (target + "\\" + name).c_str(), FALSE);
  }
  return Seconds(start, Now());
}

// Says yes to the uninstaller's one question, from a thread of its own.
class ConfirmUninstall {
public:
  ConfirmUninstall() : thread_([this] { loop(); }) {}
  ~ConfirmUninstall() {
    stop_ = true;
    thread_.join();
  }

private:
  void loop() {
    while (!stop_) {
      if (HWND box = FindWindowA("#32770", "Confirm Uninstall"))
        PostMessageA(box, WM_COMMAND, IDYES, 0);
      Sleep(2);
    }
  }

  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// Both runs of the uninstaller and the helper's last move; -1 when something is left.
double Uninstall(const DemoProduct& demo) {
  ConfirmUninstall yes;
  std::string root = demo.folder.substr(0, 2) + "\\";
  LARGE_INTEGER start = Now();
  if (RunProgram(demo.uninstallFolder() + "\\kxmain.exe", 60000) != 1)
    return -1;
  while (Exists(demo.target) || Exists(root + "kxmain.exe") || Exists(WindowsFile("vaveza.ini"))) {
    if (Seconds(start, Now()) > 30)
      return -1;
    Sleep(1);
  }
  return Seconds(start, Now());
}

// The peer is built by the host's makensis, which Wine starts like any program; its process handle
// does not wait for a host program, so the build is known to be over by a file it leaves last.
const char kMakensis[] = "/usr/bin/makensis";
const char kNsisFolder[] = "C:\\kxbench\\nsis";

bool HasMakensis() { return Exists(std::string("Z:") + kMakensis); }

// The host's name of a file or folder of this Wine prefix; empty when there is none.
std::string HostPath(const std::string& path) {
  using Convert = char*(CDECL*)(LPCWSTR);
  auto convert = reinterpret_cast<Convert>(reinterpret_cast<void (*)()>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  wchar_t wide[MAX_PATH];
  if (!convert || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
    return "";
  char* host = convert(wide);
  if (!host)
    return "";
  std::string result(host);
  HeapFree(GetProcessHeap(), 0, host);
  return result;
}

// Builds "setup.exe" in the NSIS folder from the demo's payload files; its path, or empty on failure.
std::string BuildNsisInstaller(const DemoProduct& demo) {
  RemoveTree(kNsisFolder);
  CreateDirectoryA(kNsisFolder, nullptr);
  std::string folder = kNsisFolder;
  std::string setup = folder + "\\setup.exe";
  std::string done = folder + "\\built";
  std::ofstream script(folder + "\\payload.nsi", std::ios::binary);
  // The peer runs with the same width as this bench's engine.
  if (sizeof(void*) == 8)
    script << "Target amd64-unicode\n";
  script << "Name \"Kx Bench\"\nOutFile \"" << HostPath(setup) << "\"\nSetCompressor zlib\n"
         << "RequestExecutionLevel user\nSilentInstall silent\nInstallDir \"" << demo.target << "\"\n"
         << "Section\nSetOutPath $INSTDIR\nFile \"" << HostPath(demo.folder + "\\payload") << "/*\"\n"
         << "WriteUninstaller \"$INSTDIR\\uninst.exe\"\nSectionEnd\n"
         << "Section Uninstall\nRMDir /r $INSTDIR\nSectionEnd\n";
  script.close();
  std::string command = std::string("Z:\\bin\\sh -c \"") + kMakensis + " -V1 '" +
                        HostPath(folder + "\\payload.nsi") + "' >/dev/null 2>&1; touch '" + HostPath(folder) +
                        "/built'\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return "";
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; !Exists(done) && waited < 300000; waited += 50)
    Sleep(50);
  return Exists(done) && Exists(setup) ? setup : "";
}

// The NSIS installer run silently into the demo's target, start to exit; -1 when it failed.
double NsisInstall(const std::string& setup, const DemoProduct& demo) {
  RemoveTree(demo.target);
  LARGE_INTEGER start = Now();
  unsigned long code = RunProgram(setup, 60000, "/S /D=" + demo.target);
  double seconds = Seconds(start, Now());
  int installed = code == 0 && Exists(demo.target + "\\uninst.exe");
  RemoveTree(demo.target);
  return installed ? seconds : -1;
}

void Figure(const char* what, double seconds, double against) {
  if (seconds < 0)
    std::printf("  %-30s failed\n", what);
  else if (against > 0)
    std::printf("  %-30s %.3f s, %.2f times the CopyFileA loop of %.3f s\n", what, seconds, seconds / against,
                against);
  else
    std::printf("  %-30s %.3f s\n", what, seconds);
}

double Best(double best, double seconds) { return seconds < 0 ? best : std::min(best, seconds); }

} // namespace

int main() {
  char module[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
  std::string bin(module, n);
  bin = bin.substr(0, bin.find_last_of('\\')) + "\\..\\bin";
  const int rounds = 7;
  for (int compress = 0; compress <= 1; ++compress) {
    DemoProduct demo;
    demo.folder = "C:\\kxbench\\dist";
    demo.binFolder = bin;
    demo.target = "C:\\kxbench\\app";
    demo.files = 200;
    demo.fileBytes = 500 * 1024;
    demo.partSize = 0;
    demo.shortcut = 0;
    demo.compress = compress;
    RemoveTree("C:\\kxbench");
    std::string error;
    if (!demo.make(error)) {
      std::printf("cannot make the demo product: %s\n", error.c_str());
      return 1;
    }
    // The engine driven in this process finds its decompression library where kxmain.exe does.
    SetDllDirectoryA(demo.folder.c_str());
    std::string nsis = HasMakensis() ? BuildNsisInstaller(demo) : "";
    const double none = 1e9;
    double loop = none, copy = none, inProcess = none, install = none, uninstall = none, peer = none;
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
      // What a failed uninstall may have left, which the next would refuse to move over.
      for (const char* name : {"kxmain.exe", "kxlog3.000", "kxenu.dll", "kuuser.dll"})
        DeleteFileA((std::string("C:\\") + name).c_str());
      WriteProfileStringA("KXMAIN", nullptr, nullptr);
      RemoveTree("C:\\kxbench\\loop");
      loop = std::min(loop, CopyLoop(demo, "C:\\kxbench\\loop"));
      RemoveTree(demo.target);
      EngineRun engine = CopyPhase(demo);
      double phase = engine.copy;
      copy = Best(copy, phase);
      inProcess = Best(inProcess, engine.whole);
      RemoveTree(demo.target);
      LARGE_INTEGER start = Now();
      unsigned long code = RunProgram(demo.folder + "\\kxmain.exe", 60000);
      double whole = Seconds(start, Now());
      int installed =
          code == 0 && GetPrivateProfileIntA("x", "r", -1, (demo.folder + "\\kxmain.ini").c_str()) == 0;
      install = installed ? std::min(install, whole) : install;
      double removal = installed ? Uninstall(demo) : -1;
      uninstall = Best(uninstall, removal);
      failures += phase < 0 || !installed || removal < 0;
      RemoveTree(demo.target);
      if (!nsis.empty())
        peer = Best(peer, NsisInstall(nsis, demo));
    }
    auto shown = [&](double best) { return best == none ? -1 : best; };
    std::printf("%s payload, 200 files, 100 MB, best of %d rounds%s:\n",
                compress ? "half compressed" : "stored", rounds, failures ? " (some rounds failed)" : "");
    Figure("copy phase inside the engine", shown(copy), loop);
    Figure("the engine's run in this process", shown(inProcess), loop);
    Figure("whole unattended install", shown(install), loop);
    Figure("uninstall, both runs", shown(uninstall), 0);
    if (!HasMakensis())
      std::printf("  NSIS installer: skipped, no %s on the host (Debian package nsis)\n", kMakensis);
    else if (nsis.empty())
      std::printf("  NSIS installer: makensis did not build it\n");
    else if (shown(peer) > 0 && shown(install) > 0)
      std::printf("  %-30s %.3f s; the whole install is %.2f times it\n", "NSIS installer (zlib), whole",
                  peer, install / peer);
    else
      Figure("NSIS installer (zlib), whole", shown(peer), 0);
  }
  RemoveTree("C:\\kxbench");
  return 0;
}
