#pragma once

#include <string>

// Symbolic links (and over-long paths) made on the host side: this platform has no call that makes one, but a
// link made by the host shows as a directory with the reparse-point attribute. Paths are the program's own
// (for example "c:\users\...\tree\link"). false when the host could not make it.
bool makeHostLink(const std::string& target, const std::string& link);
void removeHostLink(const std::string& link);
// A link to one of the host's devices (a host path such as "/dev/full", which refuses every write with
// "disk full"), for write errors this platform cannot make otherwise.
bool makeHostDeviceLink(const std::string& device, const std::string& link);
// An empty file made by the host, for paths too long for this program's own calls.
bool makeHostFile(const std::string& path);

// A drive letter whose root is a folder of the test, through a link among the prefix's drives; ""
// when none could be made. Removed when it goes.
class HostDrive {
public:
  explicit HostDrive(const std::string& folder);
  ~HostDrive();
  HostDrive(const HostDrive&) = delete;
  HostDrive& operator=(const HostDrive&) = delete;

  const std::string& root() const { return root_; } // "q:\"

private:
  std::string root_;
  std::string link_;
};
