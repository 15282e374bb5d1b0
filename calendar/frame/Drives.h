#pragma once

#include <wincore/Seam.h>

#include <windows.h>

#include <functional>
#include <string>

// The drives that backup and restore may use, through a seam, so that a test can stand a folder in for
// a removable drive.
struct DriveInfo {
  bool exists = false;
  std::string root;          // the folder a drive text such as "A:" stands for
  UINT type = DRIVE_UNKNOWN; // as GetDriveTypeA answers: DRIVE_REMOVABLE for a floppy or a memory stick
};
using DriveLookup = std::function<DriveInfo(char letter)>;

DriveInfo FindDrive(char letter);
wincore::Seam<DriveLookup>& driveSeam();

class DriveOverride : public wincore::ScopedOverride<DriveLookup> {
public:
  explicit DriveOverride(DriveLookup replacement) : ScopedOverride(driveSeam(), std::move(replacement)) {}
};
