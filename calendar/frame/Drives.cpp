#include <calendar/frame/Drives.h>

#include <windows.h>

namespace {

DriveInfo SystemDrive(char letter) {
  DriveInfo info;
  info.exists = letter >= 'A' && letter <= 'Z' && (GetLogicalDrives() & (1u << (letter - 'A'))) != 0;
  info.root = std::string(1, letter) + ":";
  if (info.exists)
    info.type = GetDriveTypeA((info.root + "\\").c_str());
  return info;
}

} // namespace

wincore::Seam<DriveLookup>& driveSeam() {
  static wincore::Seam<DriveLookup> seam{SystemDrive};
  return seam;
}

DriveInfo FindDrive(char letter) { return driveSeam()(letter); }
