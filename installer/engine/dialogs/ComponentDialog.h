#pragma once

#include <engine/controllers/InstallController.h>
#include <engine/dialogs/ComponentSelection.h>

#include <functional>
#include <string>
#include <vector>

// What the component selection dialog shows and what it changes.
struct ComponentChoice {
  std::vector<ComponentShape> components; // expressions evaluated, texts expanded
  std::vector<int> componentBound;        // per event
  std::vector<long> eventSizes;           // per event, in KB
  std::vector<std::string> driveLines;
  std::vector<int> enabled; // the enable array; a confirmed selection leaves its own here
};

// "c: ..." lines for the fixed, remote and CD-ROM drives from a to z; a drive whose free space is not
// known shows none.
std::vector<std::string> SelectionDriveLines(const DrivePlatform& drives);

// Shows "DLGSELCOMPS" over the components' check tree. OK confirms (1) and leaves the enable array of
// the checked components in `choice`; Cancel asks `queryabort`: Yes gives up (0) with the enable array
// as it was, No shows the dialog again with the checks as the user left them. -1 when the dialog
// cannot be shown. Owned by `owner`, else by the top of the window stack.
int RunSelectComponentsDialog(ComponentChoice& choice, const std::function<int()>& queryabort,
                              HWND owner = nullptr);
