#pragma once

#include <string>

// Per-user settings as text values under HKEY_CURRENT_USER\Software\<application>\<section>.
namespace formsrt {

// The stored text, or `fallback` when the key or value is missing or is not text.
std::string GetSetting(const std::string& application, const std::string& section, const std::string& key,
                       const std::string& fallback = std::string());
// Creates the key when needed; a failure raises Invalid procedure call.
void SaveSetting(const std::string& application, const std::string& section, const std::string& key,
                 const std::string& value);
void DeleteSetting(const std::string& application, const std::string& section);

} // namespace formsrt
