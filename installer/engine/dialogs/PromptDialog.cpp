#include <engine/dialogs/AcceptDialog.h>
#include <engine/dialogs/EngineBox.h>
#include <engine/dialogs/FileSetDialog.h>
#include <engine/dialogs/PromptDialog.h>

#include <foundation/strings/textresource.h>
#include <foundation/windows/dlgbox.h>

#include <kxlang/kxlangids.h>

#include <cstdio>
#include <cstring>
#include <windows.h>

namespace {

// The full form differs from what was typed by more than a trailing backslash.
bool DiffersFromTyped(const std::string& full, const std::string& typed) {
  std::string a = full, b = typed;
  if (!a.empty() && a.back() == '\\')
    a.pop_back();
  if (!b.empty() && b.back() == '\\')
    b.pop_back();
  return _stricmp(a.c_str(), b.c_str()) != 0;
}

class PromptDialog : public acceptdialog {
public:
  PromptDialog(PromptRequest& request, const std::function<int(const char*)>& acceptfolder)
      : acceptdialog(IDC_PROMPT_HELP, request.helpcontext), request_(request), acceptfolder_(acceptfolder) {}

private:
  INT_PTR init() override {
    SetWindowTextA(hwnd(), request_.title.c_str());
    SetDlgItemTextA(hwnd(), IDC_PROMPT_TEXT, request_.prompt.c_str());
    if (request_.kind == 2)
      offergroups();
    else
      ShowWindow(GetDlgItem(hwnd(), IDC_PROMPT_GROUPS), SW_HIDE);
    SetDlgItemTextA(hwnd(), IDC_PROMPT_ANSWER, request_.initial.c_str());
    SendDlgItemMessageA(hwnd(), IDC_PROMPT_ANSWER, request_.kind == 2 ? CB_LIMITTEXT : EM_LIMITTEXT,
                        sizeof request_.answer - 1, 0);
    if (request_.kind != 1)
      ShowWindow(GetDlgItem(hwnd(), IDC_PROMPT_BROWSE), SW_HIDE);
    return TRUE;
  }

  // A drop-down list of the groups takes the place (and the id) of the answer.
  void offergroups() {
    HWND placeholder = GetDlgItem(hwnd(), IDC_PROMPT_GROUPS);
    HWND edit = GetDlgItem(hwnd(), IDC_PROMPT_ANSWER);
    RECT place;
    GetWindowRect(placeholder, &place);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&place), 2);
    LPARAM font = SendMessageA(hwnd(), WM_GETFONT, 0, 0);
    HWND before = GetWindow(edit, GW_HWNDPREV);
    DestroyWindow(edit);
    DestroyWindow(placeholder);
    const int listHeight = 8;
    HWND combo = CreateWindowExA(
        0, "COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
        place.left, place.top, place.right - place.left, (place.bottom - place.top) * listHeight, hwnd(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_PROMPT_ANSWER)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd(), GWLP_HINSTANCE)), nullptr);
    SendMessageA(combo, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
    // Keep the tab order of the field it replaces.
    SetWindowPos(combo, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    for (const std::string& group : request_.groups)
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(group.c_str()));
  }

  INT_PTR command(int id) override {
    if (id != IDC_PROMPT_BROWSE)
      return FALSE;
    std::string folder;
    if (ChooseFolder(hwnd(), folder))
      SetDlgItemTextA(hwnd(), IDC_PROMPT_ANSWER, folder.c_str());
    return TRUE;
  }

  int accept() override {
    char typed[sizeof request_.answer];
    GetDlgItemTextA(hwnd(), IDC_PROMPT_ANSWER, typed, sizeof typed);
    if (request_.kind != 1) {
      std::snprintf(request_.answer, sizeof request_.answer, "%s", typed);
      return 1;
    }
    char full[MAX_PATH * 2];
    DWORD length = GetFullPathNameA(typed, sizeof full, full, nullptr);
    // The folder goes on into 128-character path buffers: a longer one is refused here, not cut.
    if (length == 0 || length > PromptFolderLimit || std::strlen(typed) > PromptFolderLimit) {
      EngineMessageBox("The folder name is too long.", request_.title.c_str(), MB_OK | MB_ICONEXCLAMATION);
      return 0;
    }
    if (DiffersFromTyped(full, typed)) {
      char question[1024];
      std::snprintf(question, sizeof question, TextOf(TEXT_FOLDER_CONFIRM).c_str(), full, typed);
      std::string caption = TextOf(TEXT_FOLDER_CONFIRM_CAPTION);
      if (EngineMessageBox(question, caption.c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return 0;
    }
    if (acceptfolder_ && !acceptfolder_(full))
      return 0;
    std::snprintf(request_.answer, sizeof request_.answer, "%s", full);
    return 1;
  }

  PromptRequest& request_;
  const std::function<int(const char*)>& acceptfolder_;
};

} // namespace

int RunPromptDialog(PromptRequest& request, const std::function<int(const char* folder)>& acceptfolder) {
  PromptDialog dialog(request, acceptfolder);
  INT_PTR result = RunMainDialog(dialog, "DLGPROMPTSTR");
  return result == 1 || result == 2 ? static_cast<int>(result) : -1;
}
