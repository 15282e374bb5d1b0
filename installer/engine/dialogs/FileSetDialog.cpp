#include <engine/controllers/InstallController.h>
#include <engine/dialogs/AcceptDialog.h>
#include <engine/dialogs/EngineBox.h>
#include <engine/dialogs/FileSetDialog.h>

#include <foundation/dialogs/filedlg.h>
#include <foundation/strings/textresource.h>

#include <kxlang/kxlangids.h>

#include <windows.h>

namespace {

constexpr int FileSetHelpContext = 17;

class FileSetDialog : public acceptdialog {
public:
  explicit FileSetDialog(FileSetRequest& request)
      : acceptdialog(IDC_INSTSF_HELP, FileSetHelpContext, {0, 1}), request_(request) {}

private:
  // OK installs the chosen groups and leaves the dialog up for more.
  int accept() override {
    installselected();
    return 0;
  }

  INT_PTR init() override {
    for (const std::string& group : request_.groups)
      SendDlgItemMessageA(hwnd(), IDC_INSTSF_GROUPS, LB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(group.c_str()));
    return TRUE;
  }

  int selected(int index) const {
    return SendDlgItemMessageA(hwnd(), IDC_INSTSF_GROUPS, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
  }

  void installselected() {
    int count = static_cast<int>(request_.groups.size());
    int any = 0;
    for (int i = 0; i < count; ++i)
      any |= selected(i);
    std::string folder;
    if (!any || !choosefolder(folder))
      return;
    for (int i = 0; i < count; ++i) {
      if (!selected(i))
        continue;
      if (!request_.install(i, folder.c_str()))
        return;
      SendDlgItemMessageA(hwnd(), IDC_INSTSF_GROUPS, LB_SETSEL, FALSE, i);
    }
  }

  int choosefolder(std::string& folder) { return ChooseFolder(hwnd(), folder); }

  FileSetRequest& request_;
};

} // namespace

std::string FileSetFolder(const char* chosen) {
  std::string path = chosen;
  size_t slash = path.find_last_of('\\');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.find_first_of("*?") == std::string::npos || slash == std::string::npos)
    return path;
  std::string folder = path.substr(0, slash);
  // "C:" alone names the current folder of the drive, not its root.
  if (folder.size() == 2 && folder[1] == ':')
    folder += '\\';
  return folder;
}

int ChooseFolder(HWND owner, std::string& folder) {
  std::string filter = TextOf(TEXT_FOLDER_FILTER);
  filter.append(1, '\0').append("*.*").append(2, '\0');
  filedlg dialog;
  dialog.filter = filter.c_str();
  fpathbuf chosen;
  if (!dialog.run(owner, chosen))
    return 0;
  folder = FileSetFolder(chosen.str());
  return 1;
}

int RunFileSetDialog(FileSetRequest& request) {
  FileSetDialog dialog(request);
  INT_PTR end = RunMainDialog(dialog, "DLGINSTSF");
  return end == 1 ? 1 : -1;
}

int InstallController::filesetdialog() {
  FileSetRequest request;
  for (const FileGroup& group : map_.groups)
    request.groups.push_back(group.name());
  request.install = [this](int index, const char* folder) {
    return installfileset(map_.groups[static_cast<size_t>(index)], folder);
  };
  return RunFileSetDialog(request) == 1;
}

int InstallController::installfileset(const FileGroup& group, const char* folder) {
  const FileEntry* entry = fileentry(group.entry);
  if (!entry) {
    reporterrorf("%s", EngineTextf(TEXT_COPY_FAILED, group.name()).c_str());
    return 0;
  }
  std::string target = folder;
  if (!target.empty() && target.back() != '\\')
    target += '\\';
  target += entry->target;
  FileInstallRecord record{};
  record.options[CopyFromArchive] = 1;
  record.entry = entry;
  record.source = entry->source.c_str();
  record.target = target.c_str();
  record.component = -1;
  begincopy(0, 0, group.size);
  int installed = installfile(record);
  endcopy();
  return installed;
}
