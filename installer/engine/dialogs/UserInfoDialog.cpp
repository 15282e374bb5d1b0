#include <engine/dialogs/AcceptDialog.h>
#include <engine/dialogs/UserInfoDialog.h>

#include <foundation/strings/textresource.h>
#include <foundation/windows/dactrl.h>
#include <foundation/windows/dlgbox.h>

#include <kxlang/kxlangids.h>

#include <windows.h>

namespace {

constexpr int NameMinimum = 4;
constexpr int NameMaximum = 20;

// The fields are bound to the request as plain holders: no enabling box appears, and OK stores them
// only once every field passes its check.
class UserInfoDialog : public acceptdialog {
public:
  explicit UserInfoDialog(UserInfoRequest& request) : acceptdialog(IDC_ASKUI_HELP, 0), request_(request) {}

private:
  INT_PTR init() override {
    int readonly = request_.readonly;
    std::string text = readonly ? TextOf(TEXT_USERINFO_SHOWN) : TextOf(TEXT_USERINFO_ASK);
    SetDlgItemTextA(hwnd(), IDC_ASKUI_TEXT, text.c_str());
    davalid* name = new davalid;
    name->settextlen(TextOf(TEXT_USERINFO_NAME_LENGTH).c_str(), NameMinimum, NameMaximum);
    davalid* company = new davalid;
    company->settextlen("", 0, 2147483647);
    ClearControlList(controls_);
    bindfield(name_, IDC_ASKUI_NAME, name, request_.name, sizeof request_.name);
    bindfield(company_, IDC_ASKUI_COMPANY, company, request_.company, sizeof request_.company);
    SetFocus(GetDlgItem(hwnd(), readonly ? IDOK : IDC_ASKUI_NAME));
    return FALSE;
  }

  // The field never takes more than its buffer holds.
  void bindfield(daoptedit& field, int id, davalid* constraint, char* value, size_t size) {
    field.attach(hwnd(), id, constraint);
    SendDlgItemMessageA(hwnd(), id, EM_LIMITTEXT, size - 1, 0);
    field.bindchars(value, static_cast<int>(size));
    SendDlgItemMessageA(hwnd(), id, EM_SETREADONLY, request_.readonly, 0);
    AddControl(controls_, &field);
  }

  INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_COMMAND && DispatchToControls(&controls_, message, wParam, lParam))
      return TRUE;
    return acceptdialog::handle(message, wParam, lParam);
  }

  // Fields shown read-only cannot have been changed: there is nothing to check.
  int accept() override { return request_.readonly || ValidateControls(controls_); }

  UserInfoRequest& request_;
  daoptedit name_;
  daoptedit company_;
  controllist controls_;
};

} // namespace

int RunUserInfoDialog(UserInfoRequest& request) {
  UserInfoDialog dialog(request);
  INT_PTR result = RunMainDialog(dialog, "DLGASKUI");
  return result == 1 || result == 2 ? static_cast<int>(result) : -1;
}
