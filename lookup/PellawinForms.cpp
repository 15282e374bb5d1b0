#include "PellawinForms.h"

#include "TfrmAreaCode.h"
#include "TfrmInternet.h"
#include "TfrmMain.h"
#include "TfrmTimeZones.h"
#include <formlib/TApplication.h>

namespace pellawin {

using namespace formlib;

TfrmMain* frmMain = nullptr;
TfrmAreaCode* frmAreaCode = nullptr;
TfrmInternet* frmInternet = nullptr;
TfrmTimeZones* frmTimeZones = nullptr;

void CreateForms() {
  Application->CreateForm(frmMain);
  Application->CreateForm(frmAreaCode);
  Application->CreateForm(frmInternet);
  Application->CreateForm(frmTimeZones);
}

std::string SettingsPath() { return Application->ExeFolder() + "pellawin.ini"; }

} // namespace pellawin
