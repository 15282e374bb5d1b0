#include <formsrt/RecycleBin.h>

#include <windows.h>

#include <shellapi.h>

namespace formsrt {

bool sendToRecycleBin(const std::vector<std::string>& paths) {
  // The shell reads a list of names each ending with a zero, the list ending with one more.
  std::string list;
  for (const std::string& path : paths) {
    if (path.empty())
      continue;
    list += path;
    list += '\0';
  }
  if (list.empty())
    return false;
  list += '\0';

  SHFILEOPSTRUCTA operation{};
  operation.hwnd = GetActiveWindow();
  operation.wFunc = FO_DELETE;
  operation.pFrom = list.c_str();
  operation.fFlags = FOF_ALLOWUNDO;
  return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

} // namespace formsrt
