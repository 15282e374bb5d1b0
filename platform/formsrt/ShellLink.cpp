#include <formsrt/ShellLink.h>

#include <wincore/Registry.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <vector>

namespace formsrt {

namespace {

// COM for the length of one call, whatever the caller's thread has set up already.
class ComScope {
public:
  ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (initialised_)
      CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

private:
  bool initialised_;
};

template <typename T> class ComPtr {
public:
  ComPtr() = default;
  ~ComPtr() {
    if (p_)
      p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return p_; }
  T** out() { return &p_; }
  void** outVoid() { return reinterpret_cast<void**>(&p_); }

private:
  T* p_ = nullptr;
};

std::string folderOfGroup(const std::string& groupFolder) {
  if (lstrcmpiA(groupFolder.c_str(), "\\startup") == 0)
    return userShellFolder("StartUp", CSIDL_STARTUP);
  std::string programs = userShellFolder("Programs", CSIDL_PROGRAMS);
  if (programs.empty())
    return programs;
  std::string folder = programs + (groupFolder.empty() || groupFolder[0] != '\\' ? "\\" : "") + groupFolder;
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

bool toWide(const std::string& text, std::vector<wchar_t>& wide) {
  wide.assign(MAX_PATH * 2, L'\0');
  return MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size())) != 0;
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

} // namespace

std::string userShellFolder(const std::string& valueName, int csidl) {
  return wincore::userShellFolder(valueName, csidl);
}

bool fCreateShellLink(const std::string& groupFolder, const std::string& linkName, const std::string& target,
                      const std::string& arguments) {
  std::string folder = folderOfGroup(groupFolder);
  if (folder.empty() || linkName.empty())
    return false;
  std::string linkPath = folder + "\\" + linkName + ".lnk";
  std::vector<wchar_t> widePath;
  if (!toWide(linkPath, widePath))
    return false;

  ComScope com;
  ComPtr<IShellLinkA> link;
  if (FAILED(
          CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.outVoid())))
    return false;
  if (FAILED(link->SetPath(target.c_str())) || FAILED(link->SetArguments(arguments.c_str())) ||
      FAILED(link->SetWorkingDirectory(folderOf(target).c_str())))
    return false;
  ComPtr<IPersistFile> file;
  if (FAILED(link->QueryInterface(IID_IPersistFile, file.outVoid())))
    return false;
  return SUCCEEDED(file->Save(widePath.data(), TRUE));
}

std::string shellLinkTarget(const std::string& linkPath) {
  std::vector<wchar_t> widePath;
  if (!toWide(linkPath, widePath))
    return std::string();
  ComScope com;
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
  char target[MAX_PATH] = "";
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              link.outVoid())) ||
      FAILED(link->QueryInterface(IID_IPersistFile, file.outVoid())) ||
      FAILED(file->Load(widePath.data(), STGM_READ)) || FAILED(link->GetPath(target, MAX_PATH, nullptr, 0)))
    return std::string();
  return target;
}

} // namespace formsrt
