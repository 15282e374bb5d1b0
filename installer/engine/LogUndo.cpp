#include "LogUndo.h"

#include "EngineBox.h"
#include "IniFile.h"
#include "ProgramItem.h"

#include <textresource.h>

#include <cstring>

namespace {

constexpr UINT KeepSharedText = 4;
constexpr UINT SharedCaption = 70;

int AskYesNo(UINT textId, UINT captionId, const char* argument) {
  std::string text = EngineTextf(textId, argument);
  char caption[TextSize];
  LoadText(caption, captionId);
  return EngineMessageBox(text.c_str(), caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
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

int UndoCreatedFile(const LogRecord& r, Installer& installer) {
  const char* path = r.str(0);
  int count = installer.readcount(path);
  if (count == 1) {
    std::string text = EngineTextf(KeepSharedText, path);
    char caption[TextSize];
    LoadText(caption, SharedCaption);
    if (EngineMessageBox(text.c_str(), caption, MB_YESNO | MB_ICONQUESTION) == IDYES)
      return 1;
  }
  if (count >= 1)
    installer.decrementcount(path);
  if (count >= 2)
    return 1;
  return installer.deletefile(path);
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
    if (HasEntries(r.str(0)) && !AskYesNo(143, 144, r.str(0)))
      return 0;
    return installer.removetree(r.str(0));
  case LogDirRemoved:
    return installer.createdirectory(r.str(0)) != 2;
  case LogFileRenamed:
    return installer.move(r.str(1), r.str(0));
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
    if (IniHasEntries(r.str(0), r.str(1)) && !AskYesNo(145, 146, r.str(1)))
      return 0;
    return installer.deletesection(r.str(0), r.str(1));
  case LogIniSectionDeleted:
    return installer.addsection(r.str(0), r.str(1));
  case LogGroupCreated:
    if (installer.grouphasitems(r.str(0)) && !AskYesNo(147, 148, r.str(0)))
      return 0;
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
        !AskYesNo(149, 150, RegistryKeyText(root, r.str(0)).c_str()))
      return 0;
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
  int done = record.canundo() && UndoChange(record, installer);
  record.status = done ? Undone : UndoFailed;
  return done;
}
