#pragma once

#include "AppletLibrary.h"
#include "Drives.h"
#include "Sound.h"

#include <map>
#include <string>
#include <vector>

// Sounds written down instead of played: "play <file name>" or "beep".
class RecordingSound : public Sound::Output {
public:
  RecordingSound() { Sound::SetOutput(this); }
  ~RecordingSound() override { Sound::SetOutput(nullptr); }
  bool PlayFile(const std::string& path) override {
    heard.push_back("play " + path.substr(path.find_last_of('\\') + 1));
    return true;
  }
  void Beep() override { heard.push_back("beep"); }
  std::vector<std::string> heard;
};

// Drives from a mask, each standing for a folder of the test.
class FolderDrives : public Drives::Source {
public:
  explicit FolderDrives(DWORD mask) : mask_(mask) { Drives::SetSource(this); }
  ~FolderDrives() override { Drives::SetSource(nullptr); }
  DWORD Mask() override { return mask_; }
  std::string Root(const std::string& drive) override { return roots[drive]; }
  std::map<std::string, std::string> roots;

private:
  DWORD mask_;
};
