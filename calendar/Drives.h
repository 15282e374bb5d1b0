#pragma once

#include <windows.h>

#include <string>

// The drives that backup and restore may use. Tests put a source of their own in place of the system's,
// with a folder standing for a floppy drive.
class Drives {
public:
  class Source {
  public:
    virtual ~Source() = default;
    // Bit 0 = A:, bit 1 = B: ..., as the system's logical drive mask.
    virtual DWORD Mask() = 0;
    // The folder a drive text ("A:") stands for.
    virtual std::string Root(const std::string& drive) = 0;
  };

  static DWORD Mask();
  static std::string Root(const std::string& drive);
  // Null gives the system's drives back.
  static void SetSource(Source* source);
};
