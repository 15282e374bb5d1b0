// Removing a tree of 10 000 files (100 folders of 100) through fpath::rmtree, which walks it with
// the directory walker and pumps messages before and after every entry, against deleting the same
// files and folders in a plain loop. Best of several runs, each on a freshly made tree in the
// current folder. The walker's message pumps are also timed alone, for what they cost here.
#include <foundation/paths/fpath.h>
#include <foundation/windows/msgloop.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 100;
constexpr int kRuns = 3;
// Absolute: removing a directory changes the current one.
std::string tree;

bool makeTree() {
  if (!CreateDirectoryA(tree.c_str(), nullptr))
    return false;
  for (int f = 0; f < kFolders; ++f) {
    std::string folder = tree + "\\folder" + std::to_string(f);
    if (!CreateDirectoryA(folder.c_str(), nullptr))
      return false;
    for (int i = 0; i < kFilesPerFolder; ++i) {
      std::string file = folder + "\\file" + std::to_string(i) + ".dat";
      HANDLE h = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
      if (h == INVALID_HANDLE_VALUE)
        return false;
      DWORD written;
      WriteFile(h, "data", 4, &written, nullptr);
      CloseHandle(h);
    }
  }
  return true;
}

// The same work without the walker: every file, then its folder, then the root.
bool plainDelete(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*.*").c_str(), &found);
  bool ok = true;
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..")
        continue;
      std::string path = folder + "\\" + name;
      ok &= (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? plainDelete(path)
                                                                : DeleteFileA(path.c_str()) != 0;
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  return RemoveDirectoryA(folder.c_str()) && ok;
}

template <class Work> double bestSeconds(Work work) {
  double best = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    if (!makeTree()) {
      std::printf("could not make the tree\n");
      return -1;
    }
    auto start = std::chrono::steady_clock::now();
    bool removed = work();
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!removed || GetFileAttributesA(tree.c_str()) != INVALID_FILE_ATTRIBUTES) {
      std::printf("the tree was not removed\n");
      return -1;
    }
    best = std::min(best, seconds);
  }
  return best;
}

} // namespace

int main() {
  char here[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, here);
  tree = std::string(here) + "\\benchtree";
  double walked = bestSeconds([] { return fpath::rmtree(cpathref(tree.c_str())) == 1; });
  double plain = bestSeconds([] { return plainDelete(tree); });
  if (walked < 0 || plain < 0)
    return 1;
  int pumps = 2 * (kFolders + kFolders * kFilesPerFolder);
  double pumping = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < pumps; ++i)
      MessageLoop().pump(1);
    pumping =
        std::min(pumping, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::printf("%d files in %d folders\n", kFolders * kFilesPerFolder, kFolders);
  std::printf("fpath::rmtree:      %8.1f ms\n", walked * 1000);
  std::printf("plain delete loop:  %8.1f ms\n", plain * 1000);
  std::printf("the walker's %d message pumps alone: %.1f ms\n", pumps, pumping * 1000);
  std::printf("rmtree / plain: %.2f (goal: at most 2)\n", walked / plain);
  return 0;
}
