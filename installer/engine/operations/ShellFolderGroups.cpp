#include <engine/operations/ShellFolderGroups.h>

#include <foundation/paths/fpath.h>

#include <objidl.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstring>

namespace {

const CLSID ShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID ShellLinkInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID PersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

using OleInitializeFn = HRESULT(WINAPI*)(LPVOID);
using OleUninitializeFn = void(WINAPI*)();
using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], n);
  return wide;
}

int Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The link object and its file interface, released together.
struct Link {
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  ~Link() {
    if (file)
      file->Release();
    if (link)
      link->Release();
  }
};

int MakeLink(HMODULE ole, Link& link) {
  auto create =
      reinterpret_cast<CoCreateInstanceFn>(reinterpret_cast<void*>(GetProcAddress(ole, "CoCreateInstance")));
  if (!create || FAILED(create(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, ShellLinkInterface,
                               reinterpret_cast<void**>(&link.link))))
    return 0;
  return SUCCEEDED(link.link->QueryInterface(PersistFileInterface, reinterpret_cast<void**>(&link.file)));
}

// Some link objects load every field but the show command; the file's fixed header holds it too
// (a 4-byte header size of 76, the show command at offset 60).
int ShowCommandInFile(const std::string& file, int reported) {
  FILE* in = std::fopen(file.c_str(), "rb");
  if (!in)
    return reported;
  unsigned char header[64];
  size_t n = std::fread(header, 1, sizeof header, in);
  std::fclose(in);
  if (n < sizeof header || header[0] != 76 || header[1] || header[2] || header[3])
    return reported;
  return header[60] | header[61] << 8 | header[62] << 16 | header[63] << 24;
}

} // namespace

std::string ShellFolderGroups::ProgramsFolder() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER,
                    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0, KEY_READ,
                    &key) != ERROR_SUCCESS)
    return std::string();
  char value[MAX_PATH] = {};
  DWORD size = sizeof value - 1, type = 0;
  LONG result = RegQueryValueExA(key, "Programs", nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::string();
  value[size < sizeof value ? size : sizeof value - 1] = 0;
  return value;
}

int ShellFolderGroups::startup(int) {
  if (ole_)
    return 1;
  ole_ = LoadLibraryA("ole32.dll");
  auto initialize =
      ole_ ? reinterpret_cast<OleInitializeFn>(reinterpret_cast<void*>(GetProcAddress(ole_, "OleInitialize")))
           : nullptr;
  if (initialize && SUCCEEDED(initialize(nullptr)))
    return 1;
  if (ole_)
    FreeLibrary(ole_);
  ole_ = nullptr;
  return 0;
}

void ShellFolderGroups::shutdown(int) {
  if (!ole_)
    return;
  auto uninitialize =
      reinterpret_cast<OleUninitializeFn>(reinterpret_cast<void*>(GetProcAddress(ole_, "OleUninitialize")));
  if (uninitialize)
    uninitialize();
  FreeLibrary(ole_);
  ole_ = nullptr;
}

std::string ShellFolderGroups::GroupFolder(const char* group) const {
  std::string programs = ProgramsFolder();
  if (programs.empty() || !IsGroupName(group))
    return std::string();
  return programs + "\\" + group;
}

// An item's name is a file name in its group's folder: one that is no group name would reach another
// folder.
std::string ShellFolderGroups::ItemFile(const char* group, const char* name, const char* extension) const {
  std::string folder = GroupFolder(group);
  return folder.empty() || !IsGroupName(name) ? std::string() : folder + "\\" + name + extension;
}

