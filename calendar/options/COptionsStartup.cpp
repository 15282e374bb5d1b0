#include <calendar/options/COptionsStartup.h>

#include <calendar/data/CAppSettings.h>
#include <calendar/options/OptionsPages.h>
#include <calendar/resource.h>

#include <appframe/CDataExchange.h>

BEGIN_MESSAGE_MAP(COptionsStartup, CPropertyPage)
ON_COMMAND(IDC_OP_RESTORE, OnRestoreDefaults)
ON_COMMAND(IDC_OP_SAVENOW, OnSaveCurrent)
ON_COMMAND(IDC_OP_SOUNDTEST, OnTest)
ON_COMMAND(IDC_OP_SOUNDBROWSE, OnBrowse)
END_MESSAGE_MAP()

COptionsStartup::COptionsStartup() : CPropertyPage(IDD_OPTIONS_STARTUP, 23) {}

void COptionsStartup::DoDataExchange(CDataExchange* dx) {
  DDX_Radio(dx, IDC_OP_NORMAL, startupMode);
  DDX_Check(dx, IDC_OP_SPLASH, splashEnabled);
  DDX_Check(dx, IDC_OP_CENTERED, centered);
  DDX_Check(dx, IDC_OP_SAVEONEXIT, saveOnExit);
  DDX_Text(dx, IDC_OP_SOUNDFILE, soundFile);
  DDX_Check(dx, IDC_OP_SOUNDON, soundEnabled);
}

void COptionsStartup::OnRestoreDefaults() {
  CheckDlgButton(m_hWnd, IDC_OP_SAVEONEXIT, BST_UNCHECKED);
  CheckDlgButton(m_hWnd, IDC_OP_CENTERED, BST_CHECKED);
  CAppSettings& settings = AppSettings();
  settings.ResetLayout();
  settings.saveOnExit = 0;
  settings.winCentered = 1;
  settings.SaveSettings();
  MessageBoxA(
      m_hWnd,
      "Default settings have been restored and will take affect the next time Calvorne is started.\nSave "
      "Settings On Exit has been disabled so these settings will not be overwritten.",
      "Calvorne", MB_OK | MB_ICONINFORMATION);
}

void COptionsStartup::OnSaveCurrent() {
  CheckDlgButton(m_hWnd, IDC_OP_SAVEONEXIT, BST_UNCHECKED);
  // Off before the state save writes the file, so that the message below holds.
  AppSettings().saveOnExit = 0;
  if (saveWindowState)
    saveWindowState();
  else
    AppSettings().SaveSettings();
  MessageBoxA(m_hWnd,
              "The current state of the Calvorne main window has been saved.\nSave Settings On Exit has been "
              "disabled so these settings will not be overwritten.",
              "Calvorne", MB_OK | MB_ICONINFORMATION);
}

void COptionsStartup::OnTest() { optionspages::TestSound(*this, IDC_OP_SOUNDFILE); }

void COptionsStartup::OnBrowse() {
  optionspages::BrowseSound(*this, IDC_OP_SOUNDFILE, "Select Startup Sound File");
}
