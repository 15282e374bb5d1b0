#pragma once

#include <string>
#include <vector>

class Installer;

// Merging lines into AUTOEXEC.BAT or CONFIG.SYS.

// Whether the line sets the search path ("path" followed by blanks or "=", or "set path="); its
// folders list in `folders`.
int IsPathLine(const std::string& line, std::string& folders);

// How this works: each new line equal to a current line (without case) is dropped; in AUTOEXEC.BAT a
// new PATH line is merged into the first current PATH line by appending the folders that line lacks;
// the other new lines go first or last. CONFIG.SYS has no merge rule.
std::vector<std::string> MergeStartupLines(const std::vector<std::string>& current,
                                           const std::vector<std::string>& added, int autoexec, int newFirst);

// Merges the lines file into the start-up file: the merged copy is written beside it, the current
// file is kept under its backup name (logged as a rename) and the copy takes its place. A missing
// start-up file counts as empty and the merged one is logged as created. Unless silent, the user sees
// both texts first and may edit the merged one; declining answers 2 and changes nothing. A failure
// leaves the current file as it was; 1 on success.
int EditStartupFile(Installer& installer, const char* file, const char* linesFile, int newFirst, int silent);
