// kxdemo: makes the demo product's distribution, the engine beside it.
//   kxdemo distribution-folder target-folder
#include <engine/tools/DemoProduct.h>

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kxdemo distribution-folder target-folder\n");
    return 2;
  }
  char module[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
  std::string bin(module, n);
  DemoProduct demo;
  demo.folder = argv[1];
  demo.binFolder = bin.substr(0, bin.find_last_of('\\'));
  demo.target = argv[2];
  demo.unattended = 0;
  demo.dialogMode = 1;
  std::string error;
  if (!demo.make(error)) {
    std::fprintf(stderr, "kxdemo: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
