#pragma once

// What the files defining InstallController's members share. Internal to the controllers folder: only
// those files include it.

#include <engine/controllers/InstallController.h>

#include <foundation/paths/fpath.h>

#include <algorithm>
#include <string>

namespace installcontroller {

// How long the fixed busy messages stay up at least, in milliseconds.
constexpr long BusyTime = 3000;

// A text of the language library when it is loaded, else the default.
std::string LibraryText(const LanguageLibrary& library, UINT id, const char* fallback);
void CopyCut(char* out, size_t size, const char* text);
std::string Join(const std::string& folder, const std::string& name);
int FileExists(const std::string& path);

// The run's archive: a missing part is asked for through the controller's disk prompt and every part
// is looked for in the source folder (which the prompt may switch to another disk folder). A
// distribution in one place (media mode 0) has no other disk to ask for: a part missing there is
// damage, which the stream names.
class ArchiveStream : public DistributionArchive {
public:
  ArchiveStream(InstallController& controller, const DiskMap& map)
      : DistributionArchive(map.archive, std::max<int>(1, static_cast<int>(map.labels.size()))),
        controller_(controller), numberedBySet_(map.numberedBySet) {}
  int numberedbyset() override { return numberedBySet_; }
  int askforpart(int number, int retry) override {
    return controller_.mediaMode() != 0 && controller_.promptfordisk(number - 1, retry);
  }
  int partfolder(fpath& folder) override { return folder.set(controller_.sourceFolder()); }

private:
  InstallController& controller_;
  int numberedBySet_;
};

} // namespace installcontroller
