#include <lookup/PellawinForms.h>

#include <formlib/TApplication.h>
#include <lookup/TfrmAreaCode.h>
#include <lookup/TfrmInternet.h>
#include <lookup/TfrmMain.h>
#include <lookup/TfrmTimeZones.h>

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
