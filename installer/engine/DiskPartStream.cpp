#include "DiskPartStream.h"

#include <checkfailed.h>
#include <textresource.h>

#include <windows.h>

#include <cstdio>

namespace {
constexpr CheckSite NothingToAskFor{"INSTALL", 1210};
constexpr UINT InsertDiskText = 74;
constexpr UINT InsertDiskCaption = 75;
} // namespace

DiskPartStream::DiskPartStream(const char* sourcefolder, int mediamode, int numberedbyset,
                               std::vector<std::string> labels)
    : source_(sourcefolder), mediaMode_(mediamode), numberedBySet_(numberedbyset),
      labels_(std::move(labels)) {}

int DiskPartStream::AskUser(int number) {
  char format[TextSize], caption[TextSize], text[2 * TextSize];
  LoadText(format, InsertDiskText);
  LoadText(caption, InsertDiskCaption);
  std::string label = number >= 0 && number < static_cast<int>(labels_.size())
                          ? labels_[static_cast<size_t>(number)]
                          : std::to_string(number + 1);
  std::snprintf(text, sizeof text, format, label.c_str());
  return MessageBoxA(nullptr, text, caption, MB_OKCANCEL | MB_ICONQUESTION | MB_TASKMODAL) == IDOK;
}

// Folders "diskNNN" are switched to without asking; when the part is not in the folder switched to
// either, the user is asked, so that a missing part never turns into an endless search.
int DiskPartStream::askforpart(int number, int) {
  if (mediaMode_ == RemovableDisks)
    return AskUser(number);
  if (!CheckFailed(NothingToAskFor, mediaMode_ == DiskFolders))
    return 0;
  char folder[16];
  std::snprintf(folder, sizeof folder, "disk%03d", number + 1);
  size_t cut = source_.find_last_of('\\');
  std::string switched = (cut == std::string::npos ? std::string() : source_.substr(0, cut + 1)) + folder;
  if (_stricmp(switched.c_str(), source_.c_str()) == 0)
    return AskUser(number);
  source_ = switched;
  return 1;
}
