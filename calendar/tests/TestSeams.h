#pragma once

#include "Drives.h"
#include "Sound.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Sounds written down instead of played: "play <file name>" or "beep".
class RecordingSound {
public:
  std::vector<std::string> heard;

private:
  SoundOverride override_{[this](const std::string& path) {
                            heard.push_back("play " + path.substr(path.find_last_of('\\') + 1));
                            return true;
                          },
                          [this] { heard.push_back("beep"); }};
};

// Drives from a mask (bit 0 = A:), each standing for a folder of the test.
class FolderDrives {
public:
  explicit FolderDrives(DWORD mask) : mask_(mask) {}
  std::map<std::string, std::string> roots;

private:
  DWORD mask_;
  DriveOverride override_{[this](char letter) {
    DriveInfo info;
    info.exists = (mask_ & (1u << (letter - 'A'))) != 0;
    info.root = roots[std::string(1, letter) + ":"];
    return info;
  }};
};
