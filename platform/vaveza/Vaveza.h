#pragma once

#include <functional>
#include <string>

// The uninstall helper's work, apart from the program around it: what "vaveza.ini" asks and how it is
// carried out. The engine writes the settings and ends; the helper waits until the engine's file can be
// moved, then moves, runs or deletes exactly the one file it was told about.
struct VavezaRequest {
  std::string from; // "f": the file to move or delete; may be empty
  std::string to;   // "t": a drive ("X:"), a folder, a full file path or empty
  bool run = false; // "x": run the result
};

// Exit codes: the helper shows no message, it reports through these.
enum VavezaResult {
  VavezaDone = 0,
  VavezaNoSettings = 1,
  VavezaBadRequest = 2,
  VavezaMoveFailed = 3,
  VavezaRunFailed = 4,
  VavezaDeleteFailed = 5
};

struct VavezaPlatform {
  // Starts the program (its folder as the current folder); true when it started.
  std::function<bool(const std::string& program)> start;
  // How long to wait for a file that is still held, and between attempts.
  unsigned long waitMilliseconds = 30000;
  unsigned long retryMilliseconds = 100;

  static VavezaPlatform System();
};

// Reads section "x" of the settings file and deletes the file; false when it is missing.
bool ReadVavezaSettings(const std::string& iniPath, VavezaRequest& request);
// Where a moved file ends up: a drive's root, a folder, or the given full path.
std::string VavezaTarget(const std::string& from, const std::string& to);
int CarryOutVaveza(const VavezaRequest& request, const VavezaPlatform& platform);
