#pragma once

#include <appframe/CString.h>
#include <wincore/ErrorReporter.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class CSingleDocTemplate;
class CWnd;

// The program: one object, made before WinMain runs. InitInstance makes the main window; Run pumps the
// thread's messages on the one message loop (modeless dialogs get their keys, thread timers reach their
// procedures) until the main window is gone. An error no handler dealt with is shown in a message box
// under the program's name.
class CWinApp {
public:
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  virtual bool InitInstance() { return true; }
  virtual int Run();
  virtual int ExitInstance() { return 0; }
  // Application commands (New, Open, Print Setup, Help Index); false when the command is not one.
  virtual bool OnCommand(UINT id);

  void AddDocTemplate(std::unique_ptr<CSingleDocTemplate> docTemplate);
  CSingleDocTemplate* GetDocTemplate() const { return docTemplate_.get(); }
  void OnFileNew();
  // Asks for a file, then retitles the document with it.
  void OnFileOpen();
  void OpenDocumentFile(const char* path);

  // The recent-file list, kept in the profile file (m_pszProfileName).
  void LoadStdProfileSettings(int maxRecentFiles = 4);
  void AddToRecentFileList(const char* path);
  const std::vector<std::string>& GetRecentFiles() const { return recentFiles_; }
  // Puts the recent files in place of the menu's recent-file items ("&1 path" ...); with none, one
  // disabled "Recent File" item stands there.
  void UpdateRecentFileMenu(HMENU menu) const;

  // Dialog colours for every dialog created from now on.
  void SetDialogBkColor(COLORREF background = RGB(192, 192, 192), COLORREF text = RGB(0, 0, 0));

  virtual void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);
  void BeginWaitCursor() { DoWaitCursor(1); }
  void EndWaitCursor() { DoWaitCursor(-1); }
  // 1 shows the wait cursor (nesting), -1 takes one level back, 0 shows it again after a message box.
  void DoWaitCursor(int code);

  // The printer set-up dialog; the choice is kept for the program's printing.
  void OnFilePrintSetup();
  HGLOBAL GetDevMode() const { return devMode_; }
  HGLOBAL GetDevNames() const { return devNames_; }

  CWnd* m_pMainWnd = nullptr;
  int m_nCmdShow = SW_SHOWNORMAL;
  std::string m_pszAppName;
  std::string m_pszProfileName; // where the framework keeps its own settings
  std::string m_pszHelpFilePath;

private:
  void WriteRecentFiles() const;
  wincore::ErrorReporter previousReporter_;
  std::unique_ptr<CSingleDocTemplate> docTemplate_;
  std::vector<std::string> recentFiles_;
  int maxRecentFiles_ = 0;
  int waitCount_ = 0;
  HCURSOR restoreCursor_ = nullptr;
  HGLOBAL devMode_ = nullptr;
  HGLOBAL devNames_ = nullptr;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The framework's WinMain: the show command, InitInstance, Run.
int AfxWinMain(int showCommand);
