#include <engine/operations/ProgmanGroups.h>

#include <cstdio>
#include <cstring>
#include <initializer_list>

namespace {

const char* const ProgmanClass = "PROGMAN";
constexpr int ShowAsCreate = 9;

// printf into a buffer sized from the arguments.
template <class... Args> std::string Format(const char* format, Args... args) {
  int n = std::snprintf(nullptr, 0, format, args...);
  if (n < 0)
    return std::string();
  std::string text(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(&text[0], text.size(), format, args...);
  text.resize(static_cast<size_t>(n));
  return text;
}

} // namespace

std::string ShortForm(const char* path) {
  if (!path || !*path)
    return std::string();
  char buffer[MAX_PATH];
  DWORD n = GetShortPathNameA(path, buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer)
    return path;
  return buffer;
}

int IsGroupName(const char* name) {
  if (!name || std::strpbrk(name, "\\/:"))
    return 0;
  // The system drops a name's trailing dots and blanks, so "", "." and ".." all name the folder of
  // every group.
  size_t length = std::strlen(name);
  while (length && (name[length - 1] == '.' || name[length - 1] == ' '))
    --length;
  return length != 0;
}

int IsProgmanName(const char* name) { return name && !std::strpbrk(name, "\"[]"); }

std::string CreateGroupCommand(const char* name) { return Format("[CreateGroup(\"%s\")]", name); }

std::string ShowGroupCommand(const char* name, int show) {
  if (show == ShowAsCreate)
    return CreateGroupCommand(name);
  return Format("[ShowGroup(\"%s\", %d)]", name, show);
}

std::string DeleteGroupCommand(const char* name) { return Format("[DeleteGroup(\"%s\")]", name); }

std::string DeleteItemCommand(const char* name) { return Format("[DeleteItem(\"%s\")]", name); }

namespace {

// The arguments of a command, each after a comma and a blank; an empty one is written as nothing right
// after its comma. The desktop's shell, which answers as Program Manager on an X display, reads a blank
// followed by a comma as an argument of negative length and ends with it, the conversation and every
// later command going with it.
std::string ArgumentList(std::initializer_list<std::string> arguments) {
  std::string list;
  for (const std::string& argument : arguments) {
    if (&argument != arguments.begin())
      list += argument.empty() ? "," : ", ";
    list += argument;
  }
  return list;
}

std::string Quoted(const char* text) { return std::string("\"") + text + "\""; }

} // namespace

std::string AddItemCommand(const char* commandline, const char* name, const char* iconpath, int iconindex,
                           const char* workingfolder) {
  std::string icon = ShortForm(iconpath);
  std::string index = std::to_string(iconindex);
  if (!workingfolder || !*workingfolder)
    return "[AddItem(" + ArgumentList({commandline, Quoted(name), icon, index}) + ")]";
  return "[AddItem(" +
         ArgumentList({commandline, Quoted(name), icon, index, "", "", ShortForm(workingfolder)}) + ")]";
}

std::string AddItemRecordCommand(const ProgramItem& item) {
  return "[AddItem(" +
         ArgumentList({item.commandline, Quoted(item.name), ShortForm(item.iconpath),
                       std::to_string(item.iconindex), std::to_string(item.x), std::to_string(item.y),
                       ShortForm(item.workingfolder), std::to_string(item.hotkey),
                       std::to_string(item.minimized)}) +
         ")]";
}

ProgmanGroups::ProgmanGroups(Environment environment) : environment_(std::move(environment)) {
  client_.settimeout(environment_.timeout);
}

int ProgmanGroups::startup(int start) {
  if (!client_.DdeConnect("PROGMAN", "PROGMAN")) {
    if (!start || !environment_.start || !environment_.start())
      return 0;
    if (!client_.DdeConnect("PROGMAN", "PROGMAN"))
      return 0;
  }
  HWND window = FindWindowA(ProgmanClass, nullptr);
  if (window && environment_.shellIsProgman)
    ShowWindow(window, SW_SHOWMINNOACTIVE);
  return 1;
}

void ProgmanGroups::shutdown(int close) {
  client_.DdeDisconnect();
  HWND window = FindWindowA(ProgmanClass, nullptr);
  if (!window)
    return;
  if (close)
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (environment_.shellIsProgman)
    ShowWindow(window, SW_RESTORE);
}

std::string ProgmanGroups::failure() const {
  return client_.failure().empty() ? std::string() : "Program Manager " + client_.failure();
}

int ProgmanGroups::Command(const std::string& command) {
  return !command.empty() && client_.DdeExecute(command.c_str());
}

int ProgmanGroups::creategroup(const char* name) {
  return IsGroupName(name) && IsProgmanName(name) && Command(CreateGroupCommand(name));
}

int ProgmanGroups::deletegroup(const char* name) {
  return IsGroupName(name) && IsProgmanName(name) && Command(DeleteGroupCommand(name));
}

int ProgmanGroups::showgroup(const char* name, int show) {
  return IsProgmanName(name) && Command(ShowGroupCommand(name, show));
}

int ProgmanGroups::additem(const ProgramItem& item) {
  return IsProgmanName(item.name) && Command(AddItemRecordCommand(item));
}

int ProgmanGroups::additem(const char* commandline, const char* name, const char* iconpath, int iconindex,
                           const char* workingfolder) {
  return IsProgmanName(name) &&
         Command(AddItemCommand(commandline, name, iconpath, iconindex, workingfolder));
}

int ProgmanGroups::deleteitem(const char* name) {
  return IsProgmanName(name) && Command(DeleteItemCommand(name));
}

int ProgmanGroups::grouplist(std::string& text) { return client_.DdeRequest("GROUPS", CF_TEXT, text); }

int ProgmanGroups::groupexists(const char* name) {
  std::string text;
  if (!grouplist(text))
    return 0;
  for (const std::string& line : ListingLines(text))
    if (_stricmp(line.c_str(), name) == 0)
      return 1;
  return 0;
}

int ProgmanGroups::groupcontents(const char* group, GroupContents& contents) {
  std::string text;
  contents.clear();
  return client_.DdeRequest(group, CF_TEXT, text) && ParseGroupContents(text, contents);
}

int ProgmanGroups::itemrecord(const char* group, const char* name, ProgramItem& item) {
  GroupContents contents;
  if (!groupcontents(group, contents))
    return 0;
  for (const ProgramItem& candidate : contents)
    if (_stricmp(candidate.name, name) == 0) {
      item = candidate;
      return 1;
    }
  return 0;
}

int ProgmanGroups::itemexists(const char* group, const char* name) {
  ProgramItem item;
  return itemrecord(group, name, item);
}
