#pragma once

#include "SpanStream.h"

#include <string>
#include <vector>

// The distribution's split archive as the installation reads it: every part lies in the source
// folder, and a missing part is asked for according to how the distribution is packaged.
class DiskPartStream : public spanstream {
public:
  // 0: one location, nothing to ask for; 1: removable disks, the user is asked for each; 2: folders
  // "disk001" and upwards beside each other.
  enum MediaMode { SingleLocation = 0, RemovableDisks = 1, DiskFolders = 2 };

  DiskPartStream(const char* sourcefolder, int mediamode, int numberedbyset,
                 std::vector<std::string> labels = {});

  int numberedbyset() override { return numberedBySet_; }
  int askforpart(int number, int retry) override;
  int partfolder(fpath& folder) override { return folder.set(source_.c_str()); }

  const std::string& sourcefolder() const { return source_; }

private:
  int AskUser(int number);

  std::string source_;
  int mediaMode_;
  int numberedBySet_;
  std::vector<std::string> labels_;
};