int ShellFolderGroups::creategroup(const char* name) {
  std::string folder = GroupFolder(name);
  return !folder.empty() &&
         (CreateDirectoryA(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
}

int ShellFolderGroups::deletegroup(const char* name) {
  std::string folder = GroupFolder(name);
  return !folder.empty() && fpath::rmtree(cpathref(folder.c_str()));
}

int ShellFolderGroups::showgroup(const char* name, int) {
  currentGroup_ = name;
  return 1;
}

int ShellFolderGroups::groupexists(const char* name) {
  std::string folder = GroupFolder(name);
  DWORD attributes = folder.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void SplitProgramCommand(const std::string& command, std::string& program, std::string& arguments) {
  auto rest = [&command](size_t from) {
    size_t first = from == std::string::npos ? from : command.find_first_not_of(' ', from);
    return first == std::string::npos ? std::string() : command.substr(first);
  };
  if (!command.empty() && command[0] == '"') {
    size_t close = command.find('"', 1);
    program = command.substr(1, close == std::string::npos ? std::string::npos : close - 1);
    arguments = rest(close == std::string::npos ? close : close + 1);
    return;
  }
  // The longest start that names an existing file, ending at a blank or at the end.
  for (size_t end = command.size(); end != std::string::npos && end > 0; end = command.rfind(' ', end - 1)) {
    std::string start = command.substr(0, end);
    DWORD attributes = GetFileAttributesA(start.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
      program = start;
      arguments = rest(end);
      return;
    }
  }
  size_t blank = command.find(' ');
  program = command.substr(0, blank);
  arguments = rest(blank);
}

int ShellFolderGroups::SaveLink(const ProgramItem& item, const std::string& file) {
  Link link;
  if (file.empty() || !MakeLink(ole_, link))
    return 0;
  std::string program, arguments;
  SplitProgramCommand(item.commandline, program, arguments);
  IShellLinkA* l = link.link;
  l->SetPath(program.c_str());
  if (!arguments.empty())
    l->SetArguments(arguments.c_str());
  l->SetWorkingDirectory(ShortForm(item.workingfolder).c_str());
  l->SetIconLocation(ShortForm(item.iconpath).c_str(), item.iconindex);
  l->SetHotkey(static_cast<WORD>(item.hotkey));
  l->SetShowCmd(item.minimized ? SW_SHOWMINNOACTIVE : SW_SHOWNORMAL);
  return SUCCEEDED(link.file->Save(Wide(file).c_str(), TRUE));
}

int ShellFolderGroups::LoadLink(const std::string& file, ProgramItem& item) {
  Link link;
  if (!MakeLink(ole_, link) || FAILED(link.file->Load(Wide(file).c_str(), STGM_READ)))
    return 0;
  IShellLinkA* l = link.link;
  WORD hotkey = 0;
  int show = 0, icon = 0;
  char path[MAX_PATH] = {}, arguments[ProgramItem::CommandSize] = {};
  l->GetHotkey(&hotkey);
  l->GetShowCmd(&show);
  l->GetIconLocation(item.iconpath, sizeof item.iconpath, &icon);
  l->GetWorkingDirectory(item.workingfolder, sizeof item.workingfolder);
  l->GetPath(path, sizeof path, nullptr, 0);
  l->GetArguments(arguments, sizeof arguments);
  item.hotkey = hotkey;
  item.minimized = ShowCommandInFile(file, show) == SW_SHOWMINNOACTIVE;
  item.iconindex = icon;
  item.x = item.y = 0;
  // A program in a folder with blanks is quoted, so that the command splits back into the same link.
  std::string program = std::strchr(path, ' ') ? std::string("\"") + path + "\"" : std::string(path);
  SetField(item.commandline, *arguments ? program + " " + arguments : program);
  std::string name = file.substr(file.find_last_of('\\') + 1);
  SetField(item.name, name.substr(0, name.size() - 4));
  return 1;
}

int ShellFolderGroups::additem(const ProgramItem& item) {
  return SaveLink(item, ItemFile(currentGroup_.c_str(), item.name, ".lnk"));
}

int ShellFolderGroups::additem(const char* commandline, const char* name, const char* iconpath, int iconindex,
                               const char* workingfolder) {
  ProgramItem item;
  SetField(item.commandline, commandline);
  SetField(item.name, name);
  SetField(item.iconpath, iconpath ? iconpath : "");
  SetField(item.workingfolder, workingfolder ? workingfolder : "");
  item.iconindex = iconindex;
  return additem(item);
}

int ShellFolderGroups::deleteitem(const char* name) {
  if (!IsGroupName(name))
    return 0;
  std::string file = ItemFile(currentGroup_.c_str(), name, ".lnk");
  if (!Exists(file))
    file = ItemFile(currentGroup_.c_str(), name, ".pif");
  if (!Exists(file))
    return 1;
  return DeleteFileA(file.c_str()) != 0;
}

int ShellFolderGroups::itemexists(const char* group, const char* name) {
  return Exists(ItemFile(group, name, ".lnk")) || Exists(ItemFile(group, name, ".pif"));
}

int ShellFolderGroups::itemrecord(const char* group, const char* name, ProgramItem& item) {
  return LoadLink(ItemFile(group, name, ".lnk"), item) || LoadLink(ItemFile(group, name, ".pif"), item);
}

int ShellFolderGroups::groupcontents(const char* group, GroupContents& contents) {
  contents.clear();
  std::string folder = GroupFolder(group);
  if (folder.empty())
    return 0;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return 0;
  do {
    size_t length = std::strlen(found.cFileName);
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || length < 5)
      continue;
    const char* extension = found.cFileName + length - 4;
    ProgramItem item;
    if ((_stricmp(extension, ".lnk") == 0 || _stricmp(extension, ".pif") == 0) &&
        LoadLink(folder + "\\" + found.cFileName, item))
      contents.push_back(item);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return 1;
}

int ShellFolderGroups::grouplist(std::string& text) {
  text.clear();
  std::string programs = ProgramsFolder();
  WIN32_FIND_DATAA found;
  HANDLE search =
      programs.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA((programs + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return 0;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || std::strcmp(found.cFileName, ".") == 0 ||
        std::strcmp(found.cFileName, "..") == 0)
      continue;
    if (!text.empty())
      text += "\r\n";
    text += found.cFileName;
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return 1;
}
