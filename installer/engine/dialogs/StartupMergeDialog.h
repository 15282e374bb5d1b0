#pragma once

#include <string>

// Shows "DLGDOSINFORM": the current start-up file beside the merged one, which the user may edit, and
// the name the current file is kept under (empty: it is not kept). OK (1) hands back the merged text as
// left in the dialog; Cancel answers 2; -1 when the dialog cannot be shown.
int RunStartupMergeDialog(const std::string& current, std::string& merged, const std::string& backup);
