#include <engine/log/LogUndo.h>

#include <engine/dialogs/EngineBox.h>
#include <engine/operations/IniFile.h>
#include <engine/operations/ProgramItem.h>

#include <foundation/strings/textresource.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr UINT KeepSharedText = 4;
constexpr UINT SharedCaption = 70;

// What an undo came to. A change the user chose to keep counts as undone: the uninstall can finish
// with it in place.
enum Outcome { Failed = 0, Done = 1, KeptByChoice = 2 };

// A quiet undo asks nothing and keeps what the question is about, as No would.
int AskYesNo(const Installer& installer, UINT textId, UINT captionId, const char* argument) {
  if (installer.quiet)
    return 0;
  std::string text = EngineTextf(textId, argument);
  char caption[TextSize];
  LoadText(caption, captionId);
  // Yes removes what others may still use: No is the default.
  return EngineMessageBox(text.c_str(), caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}

int HasEntries(const char* folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((std::string(folder) + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return 0;
  int any = 0;
  do
    any = std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0;
  while (!any && FindNextFileA(search, &found));
  FindClose(search);
  return any;
}

// Tells the user what the uninstall leaves on purpose; answers 1, since that is the undo's outcome.
int TellKept(const Installer& installer, const std::string& text) {
  if (!installer.quiet)
    EngineMessageBox(text.c_str(), "File kept", MB_OK | MB_ICONINFORMATION);
  return 1;
}

// Whether the file holds nothing but white space: what an initialisation file is once every entry
// and section the installation added has gone again.
int HoldsNothing(const char* path) {
  FILE* file = std::fopen(path, "rb");
  if (!file)
    return 1;
  int c;
  while ((c = std::fgetc(file)) != EOF && (c == ' ' || c == '\t' || c == '\r' || c == '\n'))
    ;
  std::fclose(file);
  return c == EOF;
}

int UndoCreatedFile(const LogRecord& r, Installer& installer) {
  const char* path = r.str(0);
  if (installer.isinifile(path) && !HoldsNothing(path)) {
    installer.keep(path);
    return TellKept(installer,
                    std::string(path) + " is kept: it holds entries the installation did not make.");
  }
  int count = installer.readcount(path);
  if (count == 1 && !installer.quiet) {
    std::string text = EngineTextf(KeepSharedText, path);
    char caption[TextSize];
    LoadText(caption, SharedCaption);
    // The question asks whether to remove the file: No, the default, keeps it.
    if (EngineMessageBox(text.c_str(), caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
      installer.keep(path);
      return KeptByChoice;
    }
  }
  if (count >= 1)
    installer.decrementcount(path);
  if (count >= 2) {
    installer.keep(path);
    return 1;
  }
  return installer.deletefile(path);
}

// The old file goes back to its name, unless the file now there is one the uninstall kept: then the
// old one stays under the name it was moved to, and the user is told where.
int UndoRename(const LogRecord& r, Installer& installer) {
  const char* oldpath = r.str(0);
  const char* newpath = r.str(1);
  if (installer.iskept(oldpath) && GetFileAttributesA(oldpath) != INVALID_FILE_ATTRIBUTES)
    return TellKept(installer,
                    std::string(oldpath) + " is kept; the file it replaced stays as " + newpath + ".");
  return installer.move(newpath, oldpath);
}

int SetSize(const char* path, long size) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return 0;
  LARGE_INTEGER position;
  position.QuadPart = size;
  int done = SetFilePointerEx(file, position, nullptr, FILE_BEGIN) && SetEndOfFile(file);
  CloseHandle(file);
  return done;
}

int UndoChange(const LogRecord& r, Installer& installer) {
  switch (r.type()) {
  case LogDirCreated:
    if (HasEntries(r.str(0)) && !AskYesNo(installer, 143, 144, r.str(0)))
      return KeptByChoice;
    return installer.removetree(r.str(0));
  case LogDirRemoved:
    return installer.createdirectory(r.str(0)) != 2;
  case LogFileRenamed:
    return UndoRename(r, installer);
  case LogFileCreated:
    return UndoCreatedFile(r, installer);
  case LogFileExtended:
    return SetSize(r.str(0), r.number(1));
  case LogAttributesChanged:
    return installer.setattributes(r.str(0), static_cast<DWORD>(r.number(1)));
  case LogIniEntryCreated:
    return installer.deleteentry(r.str(0), r.str(1), r.str(2), static_cast<int>(r.number(3)));
  case LogIniEntryDeleted:
    return installer.insertentry(r.str(0), r.str(1), r.str(2), r.str(3), static_cast<int>(r.number(4)));
  case LogIniEntryChanged:
    return installer.replaceentry(r.str(0), r.str(1), r.str(2), r.str(3), static_cast<int>(r.number(4)));
  case LogIniSectionAdded:
    if (IniHasEntries(r.str(0), r.str(1)) && !AskYesNo(installer, 145, 146, r.str(1)))
      return KeptByChoice;
    return installer.deletesection(r.str(0), r.str(1));
  case LogIniSectionDeleted:
    return installer.addsection(r.str(0), r.str(1));
  case LogGroupCreated:
    if (installer.grouphasitems(r.str(0)) && !AskYesNo(installer, 147, 148, r.str(0)))
      return KeptByChoice;
    return installer.deletegroup(r.str(0));
  case LogItemCreated:
    return installer.deleteitem(r.str(0), r.str(1));
  case LogGroupDeleted:
    return installer.creategroup(r.str(0));
  case LogItemDeleted: {
    unsigned char image[ProgramItem::ImageSize];
    r.text(1).copy(reinterpret_cast<char*>(image), ProgramItem::ImageSize);
    ProgramItem item;
    item.fromimage(image);
    return installer.createitem(r.str(0), item);
  }
  case LogKeyCreated: {
    int root = static_cast<int>(r.number(0));
    if (installer.keyhasentries(root, r.str(0)) &&
        !AskYesNo(installer, 149, 150, RegistryKeyText(root, r.str(0)).c_str()))
      return KeptByChoice;
    return installer.deletekey(root, r.str(0));
  }
  case LogKeyDeleted:
    return installer.createkey(static_cast<int>(r.number(0)), r.str(0));
  case LogValueCreated:
    return installer.deletevalue(static_cast<int>(r.number(0)), r.str(0), r.str(1));
  case LogValueOverwritten:
  case LogValueDeleted:
    return installer.setvalue(static_cast<int>(r.number(0)), r.str(0), r.str(1),
                              static_cast<DWORD>(r.number(2)), r.text(3));
  case LogFontInstalled:
    return RemoveFontResourceA(r.str(0)) != 0;
  case LogDataBlock:
    return 1;
  default:
    return 0;
  }
}

} // namespace

int UndoLogRecord(LogRecord& record, Installer& installer) {
  int outcome = record.canundo() ? UndoChange(record, installer) : Failed;
  record.status = outcome == Done ? Undone : outcome == KeptByChoice ? Kept : UndoFailed;
  if (outcome != Done)
    KeepIfStanding(record, installer);
  return outcome != Failed;
}

namespace {

// An INI operation that creates its file logs the file and then the section it adds to it, one right
// after the other; a copied file is followed by anything else, so a product's own INI file that came
// with its distribution goes with the undo of its copy like any copied file.
int CreatedByIniOperation(const std::vector<std::unique_ptr<LogRecord>>& records, size_t i) {
  if (records[i]->type() != LogFileCreated || i + 1 == records.size())
    return 0;
  const LogRecord& next = *records[i + 1];
  return next.type() == LogIniSectionAdded && lstrcmpiA(next.str(0), records[i]->str(0)) == 0;
}

} // namespace

void PrepareUndo(const std::vector<std::unique_ptr<LogRecord>>& records, Installer& installer) {
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i]->status != ToUndo && records[i]->status != Undone)
      KeepIfStanding(*records[i], installer);
    if (CreatedByIniOperation(records, i))
      installer.noteinifile(records[i]->str(0));
  }
}

void KeepIfStanding(const LogRecord& record, Installer& installer) {
  if (record.type() == LogFileCreated && GetFileAttributesA(record.str(0)) != INVALID_FILE_ATTRIBUTES)
    installer.keep(record.str(0));
}
