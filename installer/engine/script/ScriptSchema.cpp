#include <engine/script/ScriptSchema.h>

// Type 7's second int exists from version 301 ('w'). Type 3's thirteen ints are the copy options;
// types 3 and 41 carry file reference lists ('R'), type 3 a list of paths ('P').
const EventLayout EventLayouts[] = {
    {0, "QueryDialogEvent", "si", "|1"},
    {1, "UserInfoEvent", "iissssss", "||user|comp"},
    {2, "SelectComponentsEvent", "", ""},
    {3, "InstallFilesEvent", "iiiiiiiiiiiiiRPssssss", ""},
    {4, "AddProgmanItemEvent", "iisssss", ""},
    {5, "WriteIniEntryEvent", "issss", "|$i\\myapp.ini|section|entry|value"},
    {6, "WriteRegistryValueEvent", "iisss", "||Tolvane\\shell\\open\\command|field|value"},
    {7, "RunProgramEvent", "iwisssss", ""},
    {8, "ControllerRequestEvent", "iii", ""},
    {9, "CommentEvent", "s", ""},
    {10, "EditStartupFilesEvent", "siii", ""},
    {11, "ShowTextEvent", "is", "|line1\r\nline2\r\nline3\r\nline4\r\nline5"},
    {12, "PromptStringEvent", "iiiisssss",
     "|||||Please enter a text string\r\nrequired by\r\nthis program in the edit "
     "control\r\nThanks|str|Query|"},
    {14, "GetWindowsDirEvent", "s", ""},
    {15, "GetSharedDirEvent", "s", ""},
    {16, "GetEngineDirEvent", "s", ""},
    {17, "CdRootEvent", "ss", "CDRoot|CDExists"},
    {18, "RequiredSpaceEvent", "s", ""},
    {19, "SetStringEvent", "ss", ""},
    {20, "SetIntegerEvent", "ss", ""},
    {21, "CompareTextEvent", "isss", "1"},
    {22, "FindFileEvent", "iiiiiissss", "||||||found|path|c:|*.*"},
    {23, "IniEntryExistsEvent", "ssssss", "$i|file.ini|section|entry|exist|value"},
    {24, "RegistryKeyExistsEvent", "issss",
     "|SOFTWARE\\Microsoft\\Windows\\CurrentVersion|field|keyExist|value"},
    {25, "FormatIntegerEvent", "ss", ""},
    {26, "ParseIntegerEvent", "ss", ""},
    {27, "SplitPathEvent", "sss", "c:\\filename|dpart|fpart"},
    {28, "AskYesNoEvent", "iss",
     "|Please select yes or no\r\nby clicking\r\non one of the buttons\r\nThanks|isyes"},
    {29, "GetVersionEvent", "ss", ""},
    {30, "GetProcessorEvent", "s", ""},
    {31, "QueryValueEvent", "s", ""},
    {32, "QuerySecondValueEvent", "s", ""},
    {33, "BeginCopyEvent", "iil", ""},
    {34, "EndCopyEvent", "", ""},
    {35, "OpenFirstMessageEvent", "", ""},
    {36, "CloseFirstMessageEvent", "", ""},
    {37, "OpenSecondMessageEvent", "", ""},
    {38, "CloseSecondMessageEvent", "", ""},
    {39, "OpenThirdMessageEvent", "", ""},
    {40, "CloseThirdMessageEvent", "", ""},
    {41, "RegisterUninstallEvent", "Rsssspi", ""},
    {42, "MoveFileEvent", "ss", ""},
    {43, "DeleteFileEvent", "s", ""},
    {44, "FileOperationEvent", "s", ""},
    {45, "DeleteProgmanItemEvent", "ss", ""},
    {46, "QueryStateEvent", "s", ""},
    {47, "CreateFolderEvent", "s", ""},
    {48, "UserDialogEvent", "ss", ""},
    {49, "ShowMessageWindowEvent", "iilss", ""},
    {50, "HideMessageWindowEvent", "", ""},
    {51, "ArgumentCountEvent", "s", ""},
    {52, "GetArgumentEvent", "ss", ""},
    {53, "DeleteProgmanGroupEvent", "s", ""},
};

const int EventLayoutCount = sizeof EventLayouts / sizeof EventLayouts[0];

const EventLayout* FindEventLayout(int id) {
  for (const EventLayout& layout : EventLayouts)
    if (layout.id == id)
      return &layout;
  return nullptr;
}

int MinimumFieldBytes(const char* fields, int layout16) {
  int intBytes = layout16 ? 2 : 4;
  int total = 0;
  for (; *fields; ++fields) {
    switch (*fields) {
    case 'l':
      total += 4;
      break;
    case 's':
    case 'p':
      total += 1;
      break;
    case 'B':
      total += intBytes + 1;
      break;
    case 'w': // absent before version 301, so it cannot raise the bound
      break;
    default: // i, w, u and the counts of R, P and T
      total += intBytes;
    }
  }
  return total;
}
