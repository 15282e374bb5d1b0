#pragma once

#include <versioninfo.h>

// Asks through "DLGAOW" whether a new file replaces an existing one of another kind; the user may
// edit the existing file's path, which becomes the target.
class OverwriteQuestion : public askoverwrite {
public:
  int ask(const cpath& newfile, const versionrecord& newrecord, fpath& existing,
          const versionrecord& existingrecord) override;
};
