#include <engine/controllers/EventExecutors.h>

#include <engine/operations/FolderGuard.h>
#include <engine/script/BuildInfo.h>

#include <foundation/paths/fpath.h>
#include <foundation/paths/pathparts.h>
#include <foundation/system/checkfailed.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// How this works: every type id has one executor in the table at the bottom. An executor expands its
// text fields (256 characters, 128 for type 7's paths, 80 for a dialog name), evaluates its
// expressions, finds or creates its variables, and calls its family's controller operation. The first
// failure stops the run: expansions and evaluations have reported already, operations report in their
// own words. Values stored into string variables are cut to 255 characters.

namespace {

const CheckSite noExecutor{"KXTEST", 412};
const CheckSite unknownShowMode{"XLATOR", 38};

using Executor = int (*)(const Event&, EventServices&, EventController&, int&);

struct Text {
  char value[256];
};

// A text the controller fills (256 characters): one more character keeps it terminated whatever the
// controller leaves there, so that a store can never read past it.
struct Reply {
  char value[257] = {};
};

int expandText(EventServices& services, const Event& event, int n, Text& out) {
  return services.expand(event.text(n), out.value, sizeof out.value);
}

// An optional variable: none for an empty name; 0 when a named one cannot be had.
int optionalString(EventServices& services, const char* name, char*& storage) {
  storage = nullptr;
  if (!*name)
    return 1;
  storage = services.stringvariable(name);
  return storage != nullptr;
}

int optionalInteger(EventServices& services, const char* name, int*& storage) {
  storage = nullptr;
  if (!*name)
    return 1;
  storage = services.integervariable(name);
  return storage != nullptr;
}

int setString(EventServices& services, const char* name, const char* value) {
  char* storage;
  if (!optionalString(services, name, storage))
    return 0;
  if (storage)
    SetStringValue(storage, value);
  return 1;
}

int setInteger(EventServices& services, const char* name, int value) {
  int* storage;
  if (!optionalInteger(services, name, storage))
    return 0;
  if (storage)
    *storage = value;
  return 1;
}

int queryDialog(const Event& e, EventServices& s, EventController& c, int& result) {
  Text text;
  if (!expandText(s, e, 0, text))
    return 0;
  int answer = c.querydialog(static_cast<int>(e.number(0)), text.value);
  if (answer == 0)
    return 1;
  if (answer != 2) {
    c.queryfailed();
    result = 0;
  }
  return 0;
}

int userInfo(const Event& e, EventServices& s, EventController& c, int&) {
  char* variables[6];
  for (int i = 0; i < 6; ++i)
    if (!optionalString(s, e.text(i), variables[i]))
      return 0;
  return c.userinfo(static_cast<int>(e.number(0)), static_cast<int>(e.number(1)), variables);
}

int selectComponents(const Event&, EventServices&, EventController& c, int&) { return c.selectcomponents(); }

int joinPath(const char* folder, const char* name, char* out) {
  size_t length = std::strlen(folder);
  const char* separator = length && folder[length - 1] != '\\' && folder[length - 1] != ':' ? "\\" : "";
  return CopyText(out, PathSize, folder) && AppendText(out, PathSize, separator) &&
         AppendText(out, PathSize, name);
}

int installFiles(const Event& e, EventServices& s, EventController& c, int&) {
  FileInstallRecord record{};
  for (int i = 0; i < CopyOptionCount; ++i)
    record.options[i] = static_cast<int>(e.number(i));
  Text sourceFolder, targetFolder;
  if (!expandText(s, e, 0, sourceFolder) || !expandText(s, e, 1, targetFolder))
    return 0;
  if (record.options[CopyMode] == 2) {
    Text source, target;
    if (!expandText(s, e, 2, source) || !expandText(s, e, 3, target))
      return 0;
    record.source = source.value;
    record.target = target.value;
    record.component = -1;
    return c.installfile(record);
  }
  for (unsigned index : e.fields.references[0]) {
    const FileEntry* entry = c.fileentry(index);
    if (!entry)
      continue;
    char source[PathSize], target[PathSize];
    if (!joinPath(sourceFolder.value, entry->source.c_str(), source) ||
        !joinPath(targetFolder.value, entry->target.c_str(), target)) {
      s.reportf("Path too long: %s", entry->target.c_str());
      return 0;
    }
    record.entry = entry;
    record.source = source;
    record.target = target;
    record.component = s.componentof(*entry);
    record.options[CopyCompareAfter] =
        static_cast<int>(e.number(CopyCompareAfter)) ||
        (record.options[CopyComparator] == 3 && (record.options[CopyFromArchive] || entry->compressed()));
    if (!c.installfile(record))
      return 0;
  }
  return 1;
}

int addProgmanItem(const Event& e, EventServices& s, EventController& c, int&) {
  Text texts[5];
  ProgmanItemRecord record{{static_cast<int>(e.number(0)), static_cast<int>(e.number(1))}, {}};
  for (int i = 0; i < 5; ++i) {
    if (!expandText(s, e, i, texts[i]))
      return 0;
    record.texts[i] = texts[i].value;
  }
  return c.addprogmanitem(record);
}

struct IniMode {
  int flags[3];
};

// -1 leaves a flag unset.
const IniMode iniModes[] = {{{0, 1, 1}}, {{1, -1, 1}}, {{1, -1, 0}}, {{0, 0, 1}}};

int writeIniEntry(const Event& e, EventServices& s, EventController& c, int&) {
  long mode = e.number(0);
  if (mode < 0 || mode > 3) {
    s.reportf("Unknown mode %ld of an initialisation file entry", mode);
    return 0;
  }
  Text texts[4];
  for (int i = 0; i < 4; ++i)
    if (!expandText(s, e, i, texts[i]))
      return 0;
  IniWriteRecord record{texts[0].value, texts[1].value, texts[2].value, texts[3].value, {}, 1000};
  std::memcpy(record.flags, iniModes[mode].flags, sizeof record.flags);
  return c.writeini(record);
}

int hexDigit(char c) {
  const char* digits = "0123456789abcdef";
  const char* found = c ? std::strchr(digits, c | 0x20) : nullptr;
  return found ? static_cast<int>(found - digits) : -1;
}

// "0a,ff,10": two digits a byte, one separator between bytes.
int parseHexBytes(const char* text, std::vector<unsigned char>& bytes) {
  size_t count = 1;
  for (const char* p = text; *p; ++p)
    count += *p == ',';
  if (std::strlen(text) != count * 3 - 1)
    return 0;
  bytes.clear();
  for (size_t i = 0; i < count; ++i) {
    int high = hexDigit(text[3 * i]), low = hexDigit(text[3 * i + 1]);
    if (high < 0 || low < 0)
      return 0;
    bytes.push_back(static_cast<unsigned char>(high << 4 | low));
  }
  return 1;
}

int readWholeFile(const char* path, std::vector<unsigned char>& bytes) {
  FILE* file = std::fopen(path, "rb");
  if (!file)
    return 0;
  bytes.clear();
  unsigned char block[4096];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, file)) > 0)
    bytes.insert(bytes.end(), block, block + n);
  int ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

