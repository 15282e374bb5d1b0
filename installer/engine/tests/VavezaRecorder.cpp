// Stands in for the uninstall helper in tests: records the command line it was started with and the
// settings it found in "vaveza.ini" of the Windows folder, into the file the test names in
// VAVEZA_RECORD. It changes nothing else.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char record[MAX_PATH] = "";
  if (!GetEnvironmentVariableA("VAVEZA_RECORD", record, sizeof record))
    return 1;
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string ini = std::string(windows) + "\\vaveza.ini";
  std::string text = std::string("command ") + GetCommandLineA() + "\n";
  for (const char* key : {"f", "t", "x"}) {
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA("x", key, "", value, sizeof value, ini.c_str());
    text += std::string(key) + " " + value + "\n";
  }
  // Written under another name first, so that the test never reads half a record.
  std::string partial = std::string(record) + ".part";
  FILE* file = std::fopen(partial.c_str(), "wb");
  if (!file)
    return 1;
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);
  return MoveFileA(partial.c_str(), record) ? 0 : 1;
}
