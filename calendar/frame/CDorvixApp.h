#pragma once

#include <appframe/CPrintDialog.h>
#include <appframe/CWinApp.h>

// dorvix32's application: dialog colours, settings, the splash window, the document template of the
// calendar document, main frame and list, and the start-up sound.
class CDorvixApp : public CWinApp {
public:
  CDorvixApp();

  bool InitInstance() override;
  bool OnCommand(UINT id) override;
  // The file that keeps the framework's recent-file list, beside the calendar's own files.
  static constexpr char kProfileName[] = "dorvix32.ini";

  // The printer choice for printing the event list: all pages, copies through the device mode.
  CPrintDialog m_printDialog{FALSE};
};
