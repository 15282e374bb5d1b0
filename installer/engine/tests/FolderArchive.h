#pragma once

#include <engine/script/DistributionArchive.h>

#include <string>

// An archive whose parts all lie in one folder; a missing part is given up at once.
class FolderArchive : public DistributionArchive {
public:
  FolderArchive(std::string folder, std::string base, int parts, int numbered)
      : DistributionArchive(std::move(base), parts), folder_(std::move(folder)), numbered_(numbered) {}
  int numberedbyset() override { return numbered_; }
  int askforpart(int, int) override { return 0; }
  int partfolder(fpath& folder) override { return folder.set(folder_.c_str()); }

private:
  std::string folder_;
  int numbered_;
};
