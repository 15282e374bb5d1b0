#pragma once

#include <appframe/CPropertyPage.h>

#include <functional>

// The Startup page of the options: how the main window starts, the splash screen, centring, saving
// on exit and the start-up sound. Its two settings buttons act at once, whatever the sheet's end.
class COptionsStartup : public CPropertyPage {
  DECLARE_MESSAGE_MAP()

public:
  COptionsStartup();

  int startupMode = 0; // 0 normal, 1 hidden always, 2 hidden when no upcoming events
  int splashEnabled = 0;
  int centered = 0;
  int saveOnExit = 0;
  CString soundFile;
  int soundEnabled = 0;
  // Saves the main window's state as on exit (and writes the settings file).
  std::function<void()> saveWindowState;

protected:
  void DoDataExchange(CDataExchange* dx) override;
  void OnRestoreDefaults();
  void OnSaveCurrent();
  void OnTest();
  void OnBrowse();
};
