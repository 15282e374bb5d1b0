#pragma once

#include <functional>
#include <string>
#include <vector>

// What the prompt dialog asks and what it answers.
struct PromptRequest {
  int kind = 0; // 0 plain text, 1 folder, 2 Program Manager group
  std::string initial;
  std::string prompt;
  std::string title;
  int helpcontext = 0;
  // Kind 2: the groups offered in the drop-down list.
  std::vector<std::string> groups;
  char answer[256] = "";
};

// Longest folder the engine's 128-character path buffers hold, terminator excluded.
constexpr size_t PromptFolderLimit = 127;

// Shows "DLGPROMPTSTR" until the user either gives an acceptable answer (1) or cancels (2); -1 when the
// dialog cannot be shown. A folder answer is made a full path; `acceptfolder` then checks it (free
// space, creating it) and keeps the dialog open by answering 0.
int RunPromptDialog(PromptRequest& request, const std::function<int(const char* folder)>& acceptfolder);
