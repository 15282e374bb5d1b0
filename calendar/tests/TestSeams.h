#pragma once

#include <calendar/frame/Drives.h>
#include <calendar/frame/Sound.h>

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

// Drives from a mask (bit 0 = A:), each standing for a folder of the test; those of the removable mask
// (A: and B: unless told) are removable, the others fixed.
class FolderDrives {
public:
  explicit FolderDrives(DWORD mask, DWORD removable = 0x3) : mask_(mask), removable_(removable) {}
  std::map<std::string, std::string> roots;

private:
  DWORD mask_;
  DWORD removable_;
  DriveOverride override_{[this](char letter) {
    DriveInfo info;
    DWORD bit = 1u << (letter - 'A');
    info.exists = (mask_ & bit) != 0;
    info.root = roots[std::string(1, letter) + ":"];
    info.type = !info.exists ? DRIVE_NO_ROOT_DIR : (removable_ & bit) ? DRIVE_REMOVABLE : DRIVE_FIXED;
    return info;
  }};
};
