#include <engine/dialogs/StartupMergeDialog.h>

#include <engine/dialogs/AcceptDialog.h>

#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

#include <vector>
#include <windows.h>

namespace {

constexpr int ScrollRange = 100;

class StartupMergeDialog : public acceptdialog {
public:
  StartupMergeDialog(const std::string& current, std::string& merged, const std::string& backup)
      : acceptdialog(IDC_DOSINFORM_HELP, 0), current_(current), merged_(merged), backup_(backup) {}

private:
  INT_PTR other(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message != WM_VSCROLL)
      return FALSE;
    if (reinterpret_cast<HWND>(lParam) == GetDlgItem(hwnd(), IDC_DOSINFORM_SCROLL))
      scroll(LOWORD(wParam), HIWORD(wParam));
    return TRUE;
  }

  INT_PTR init() override {
    SetDlgItemTextA(hwnd(), IDC_DOSINFORM_CURRENT, current_.c_str());
    SetDlgItemTextA(hwnd(), IDC_DOSINFORM_MERGED, merged_.c_str());
    std::string backup = backup_;
    if (backup.empty()) {
      char text[TextSize];
      LoadText(text, TEXT_NO_BACKUP);
      backup = text;
    }
    SetDlgItemTextA(hwnd(), IDC_DOSINFORM_BACKUP, backup.c_str());
    SetScrollRange(GetDlgItem(hwnd(), IDC_DOSINFORM_SCROLL), SB_CTL, 0, ScrollRange, FALSE);
    SetScrollPos(GetDlgItem(hwnd(), IDC_DOSINFORM_SCROLL), SB_CTL, 0, TRUE);
    return TRUE;
  }

  // OK keeps the merged text as the user left it.
  int accept() override {
    HWND edit = GetDlgItem(hwnd(), IDC_DOSINFORM_MERGED);
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1);
    GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
    merged_ = text.data();
    return 1;
  }

  // One position of the shared bar moves both texts to the same share of their own lines.
  void scroll(int code, int thumb) {
    HWND bar = GetDlgItem(hwnd(), IDC_DOSINFORM_SCROLL);
    int position = GetScrollPos(bar, SB_CTL);
    switch (code) {
    case SB_LINEUP:
      position -= 1;
      break;
    case SB_LINEDOWN:
      position += 1;
      break;
    case SB_PAGEUP:
      position -= 10;
      break;
    case SB_PAGEDOWN:
      position += 10;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = ScrollRange;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = thumb;
      break;
    default:
      return;
    }
    position = position < 0 ? 0 : position > ScrollRange ? ScrollRange : position;
    SetScrollPos(bar, SB_CTL, position, TRUE);
    scrolltext(IDC_DOSINFORM_CURRENT, position);
    scrolltext(IDC_DOSINFORM_MERGED, position);
  }

  void scrolltext(int id, int position) {
    HWND edit = GetDlgItem(hwnd(), id);
    LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    LRESULT first = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    LRESULT wanted = lines * position / ScrollRange;
    SendMessageA(edit, EM_LINESCROLL, 0, wanted - first);
  }

  const std::string& current_;
  std::string& merged_;
  const std::string& backup_;
};

} // namespace

int RunStartupMergeDialog(const std::string& current, std::string& merged, const std::string& backup) {
  StartupMergeDialog dialog(current, merged, backup);
  INT_PTR result = RunMainDialog(dialog, "DLGDOSINFORM");
  return result == 1 || result == 2 ? static_cast<int>(result) : -1;
}
