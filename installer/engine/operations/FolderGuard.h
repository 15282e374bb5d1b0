#pragma once

#include <string>

// The folders a removal with all contents must never take: a whole drive, the system's own folders
// and whatever holds them. A path is judged as written and as the system resolves it.

// Whether a part of the path as written is "." or "..": such a path names another folder than it
// seems to, so nothing is removed through it.
int HasDotPart(const char* path);

// The full path (GetFullPathNameA), lower case, without a trailing separator; empty when it
// cannot be resolved.
std::string ResolvedFolder(const char* path);

// Whether the resolved `outer` is `inner` or a folder above it.
int IsOrHolds(const std::string& outer, const std::string& inner);

// Whether the path is a drive or share root, the Windows or system folder (or `windowsfolder`, when
// given) or a folder that holds one of them, or has a "." or ".." part: 1 with the reason in `why`.
int IsProtectedFolder(const char* path, const std::string& windowsfolder, std::string& why);
