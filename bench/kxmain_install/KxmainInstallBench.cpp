// The demo product with a payload of 200 files and 100 MB (half of it compressible), installed
// unattended by kxmain.exe: the whole process from start to exit, against a plain CopyFileA loop of the
// same files in this process. Once with every member stored, once with the text half compressed.
#include <DemoProduct.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>

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

void RemoveTree(const std::string& folder) {
  std::string list = folder + std::string(2, '\0');
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationA(&operation);
}

double RunEngine(const std::string& program) {
  std::string commandLine = "\"" + program + "\"";
  std::string folder = program.substr(0, program.find_last_of('\\'));
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  LARGE_INTEGER start = Now();
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process))
    return -1;
  WaitForSingleObject(process.hProcess, INFINITE);
  LARGE_INTEGER end = Now();
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return Seconds(start, end);
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

} // namespace

int main() {
  char module[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
  std::string bin(module, n);
  bin = bin.substr(0, bin.find_last_of('\\')) + "\\..\\bin";
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
    double best = 1e9, loop = 1e9;
    for (int run = 0; run < 3; ++run) {
      RemoveTree(demo.target);
      best = std::min(best, RunEngine(demo.folder + "\\kxmain.exe"));
      RemoveTree("C:\\kxbench\\loop");
      loop = std::min(loop, CopyLoop(demo, "C:\\kxbench\\loop"));
    }
    std::printf("%s payload, 200 files, 100 MB: whole install %.3f s, CopyFileA loop %.3f s, ratio %.2f\n",
                compress ? "half compressed" : "stored", best, loop, best / loop);
  }
  RemoveTree("C:\\kxbench");
  return 0;
}
