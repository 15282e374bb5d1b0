#include <appframe/CWinApp.h>

#include <appframe/AfxIds.h>
#include <appframe/CDialog.h>
#include <appframe/CFileDialog.h>
#include <appframe/CSingleDocTemplate.h>
#include <appframe/CWnd.h>
#include <appframe/MessageLoop.h>
#include <wincore/Help.h>

#include <commdlg.h>

#include <algorithm>

namespace {

CWinApp* theApp = nullptr;
const char kRecentSection[] = "Recent File List";

} // namespace

CWinApp* AfxGetApp() { return theApp; }

CWnd* AfxGetMainWnd() { return theApp ? theApp->m_pMainWnd : nullptr; }

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName ? appName : "") {
  theApp = this;
  previousReporter_ = wincore::setErrorReporter([this](std::exception_ptr error) {
    HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    MessageBoxA(owner, wincore::errorText(error).c_str(),
                m_pszAppName.empty() ? "Error" : m_pszAppName.c_str(), MB_OK | MB_ICONERROR);
  });
}

CWinApp::~CWinApp() {
  wincore::setErrorReporter(std::move(previousReporter_));
  if (devMode_)
    GlobalFree(devMode_);
  if (devNames_)
    GlobalFree(devNames_);
  if (theApp == this)
    theApp = nullptr;
}

int CWinApp::Run() {
  int code = appframe::RunMessageLoop();
  ExitInstance();
  return code;
}

bool CWinApp::OnCommand(UINT id) {
  switch (id) {
  case ID_FILE_NEW:
    OnFileNew();
    return true;
  case ID_FILE_OPEN:
    OnFileOpen();
    return true;
  case ID_FILE_PRINT_SETUP:
    OnFilePrintSetup();
    return true;
  case ID_HELP_INDEX:
    WinHelp(0, HELP_CONTENTS);
    return true;
  default:
    if (id >= ID_FILE_MRU_FILE1 && id < ID_FILE_MRU_FILE1 + recentFiles_.size()) {
      OpenDocumentFile(recentFiles_[id - ID_FILE_MRU_FILE1].c_str());
      return true;
    }
    return false;
  }
}

void CWinApp::AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate) {
  docTemplate_ = std::move(docTemplate);
}

void CWinApp::OnFileNew() {
  if (docTemplate_)
    docTemplate_->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
  CFileDialog dialog(true, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "All Files (*.*)|*.*||",
                     m_pMainWnd);
  if (dialog.DoModal() == IDOK)
    OpenDocumentFile(dialog.GetPathName().c_str());
}

void CWinApp::OpenDocumentFile(const char* path) {
  if (!docTemplate_ || !docTemplate_->OpenDocumentFile(path))
    return;
  AddToRecentFileList(path);
}

void CWinApp::LoadStdProfileSettings(int maxRecentFiles) {
  maxRecentFiles_ = maxRecentFiles;
  recentFiles_.clear();
  for (int i = 1; i <= maxRecentFiles && !m_pszProfileName.empty(); ++i) {
    char key[16];
    wsprintfA(key, "File%d", i);
    char path[MAX_PATH] = "";
    GetPrivateProfileStringA(kRecentSection, key, "", path, sizeof path, m_pszProfileName.c_str());
    if (path[0])
      recentFiles_.push_back(path);
  }
}

void CWinApp::AddToRecentFileList(const char* path) {
  if (maxRecentFiles_ <= 0 || !path || !path[0])
    return;
  auto same = [path](const std::string& p) { return lstrcmpiA(p.c_str(), path) == 0; };
  recentFiles_.erase(std::remove_if(recentFiles_.begin(), recentFiles_.end(), same), recentFiles_.end());
  recentFiles_.insert(recentFiles_.begin(), path);
  if (static_cast<int>(recentFiles_.size()) > maxRecentFiles_)
    recentFiles_.resize(static_cast<size_t>(maxRecentFiles_));
  WriteRecentFiles();
}

void CWinApp::UpdateRecentFileMenu(HMENU menu) const {
  const UINT last = ID_FILE_MRU_FILE1 + 15;
  int position = -1;
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    UINT id = GetMenuItemID(menu, i);
    if (id < ID_FILE_MRU_FILE1 || id > last)
      continue;
    DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    position = i;
  }
  if (position < 0)
    return;
  if (recentFiles_.empty()) {
    InsertMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | MF_STRING | MF_GRAYED, ID_FILE_MRU_FILE1,
                "Recent File");
    return;
  }
  for (size_t i = 0; i < recentFiles_.size(); ++i) {
    std::string text = "&" + std::to_string(i + 1) + " ";
    for (char c : recentFiles_[i])
      text += c == '&' ? std::string("&&") : std::string(1, c);
    InsertMenuA(menu, static_cast<UINT>(position) + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                ID_FILE_MRU_FILE1 + i, text.c_str());
  }
}

void CWinApp::WriteRecentFiles() const {
  if (m_pszProfileName.empty())
    return;
  WritePrivateProfileStringA(kRecentSection, nullptr, nullptr, m_pszProfileName.c_str());
  for (size_t i = 0; i < recentFiles_.size(); ++i) {
    char key[16];
    wsprintfA(key, "File%d", static_cast<int>(i + 1));
    WritePrivateProfileStringA(kRecentSection, key, recentFiles_[i].c_str(), m_pszProfileName.c_str());
  }
}

void CWinApp::SetDialogBkColor(COLORREF background, COLORREF text) {
  CDialog::SetDialogColors(background, text);
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command) {
  HWND owner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  wincore::showHelp(owner, m_pszHelpFilePath, command, data);
}

void CWinApp::DoWaitCursor(int code) {
  if (code > 0 && waitCount_++ == 0)
    restoreCursor_ = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  else if (code < 0 && waitCount_ > 0 && --waitCount_ == 0)
    SetCursor(restoreCursor_ ? restoreCursor_ : LoadCursorA(nullptr, IDC_ARROW));
  else if (code == 0 && waitCount_ > 0)
    SetCursor(LoadCursorA(nullptr, IDC_WAIT));
}

void CWinApp::OnFilePrintSetup() {
  PRINTDLGA setup{};
  setup.lStructSize = sizeof setup;
  setup.hwndOwner = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
  setup.hDevMode = devMode_;
  setup.hDevNames = devNames_;
  setup.Flags = PD_PRINTSETUP;
  if (!PrintDlgA(&setup))
    return;
  devMode_ = setup.hDevMode;
  devNames_ = setup.hDevNames;
}

int AfxWinMain(int showCommand) {
  CWinApp* app = AfxGetApp();
  if (!app)
    return 1;
  app->m_nCmdShow = showCommand;
  if (!app->InitInstance()) {
    if (app->m_pMainWnd)
      app->m_pMainWnd->DestroyWindow();
    return app->ExitInstance();
  }
  return app->Run();
}
