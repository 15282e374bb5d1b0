#pragma once

#include <string>

namespace pellawin {

class TfrmMain;
class TfrmAreaCode;
class TfrmInternet;
class TfrmTimeZones;

// The long-lived forms, created once at start-up and kept until the program ends.
extern TfrmMain* frmMain;
extern TfrmAreaCode* frmAreaCode;
extern TfrmInternet* frmInternet;
extern TfrmTimeZones* frmTimeZones;

// Creates the four forms through the application, the main one first; all stay hidden until shown.
void CreateForms();

// The settings file beside the program, shared by every window.
std::string SettingsPath();

} // namespace pellawin
