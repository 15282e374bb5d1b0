#include <calendar/frame/CDorvixApp.h>

#include <calendar/data/CAppSettings.h>
#include <calendar/data/DataFolder.h>
#include <calendar/dialogs/CAboutDlg.h>
#include <calendar/frame/CDorvixDoc.h>
#include <calendar/frame/CMainFrame.h>
#include <calendar/frame/CSplashWnd.h>
#include <calendar/frame/Sound.h>
#include <calendar/resource.h>
#include <calendar/views/CGridView.h>

#include <appframe/AfxIds.h>
#include <appframe/CSingleDocTemplate.h>

CDorvixApp::CDorvixApp() : CWinApp("Calvorne") {}

bool CDorvixApp::InitInstance() {
  SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
  m_pszProfileName = DataFolder::Path(kProfileName);
  m_pszHelpFilePath = DataFolder::Path("calvorne.hlp");
  LoadStdProfileSettings(4);
  CAppSettings& settings = AppSettings();
  settings.LoadSettings();
  if (settings.splashEnabled == 1) {
    SetDialogBkColor(RGB(0, 0, 0), RGB(255, 255, 255));
    auto* splash = new CSplashWnd;
    if (!splash->Create())
      delete splash;
    SetDialogBkColor(RGB(192, 192, 192), RGB(0, 0, 0));
  }
  AddDocTemplate(std::make_unique<CSingleDocTemplate>(
      IDR_MAINFRAME, [] { return new CDorvixDoc; }, [] { return new CMainFrame; },
      [] { return new CGridView; }));
  OnFileNew();
  auto* doc = static_cast<CDorvixDoc*>(GetDocTemplate()->GetDocument());
  if (!doc || !m_pMainWnd)
    return false;
  if (settings.soundEnabled == 1 &&
      (settings.startupMode == 1 || (settings.startupMode == 3 && doc->listedCount > 0)))
    PlayOrBeep(settings.soundFile);
  return true;
}

bool CDorvixApp::OnCommand(UINT id) {
  switch (id) {
  case ID_APP_ABOUT: {
    CAboutDlg about(m_pMainWnd);
    about.DoModal();
    return true;
  }
  case ID_HELP:
    WinHelp(1);
    return true;
  default:
    return CWinApp::OnCommand(id);
  }
}
