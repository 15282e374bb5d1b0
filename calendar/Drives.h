#pragma once

#include <wincore/Seam.h>

#include <functional>
#include <string>

// The drives that backup and restore may use, through a seam, so that a test can stand a folder in for
// a floppy drive.
struct DriveInfo {
  bool exists = false;
  std::string root; // the folder a drive text such as "A:" stands for
};
using DriveLookup = std::function<DriveInfo(char letter)>;

DriveInfo FindDrive(char letter);
wincore::Seam<DriveLookup>& driveSeam();

class DriveOverride : public wincore::ScopedOverride<DriveLookup> {
public:
  explicit DriveOverride(DriveLookup replacement) : ScopedOverride(driveSeam(), std::move(replacement)) {}
};
