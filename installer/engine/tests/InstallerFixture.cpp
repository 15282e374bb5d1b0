#include <engine/tests/InstallerFixture.h>
#include <engine/tests/TestFolders.h>

#include <engine/operations/ProgramGroupsManager.h>
#include <engine/script/LanguageSet.h>

#include <windows.h>

std::string RecordingLog::lines() const {
  std::string text;
  for (const LogRecord& entry : records) {
    text += std::to_string(entry.type());
    for (const LogField& field : entry.fields) {
      text += " ";
      text += field.kind == FieldNumber ? std::to_string(field.number)
              : field.kind == FieldKey  ? std::to_string(field.number) + ":" + field.text
              : field.kind == FieldItem || field.kind == FieldBytes ? std::string("<bytes>")
                                                                    : field.text;
    }
    text += "\n";
  }
  return text;
}

namespace {
InstallerPlatform TestPlatform(InstallerFixture& fixture) {
  InstallerPlatform platform;
  platform.inuse = [&fixture](const char* path) { return fixture.busy.count(path) ? 1 : 0; };
  platform.renameatrestart = [&fixture](const char* from, const char* to) {
    fixture.renames.emplace_back(from, to);
    return fixture.renameWorks;
  };
  platform.sharedroot = 2;
  platform.sharedkey = "Software\\KxTest\\SharedDLLs";
  platform.sharedfolder = fixture.dir.file("shared");
  return platform;
}
} // namespace

InstallerFixture::InstallerFixture() : installer(TestPlatform(*this)) {
  CreateDirectoryA(dir.file("shared").c_str(), nullptr);
  installer.switchlog(&log);
}

int LoadEnglishLibrary(LanguageLibrary& library) {
  return library.LoadResourceDll(ProgramsFolder().c_str(), LanguageUsEnglish, "kx%s.dll");
}

std::string TestProgramFile(const char* name) { return testsupport::testProgramFolder() + name; }

void SetProgramsFolder(const std::string& folder) {
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                  0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, "Programs", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>(folder.size() + 1));
  RegCloseKey(key);
}

void UseShellFolderGroups(const std::string& folder) {
  CreateDirectoryA(folder.c_str(), nullptr);
  SetProgramsFolder(folder);
  ProgramGroupsManager::Environment environment;
  environment.progman.timeout = 500;
  environment.windows95Family = 1;
  ProgramGroupsManager::instance().setenvironment(environment);
}

std::string Text(int size, int seed) {
  std::string text;
  for (int i = 0; text.size() < static_cast<size_t>(size); ++i)
    text += "line " + std::to_string(i * seed) + " of the file\r\n";
  text.resize(static_cast<size_t>(size));
  return text;
}
