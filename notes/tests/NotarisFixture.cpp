#include <notes/tests/NotarisFixture.h>

#include <tests/support/MessagePump.h>
#include <tests/support/SentInput.h>

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <algorithm>

using namespace testsupport;

namespace {
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
}

NotarisTest::NotarisTest() : notes_(root_.file("notes")) {
  CoInitialize(nullptr);
  CreateDirectoryA(notes_.c_str(), nullptr);
  HKEY key;
  EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  const std::string& folder = startup_.path();
  RegSetValueExA(key, "StartUp", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                 static_cast<DWORD>(folder.size() + 1));
  RegCloseKey(key);
}

NotarisTest::~NotarisTest() {
  form_.reset();
  pumpMessages();
  CoUninitialize();
}

notaris::Form1& NotarisTest::start(const std::string& argument) {
  form_ = std::make_unique<notaris::Form1>(notes_, argument);
  form_->Show();
  pumpMessages();
  return *form_;
}

void NotarisTest::close() {
  SendMessageA(form_->hwnd(), WM_CLOSE, 0, 0);
  pumpMessages();
}

void NotarisTest::type(formsrt::TextBox& box, const std::string& text) {
  SendMessageA(box.hwnd(), EM_SETSEL, 0, -1);
  pressKey(box.hwnd(), VK_DELETE);
  typeText(box.hwnd(), text);
}

void NotarisTest::press(formsrt::CommandButton& button) {
  SendMessageA(button.hwnd(), BM_CLICK, 0, 0);
  pumpMessages();
}

// The menu of the bar that holds the item is opened first, so that the item is chosen only where a user
// would find it enabled.
void NotarisTest::choose(formsrt::MenuItem& item) {
  for (formsrt::MenuItem* menu : {&form_->mnuFile, &form_->mnuEdit, &form_->mnuHelp}) {
    const auto& entries = menu->entries();
    if (std::find(entries.begin(), entries.end(), &item) == entries.end())
      continue;
    open(*menu);
    if (GetMenuState(menu->popup(), static_cast<UINT>(item.id()), MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) {
      ADD_FAILURE() << "\"" << item.Caption() << "\" is greyed: a user cannot choose it";
      return;
    }
  }
  SendMessageA(form_->hwnd(), WM_COMMAND, MAKEWPARAM(item.id(), 0), 0);
  pumpMessages();
}

void NotarisTest::open(formsrt::MenuItem& menu) {
  SendMessageA(form_->hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.popup()), 0);
}

std::vector<std::string> NotarisTest::filesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      names.push_back(found.cFileName);
  }
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
  std::sort(names.begin(), names.end());
  return names;
}

std::string NotarisTest::targetOf(const std::string& shortcutPath) {
  IShellLinkA* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&link))))
    return std::string();
  std::string target;
  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, shortcutPath.c_str(), -1, wide, MAX_PATH);
    char path[MAX_PATH] = "";
    if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)))
      target = path;
    file->Release();
  }
  link->Release();
  return target;
}

void NotarisTest::post(const std::string& subject, const std::string& message) {
  type(form_->Text2, subject);
  type(form_->Text1, message);
  press(form_->Command1);
}
