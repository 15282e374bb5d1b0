// The demo product with a payload of 200 files and 100 MB (half of it compressible), once with every
// member stored, once with the text half compressed. Timed, best of several rounds:
// - the copy phase inside the engine: the engine's own start driven in this process with a controller
//   that notes the time at the copy phase's begin and end, against a plain CopyFileA loop of the same
//   files in this process;
// - the whole unattended install by kxmain.exe, from start to exit;
// - the uninstall by the installed kxmain.exe (no minimum time per record), from the start of its first
//   run until the helper has removed the engine from the drive root.
#include <engine/controllers/EngineStart.h>
#include <engine/controllers/ScriptInstallController.h>
#include <engine/tools/DemoProduct.h>

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
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

// The copy phase of one install run in this process; -1 when the run failed.
double CopyPhase(const DemoProduct& demo) {
  double seconds = -1;
  EngineMakers makers;
  makers.install = [&] {
    return std::unique_ptr<EngineController>(new TimedController(demo.folder, seconds));
  };
  std::string settings = demo.folder + "\\kxmain.ini";
  if (RunEngine(nullptr, makers, settings) != 0 || GetPrivateProfileIntA("x", "r", -1, settings.c_str()) != 0)
    return -1;
  return seconds;
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
    const double none = 1e9;
    double loop = none, copy = none, install = none, uninstall = none;
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
      // What a failed uninstall may have left, which the next would refuse to move over.
      for (const char* name : {"kxmain.exe", "kxlog3.000", "kxenu.dll", "kuuser.dll"})
        DeleteFileA((std::string("C:\\") + name).c_str());
      WriteProfileStringA("KXMAIN", nullptr, nullptr);
      RemoveTree("C:\\kxbench\\loop");
      loop = std::min(loop, CopyLoop(demo, "C:\\kxbench\\loop"));
      RemoveTree(demo.target);
      double phase = CopyPhase(demo);
      copy = Best(copy, phase);
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
    }
    auto shown = [&](double best) { return best == none ? -1 : best; };
    std::printf("%s payload, 200 files, 100 MB, best of %d rounds%s:\n",
                compress ? "half compressed" : "stored", rounds, failures ? " (some rounds failed)" : "");
    Figure("copy phase inside the engine", shown(copy), loop);
    Figure("whole unattended install", shown(install), loop);
    Figure("uninstall, both runs", shown(uninstall), 0);
  }
  RemoveTree("C:\\kxbench");
  return 0;
}
