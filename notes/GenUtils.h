#pragma once

#include <optional>
#include <string>

namespace notaris {

// The text of a registry value. The hive is named as text ("HKEY_CURRENT_USER"...); nothing is answered
// when the hive is unknown, or the key or value is missing or holds no text.
std::optional<std::string> sdaGetRegEntry(const std::string& hive, const std::string& keyPath,
                                          const std::string& valueName);

// The user's start-up folder: the shell's "StartUp" value under HKEY_CURRENT_USER, or, on a profile
// without it, the system's start-up folder; empty when neither is known.
std::string startupFolder();

} // namespace notaris
