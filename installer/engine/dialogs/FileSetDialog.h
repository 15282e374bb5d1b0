#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The folder that file sets go to, from the name chosen in the folder dialog: the chosen name's
// folder when the name holds "*" or "?", else the whole name (a typed name is a folder to make).
std::string FileSetFolder(const char* chosen);
// Asks for a folder through the file dialog (filter text 140 with "*.*"); 1 with the folder, 0 when
// the user cancelled.
int ChooseFolder(HWND owner, std::string& folder);

// What the file-set dialog lists and what installs a set.
struct FileSetRequest {
  std::vector<std::string> groups;
  // Installs group `index` into the folder; 0 when it failed (reported).
  std::function<int(int index, const char* folder)> install;
};

// Shows "DLGINSTSF" until Cancel closes it (1); -1 when it cannot be shown. OK asks for a folder (the
// file dialog, filter text 140 with "*.*") and installs every selected group into it, deselecting
// each one installed; a failure stops there and leaves the rest selected.
int RunFileSetDialog(FileSetRequest& request);
