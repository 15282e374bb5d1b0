#pragma once

#include <foundation/registry/versioninfo.h>

// Asks through "DLGAOW" whether a new file replaces an existing one of another kind; the user may
// edit the existing file's path, which becomes the target. 0 (OK: install), 1 (Cancel: keep), 2 (the
// dialog could not be shown).
int AskOverwrite(const cpath& newfile, const versionrecord& newrecord, fpath& existing,
                 const versionrecord& existingrecord);

// The version comparison's question, put through AskOverwrite.
class OverwriteQuestion : public askoverwrite {
public:
  int ask(const cpath& newfile, const versionrecord& newrecord, fpath& existing,
          const versionrecord& existingrecord) override {
    return AskOverwrite(newfile, newrecord, existing, existingrecord);
  }
};