int validRoot(EventServices& s, long root) {
  if (root >= 0 && root <= 4)
    return 1;
  s.reportf("Unknown registry root %ld", root);
  return 0;
}

int writeRegistryValue(const Event& e, EventServices& s, EventController& c, int&) {
  long root = e.number(0), kind = e.number(1);
  Text key, name, data;
  if (!validRoot(s, root) || !expandText(s, e, 0, key) || !expandText(s, e, 1, name))
    return 0;
  std::vector<unsigned char> bytes;
  int number = 0;
  switch (kind) {
  case 0:
  case 1:
  case 5:
    if (!expandText(s, e, 2, data))
      return 0;
    bytes.assign(data.value, data.value + std::strlen(data.value) + 1);
    if (kind == 5)
      bytes.push_back(0);
    break;
  case 2:
    if (!s.evaluate(e.text(2), number))
      return 0;
    bytes.assign(reinterpret_cast<unsigned char*>(&number), reinterpret_cast<unsigned char*>(&number) + 4);
    break;
  case 3:
    if (!parseHexBytes(e.text(2), bytes)) {
      s.reportf("Invalid binary data %s", e.text(2));
      return 0;
    }
    break;
  case 4:
    if (!expandText(s, e, 2, data))
      return 0;
    if (!readWholeFile(data.value, bytes)) {
      s.reportf("Unable to open %s", data.value);
      return 0;
    }
    break;
  case 6:
    break;
  default:
    s.reportf("Unknown registry data kind %ld", kind);
    return 0;
  }
  static const unsigned long types[] = {REG_SZ,     REG_EXPAND_SZ, REG_DWORD, REG_BINARY,
                                        REG_BINARY, REG_MULTI_SZ,  REG_NONE};
  return c.writeregistry(static_cast<int>(root), key.value, name.value, types[kind], bytes.data(),
                         static_cast<int>(bytes.size()));
}

