#include <engine/dialogs/OverwriteDialog.h>

#include <engine/dialogs/AcceptDialog.h>

#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

#include <cstdio>
#include <windows.h>

namespace {

// The longest target path the engine's path buffers take, terminator included.
constexpr int TargetSize = 128;

// The language library's text for each file type code; 0: none.
UINT TypeText(DWORD type) {
  static const UINT texts[] = {TEXT_FILETYPE_UNKNOWN,
                               TEXT_FILETYPE_APP,
                               TEXT_FILETYPE_DLL,
                               TEXT_FILETYPE_DRIVER,
                               TEXT_FILETYPE_FONT,
                               TEXT_FILETYPE_VXD,
                               0,
                               TEXT_FILETYPE_STATIC_LIB};
  return type < sizeof texts / sizeof texts[0] ? texts[type] : 0;
}

struct SideIds {
  int type, subtype, language, codepage, version;
};

const SideIds newSide = {IDC_AOW_NEWTYPE, IDC_AOW_NEWSUBTYPE, IDC_AOW_NEWLANGUAGE, IDC_AOW_NEWCODEPAGE,
                         IDC_AOW_NEWVERSION};
const SideIds oldSide = {IDC_AOW_OLDTYPE, IDC_AOW_OLDSUBTYPE, IDC_AOW_OLDLANGUAGE, IDC_AOW_OLDCODEPAGE,
                         IDC_AOW_OLDVERSION};

class OverwriteDialog : public acceptdialog {
public:
  OverwriteDialog(const cpath& newfile, const versionrecord& newrecord, fpath& existing,
                  const versionrecord& existingrecord)
      : acceptdialog(IDC_AOW_HELP, 0, {0, 1}), newfile_(newfile), newrecord_(newrecord), existing_(existing),
        existingrecord_(existingrecord) {}

private:
  INT_PTR init() override {
    SetDlgItemTextA(hwnd(), IDC_AOW_NEWPATH, newfile_.str());
    SendDlgItemMessageA(hwnd(), IDC_AOW_OLDPATH, EM_LIMITTEXT, TargetSize - 1, 0);
    SetDlgItemTextA(hwnd(), IDC_AOW_OLDPATH, existing_.str());
    show(newSide, newrecord_);
    show(oldSide, existingrecord_);
    return TRUE;
  }

  void show(const SideIds& ids, const versionrecord& record) {
    char text[TextSize] = "";
    if (UINT id = TypeText(record.filetype))
      LoadText(text, id);
    SetDlgItemTextA(hwnd(), ids.type, text);
    std::snprintf(text, sizeof text, "%lu", static_cast<unsigned long>(record.filesubtype));
    SetDlgItemTextA(hwnd(), ids.subtype, text);
    if (!VerLanguageNameA(record.language, text, sizeof text))
      text[0] = 0;
    SetDlgItemTextA(hwnd(), ids.language, text);
    std::snprintf(text, sizeof text, "%lx", static_cast<unsigned long>(record.codepage));
    SetDlgItemTextA(hwnd(), ids.codepage, text);
    std::snprintf(text, sizeof text, "%d.%d.%d.%d", static_cast<int>(HIWORD(record.versionms)),
                  static_cast<int>(LOWORD(record.versionms)), static_cast<int>(HIWORD(record.versionls)),
                  static_cast<int>(LOWORD(record.versionls)));
    SetDlgItemTextA(hwnd(), ids.version, text);
  }

  int accept() override {
    char target[TargetSize];
    GetDlgItemTextA(hwnd(), IDC_AOW_OLDPATH, target, sizeof target);
    // A path the engine cannot hold keeps the dialog open.
    if (!target[0] || !existing_.set(target)) {
      SetFocus(GetDlgItem(hwnd(), IDC_AOW_OLDPATH));
      return 0;
    }
    return 1;
  }

  const cpath& newfile_;
  const versionrecord& newrecord_;
  fpath& existing_;
  const versionrecord& existingrecord_;
};

} // namespace

int AskOverwrite(const cpath& newfile, const versionrecord& newrecord, fpath& existing,
                 const versionrecord& existingrecord) {
  OverwriteDialog dialog(newfile, newrecord, existing, existingrecord);
  INT_PTR result = RunMainDialog(dialog, "DLGAOW");
  return result == 0 || result == 1 ? static_cast<int>(result) : 2;
}
