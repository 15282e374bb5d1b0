#pragma once

#include <functional>
#include <string>

// Where a file search may look: the folders of PATH and the drives present, a seam so that tests never
// walk the host's drives.
struct SearchPlaces {
  std::function<std::string()> pathvariable;
  // The folder walked for drive `letter` ('A'..'Z'); "" when the drive is not there.
  std::function<std::string(char letter)> driveroot;

  static SearchPlaces System();
};