int runProgram(const Event& e, EventServices& s, EventController& c, int&) {
  char paths[3][PathSize];
  Text fourth;
  for (int i = 0; i < 3; ++i)
    if (!s.expand(e.text(i), paths[i], PathSize))
      return 0;
  if (!expandText(s, e, 3, fourth))
    return 0;
  long wait = e.number(1);
  if (wait < 0 || wait > 2) {
    s.reportf("Unknown wait mode %ld", wait);
    return 0;
  }
  RunRecord record{TranslateShowMode(static_cast<int>(e.number(0))),
                   static_cast<int>(wait) + 1,
                   static_cast<int>(e.number(2)),
                   paths[0],
                   paths[1],
                   paths[2],
                   fourth.value};
  int value = 0;
  if (!c.runprogram(record, value))
    return 0;
  return setInteger(s, e.text(4), value);
}

int controllerRequest(const Event& e, EventServices&, EventController& c, int& result) {
  return c.request(static_cast<int>(e.number(0)), static_cast<int>(e.number(1)),
                   static_cast<int>(e.number(2)), result);
}

int editStartupFiles(const Event& e, EventServices& s, EventController& c, int&) {
  char path[PathSize];
  if (!s.writelines(e.text(0), path))
    return 0;
  int values[3] = {static_cast<int>(e.number(0)), static_cast<int>(e.number(1)),
                   static_cast<int>(e.number(2))};
  return c.EditStartupFiles(values, path);
}

int showText(const Event& e, EventServices& s, EventController& c, int&) {
  Text text;
  return expandText(s, e, 0, text) && c.showtext(static_cast<int>(e.number(0)), text.value);
}

int promptString(const Event& e, EventServices& s, EventController& c, int&) {
  int values[4];
  for (int i = 0; i < 4; ++i)
    values[i] = static_cast<int>(e.number(i));
  Text texts[4];
  static const int fields[4] = {0, 1, 3, 4};
  const char* pointers[4];
  for (int i = 0; i < 4; ++i) {
    if (!expandText(s, e, fields[i], texts[i]))
      return 0;
    pointers[i] = texts[i].value;
  }
  Reply answer;
  return c.promptstring(values, pointers, answer.value) && setString(s, e.text(2), answer.value);
}

int getDirectory(const Event& e, EventServices& s, int (*setter)(fpath&)) {
  fpathbuf folder;
  if (!setter(folder)) {
    s.reportf("Unable to find a folder for %s", e.text(0));
    return 0;
  }
  return setString(s, e.text(0), folder.str());
}

int windowsDir(const Event& e, EventServices& s, EventController&, int&) {
  return getDirectory(e, s, fpath::setwindir);
}
int sharedDir(const Event& e, EventServices& s, EventController&, int&) {
  return getDirectory(e, s, fpath::setshareddir);
}
int engineDir(const Event& e, EventServices& s, EventController&, int&) {
  return getDirectory(e, s, fpath::setmoduledir);
}

int cdRoot(const Event& e, EventServices& s, EventController& c, int&) {
  Reply root;
  int exists = 0;
  return c.medium(root.value, exists) && setString(s, e.text(0), root.value) &&
         setInteger(s, e.text(1), exists);
}

int requiredSpace(const Event& e, EventServices& s, EventController& c, int&) {
  // The controller answers the size in units of 10 KB already.
  return setInteger(s, e.text(0), static_cast<int>(c.requiredspace()));
}

int setStringEvent(const Event& e, EventServices& s, EventController&, int&) {
  Text text;
  return expandText(s, e, 1, text) && setString(s, e.text(0), text.value);
}

