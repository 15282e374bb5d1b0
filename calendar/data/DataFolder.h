#pragma once

#include <string>

// The folder that holds the calendar's files: the working directory at start-up, made absolute once, so
// that a dialog that changes the current directory cannot send the files elsewhere.
class DataFolder {
public:
  // Fixes the folder; with no argument, the current directory (at start-up).
  static void Set(const std::string& folder = std::string());
  static const std::string& Get();
  // folder\name
  static std::string Path(const std::string& name);
};
