#pragma once

#include <string>

// The calendar's sounds. Asynchronous play of a missing file answers success, so the file is checked
// first; whatever cannot be played gives a short beep instead. Tests put an output of their own in
// place of the system's.
class Sound {
public:
  class Output {
  public:
    virtual ~Output() = default;
    // Starts the file asynchronously, without the default sound; false when it cannot be played.
    virtual bool PlayFile(const std::string& path) = 0;
    virtual void Beep() = 0;
  };

  // A file named without a folder lies in the data folder.
  static void PlayOrBeep(const std::string& file);
  // Null gives the system's output back.
  static void SetOutput(Output* output);
};