int setIntegerEvent(const Event& e, EventServices& s, EventController&, int&) {
  int value;
  return s.evaluate(e.text(1), value) && setInteger(s, e.text(0), value);
}

int compareText(const Event& e, EventServices& s, EventController& c, int&) {
  Text a, b;
  if (!expandText(s, e, 0, a) || !expandText(s, e, 1, b))
    return 0;
  return setInteger(s, e.text(2), c.comparetexts(static_cast<int>(e.number(0)), a.value, b.value));
}

int findFile(const Event& e, EventServices& s, EventController& c, int&) {
  int options[6];
  for (int i = 0; i < 6; ++i)
    options[i] = static_cast<int>(e.number(i));
  Text folder, pattern;
  if (!expandText(s, e, 2, folder) || !expandText(s, e, 3, pattern))
    return 0;
  int found = 0;
  Reply path;
  return c.findfile(options, folder.value, pattern.value, found, path.value) &&
         setInteger(s, e.text(0), found) && setString(s, e.text(1), path.value);
}

int iniEntryExists(const Event& e, EventServices& s, EventController& c, int&) {
  Text texts[4];
  const char* pointers[4];
  for (int i = 0; i < 4; ++i) {
    if (!expandText(s, e, i, texts[i]))
      return 0;
    pointers[i] = texts[i].value;
  }
  int exists = 0;
  Reply value;
  return c.readini(pointers, exists, value.value) && setInteger(s, e.text(4), exists) &&
         setString(s, e.text(5), value.value);
}

int registryKeyExists(const Event& e, EventServices& s, EventController& c, int&) {
  Text key, name;
  if (!validRoot(s, e.number(0)) || !expandText(s, e, 0, key) || !expandText(s, e, 1, name))
    return 0;
  int exists = 0;
  Reply value;
  return c.queryregistry(static_cast<int>(e.number(0)), key.value, name.value, exists, value.value) &&
         setInteger(s, e.text(2), exists) && setString(s, e.text(3), value.value);
}

int formatInteger(const Event& e, EventServices& s, EventController&, int&) {
  int value;
  if (!s.evaluate(e.text(1), value))
    return 0;
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return setString(s, e.text(0), text);
}

// One integer and nothing else but blanks; a number outside the int range is no integer.
int parseWholeInteger(const char* text, int& value) {
  char* end;
  errno = 0;
  long number = std::strtol(text, &end, 10);
  if (end == text || errno == ERANGE || number < INT_MIN || number > INT_MAX)
    return 0;
  while (*end == ' ' || (*end >= '\t' && *end <= '\r'))
    ++end;
  if (*end)
    return 0;
  value = static_cast<int>(number);
  return 1;
}

int parseInteger(const Event& e, EventServices& s, EventController&, int&) {
  Text text;
  if (!expandText(s, e, 1, text))
    return 0;
  int value;
  if (!parseWholeInteger(text.value, value)) {
    s.reportf("Unable to convert %s to integer", text.value);
    return 0;
  }
  return setInteger(s, e.text(0), value);
}

int splitPath(const Event& e, EventServices& s, EventController&, int&) {
  Text path;
  if (!expandText(s, e, 0, path))
    return 0;
  const char* name = path.value;
  for (const char* p = path.value; *p; ++p)
    if (*p == '\\' || *p == '/' || *p == ':')
      name = p + 1;
  std::string folder(static_cast<const char*>(path.value), name);
  if (folder.size() > 1 && folder.back() == '\\' && folder[folder.size() - 2] != ':')
    folder.pop_back();
  return setString(s, e.text(1), folder.c_str()) && setString(s, e.text(2), name);
}

int askYesNo(const Event& e, EventServices& s, EventController& c, int&) {
  Text question;
  int yes = 0;
  return expandText(s, e, 0, question) && c.askyesno(static_cast<int>(e.number(0)), question.value, yes) &&
         setInteger(s, e.text(1), yes);
}

int getVersion(const Event& e, EventServices& s, EventController& c, int&) {
  int major = 0, minor = 0;
  return c.systemversion(major, minor) && setInteger(s, e.text(0), major) && setInteger(s, e.text(1), minor);
}

int getProcessor(const Event& e, EventServices& s, EventController& c, int&) {
  return setInteger(s, e.text(0), c.processor());
}

