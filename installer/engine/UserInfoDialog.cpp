#include "UserInfoDialog.h"
#include "AcceptDialog.h"
#include "EngineBox.h"

#include <dlgbox.h>
#include <textresource.h>

#include <kxlang/kxlangids.h>

#include <cstdio>
#include <cstring>
#include <windows.h>

namespace {

constexpr int NameMinimum = 4;
constexpr int NameMaximum = 20;

class UserInfoDialog : public acceptdialog {
public:
  explicit UserInfoDialog(UserInfoRequest& request) : acceptdialog(IDC_ASKUI_HELP, 0), request_(request) {}

private:
  INT_PTR init() override {
    int readonly = request_.readonly;
    std::string text = readonly ? TextOf(TEXT_USERINFO_SHOWN) : TextOf(TEXT_USERINFO_ASK);
    SetDlgItemTextA(hwnd(), IDC_ASKUI_TEXT, text.c_str());
    // The fields never take more than their buffers hold.
    setfield(IDC_ASKUI_NAME, request_.name, sizeof request_.name);
    setfield(IDC_ASKUI_COMPANY, request_.company, sizeof request_.company);
    SetFocus(GetDlgItem(hwnd(), readonly ? IDOK : IDC_ASKUI_NAME));
    return FALSE;
  }

  void setfield(int id, const char* value, size_t size) {
    SendDlgItemMessageA(hwnd(), id, EM_LIMITTEXT, size - 1, 0);
    SetDlgItemTextA(hwnd(), id, value);
    SendDlgItemMessageA(hwnd(), id, EM_SETREADONLY, request_.readonly, 0);
  }

  int accept() override {
    char name[sizeof request_.name];
    char company[sizeof request_.company];
    int length = GetDlgItemTextA(hwnd(), IDC_ASKUI_NAME, name, sizeof name);
    GetDlgItemTextA(hwnd(), IDC_ASKUI_COMPANY, company, sizeof company);
    if (length < NameMinimum || length > NameMaximum) {
      std::string message = TextOf(TEXT_USERINFO_NAME_LENGTH);
      char caption[128];
      GetWindowTextA(hwnd(), caption, sizeof caption);
      EngineMessageBox(message.c_str(), caption, MB_OK | MB_ICONEXCLAMATION);
      SetFocus(GetDlgItem(hwnd(), IDC_ASKUI_NAME));
      return 0;
    }
    std::memcpy(request_.name, name, sizeof name);
    std::memcpy(request_.company, company, sizeof company);
    return 1;
  }

  UserInfoRequest& request_;
};

} // namespace

int RunUserInfoDialog(UserInfoRequest& request) {
  UserInfoDialog dialog(request);
  INT_PTR result = RunMainDialog(dialog, "DLGASKUI");
  return result == 1 || result == 2 ? static_cast<int>(result) : -1;
}
