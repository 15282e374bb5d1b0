#pragma once

#include <string>
#include <vector>

namespace formsrt {

// Sends files to the recycle bin through the shell's file operation, so that they can be restored; the
// shell asks the user to confirm. Answers false when the list is empty, the shell failed or the user
// cancelled; files already gone before the call count as failures of the shell, so callers pass only
// files that exist.
bool sendToRecycleBin(const std::vector<std::string>& paths);

} // namespace formsrt