int queryValue(const Event& e, EventServices& s, EventController& c, int&) {
  int value = 0;
  return c.queryvalue(e.type(), value) && setInteger(s, e.text(0), value);
}

int beginCopy(const Event& e, EventServices&, EventController& c, int&) {
  return c.begincopy(static_cast<int>(e.number(0)), static_cast<int>(e.number(1)), e.number(2));
}

int endCopy(const Event&, EventServices&, EventController& c, int&) { return c.endcopy(); }

int messageWindow(const Event& e, EventServices&, EventController& c, int&) {
  int which = (e.type() - 35) / 2;
  return (e.type() - 35) % 2 ? c.closemessage(which) : c.openmessage(which);
}

int registerUninstall(const Event& e, EventServices& s, EventController& c, int&) {
  Text folder, group, working;
  int append;
  if (!expandText(s, e, 0, folder) || !expandText(s, e, 1, group) || !expandText(s, e, 2, working) ||
      !s.evaluate(e.text(3), append))
    return 0;
  UninstallRecord record{
      {},      folder.value, group.value, working.value, append, e.text(4), static_cast<int>(e.number(0)),
      {-1, -1}};
  int n = 0;
  for (unsigned index : e.fields.references[0]) {
    const FileEntry* entry = c.fileentry(index);
    if (!entry || n == 2)
      continue;
    record.extraFiles[n] = entry;
    record.components[n++] = s.componentof(*entry);
  }
  if (c.InstallUninstaller(record))
    return 1;
  s.reporterror("Unable to install the uninstaller");
  return 0;
}

int moveFile(const Event& e, EventServices& s, EventController& c, int&) {
  Text source, target;
  if (!expandText(s, e, 0, source) || !expandText(s, e, 1, target))
    return 0;
  return !fpath::exists(cpathref(source.value)) || c.movefile(source.value, target.value);
}

// A delete takes a folder with everything in it, so a path that may name more than the script
// meant is refused: one with a "." or ".." part, a whole drive, the system's folders and the folders
// above them, and any folder above the install folder ("$i"); the install folder itself may go.
int RefusedDelete(EventServices& s, const char* path, std::string& why) {
  if (IsProtectedFolder(path, "", why))
    return 1;
  const char* install = s.stringvariable("i");
  if (!install || !*install)
    return 0;
  std::string folder = ResolvedFolder(path), installFolder = ResolvedFolder(install);
  if (folder == installFolder || !IsOrHolds(folder, installFolder))
    return 0;
  why = "it holds the install folder";
  return 1;
}

int deleteFile(const Event& e, EventServices& s, EventController& c, int&) {
  Text path;
  if (!expandText(s, e, 0, path))
    return 0;
  std::string why;
  if (RefusedDelete(s, path.value, why)) {
    s.reportf("Refusing to delete %s: %s", path.value, why.c_str());
    return 0;
  }
  return fpath::isdir(cpathref(path.value)) ? c.deletefolder(path.value) : c.deletefile(path.value);
}

int fileOperation(const Event& e, EventServices& s, EventController& c, int&) {
  Text path;
  if (!expandText(s, e, 0, path))
    return 0;
  cpathref source(path.value);
  if (!fpath::exists(source))
    return 1;
  fpathbuf second;
  if (!fpath::setbackupname(second, source)) {
    s.reportf("Unable to name a copy of %s", path.value);
    return 0;
  }
  return c.fileoperation(path.value, second.str());
}

int deleteProgmanItem(const Event& e, EventServices& s, EventController& c, int&) {
  Text group, item;
  return expandText(s, e, 0, group) && expandText(s, e, 1, item) &&
         c.deleteprogmanitem(group.value, item.value);
}

int queryState(const Event& e, EventServices& s, EventController& c, int&) {
  int value = 0;
  return c.querystate(value) && setInteger(s, e.text(0), value);
}

int createFolder(const Event& e, EventServices& s, EventController& c, int&) {
  Text path;
  return expandText(s, e, 0, path) && c.createfolder(path.value);
}

int userDialog(const Event& e, EventServices& s, EventController& c, int&) {
  char name[80];
  int result = 0;
  return s.expand(e.text(1), name, sizeof name) && c.userdialog(name, result) &&
         setInteger(s, e.text(0), result);
}

