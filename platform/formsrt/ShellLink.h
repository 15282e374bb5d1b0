#pragma once

#include <string>

namespace formsrt {

// Places a shortcut named `linkName` (".lnk" is added) in a group of the user's Start menu and answers
// whether it was saved. The group "\startup" is the user's start-up group; any other group is a folder
// under the Start menu's programs, created when missing. The shortcut points at `target` with
// `arguments`, and starts in the target's folder.
bool fCreateShellLink(const std::string& groupFolder, const std::string& linkName, const std::string& target,
                      const std::string& arguments);

// The path a shortcut file points at, or empty text when it is no shortcut or cannot be read.
std::string shellLinkTarget(const std::string& linkPath);

// A user shell folder ("StartUp", "Programs"...) as the shell records it under HKEY_CURRENT_USER, or,
// when the value is missing, the system's own folder of that kind (`csidl`); empty when neither is known.
std::string userShellFolder(const std::string& valueName, int csidl);

} // namespace formsrt
