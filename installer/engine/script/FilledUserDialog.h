#pragma once

#include <foundation/dialogs/usrdlg.h>

#include <memory>
#include <utility>
#include <vector>

// The most controls a user dialog can have.
constexpr int MostUserControls = 30;

// A user dialog of the script filled in and ready to show: the record, its control records, and the
// string variables its edits write back into once the dialog is done.
struct FilledUserDialog {
  usrdlgdata data;
  std::unique_ptr<usrdlgcontrol[]> controls = std::make_unique<usrdlgcontrol[]>(MostUserControls);
  // Each string variable with the edit's text that goes into it.
  std::vector<std::pair<char*, const char*>> strings;
  usrdlg window;

  // Hands the edits' texts to their variables.
  void storestrings() const;
};
