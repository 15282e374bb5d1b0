#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace wincore {

// A text value (REG_SZ or REG_EXPAND_SZ, not expanded) of a key; nothing when the key or the value is
// missing or holds something else. A stored value need not end with its zero: the text ends at the first.
std::optional<std::string> registryText(HKEY root, const std::string& keyPath, const std::string& valueName);

// A user shell folder ("StartUp", "Programs"...) as the shell records it under HKEY_CURRENT_USER, or,
// when the value is missing, the system's own folder of that kind (`csidl`); empty when neither is known.
std::string userShellFolder(const std::string& valueName, int csidl);

} // namespace wincore