int showMessageWindow(const Event& e, EventServices& s, EventController& c, int&) {
  Text second, first;
  if (!expandText(s, e, 0, second) || !expandText(s, e, 1, first))
    return 0;
  MessageWindowRecord record{500, 500, 3000, first.value, second.value};
  record.x = static_cast<int>(e.number(0));
  record.y = static_cast<int>(e.number(1));
  record.time = e.number(2);
  return c.showmessage(record);
}

int hideMessageWindow(const Event&, EventServices&, EventController& c, int&) { return c.hidemessage(); }

int argumentCount(const Event& e, EventServices& s, EventController& c, int&) {
  return setInteger(s, e.text(0), c.argumentcount());
}

int getArgument(const Event& e, EventServices& s, EventController& c, int&) {
  int n;
  if (!s.evaluate(e.text(1), n))
    return 0;
  Reply value;
  if (!c.argument(n, value.value)) {
    s.reportf("No argument at %d", n);
    return 0;
  }
  return setString(s, e.text(0), value.value);
}

int deleteProgmanGroup(const Event& e, EventServices& s, EventController& c, int&) {
  Text group;
  return expandText(s, e, 0, group) && c.deleteprogmangroup(group.value);
}

struct ExecutorEntry {
  int id;
  Executor run;
};

const ExecutorEntry executors[] = {
    {0, queryDialog},        {1, userInfo},          {2, selectComponents},   {3, installFiles},
    {4, addProgmanItem},     {5, writeIniEntry},     {6, writeRegistryValue}, {7, runProgram},
    {8, controllerRequest},  {10, editStartupFiles}, {11, showText},          {12, promptString},
    {14, windowsDir},        {15, sharedDir},        {16, engineDir},         {17, cdRoot},
    {18, requiredSpace},     {19, setStringEvent},   {20, setIntegerEvent},   {21, compareText},
    {22, findFile},          {23, iniEntryExists},   {24, registryKeyExists}, {25, formatInteger},
    {26, parseInteger},      {27, splitPath},        {28, askYesNo},          {29, getVersion},
    {30, getProcessor},      {31, queryValue},       {32, queryValue},        {33, beginCopy},
    {34, endCopy},           {35, messageWindow},    {36, messageWindow},     {37, messageWindow},
    {38, messageWindow},     {39, messageWindow},    {40, messageWindow},     {41, registerUninstall},
    {42, moveFile},          {43, deleteFile},       {44, fileOperation},     {45, deleteProgmanItem},
    {46, queryState},        {47, createFolder},     {48, userDialog},        {49, showMessageWindow},
    {50, hideMessageWindow}, {51, argumentCount},    {52, getArgument},       {53, deleteProgmanGroup},
};

struct ShowMode {
  int from;
  int to;
};

// The translation table of show modes, ended by -1.
const ShowMode showModes[] = {
    {0, SW_SHOWNORMAL}, {1, SW_SHOWMINIMIZED},   {2, SW_SHOWMAXIMIZED},
    {3, SW_HIDE},       {4, SW_SHOWMINNOACTIVE}, {5, SW_SHOWNOACTIVATE},
    {-1, -1},
};

} // namespace

int TranslateShowMode(int scriptValue) {
  for (const ShowMode* mode = showModes; mode->from != -1; ++mode)
    if (mode->from == scriptValue)
      return mode->to;
  CheckFailed(unknownShowMode, 0);
  return SW_SHOWNORMAL;
}

int ExecuteEvent(const Event& event, EventServices& services, EventController& controller, int& result) {
  for (const ExecutorEntry& entry : executors)
    if (entry.id == event.type())
      return entry.run(event, services, controller, result);
  CheckFailed(noExecutor, 0);
  return 1;
}

long EventSizeKB(const Event& event, EventController& controller) {
  if (event.type() != 3 || event.number(CopyMode) == 2)
    return 0;
  // The bytes are summed before they become KB, so that many small files still count.
  long long bytes = 0;
  for (unsigned index : event.fields.references[0])
    if (const FileEntry* entry = controller.fileentry(index))
      bytes += event.number(CopyCompressedSizes) ? entry->packedSize : entry->originalSize;
  return static_cast<long>(bytes / 1024);
}
