#pragma once

#include <formsrt/DateTime.h>

#include <string>

// The runtime's file statements and functions; failures raise the runtime's errors.
namespace formsrt {

// Attribute bits of Dir: 0 finds normal files only.
enum DirAttributes : int { dirNormal = 0, dirHidden = 2, dirSystem = 4, dirDirectory = 16 };

// The first name matching `pattern` (a path with wildcards), or empty text; Dir() gives the next one.
std::string Dir(const std::string& pattern, int attributes = dirNormal);
std::string Dir();
void Kill(const std::string& path);
// Renames a file; the new name must not exist yet.
void Name(const std::string& oldPath, const std::string& newPath);
long FileLen(const std::string& path);
Date FileDateTime(const std::string& path);
bool FileExists(const std::string& path);

} // namespace formsrt
