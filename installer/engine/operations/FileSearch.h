#pragma once

#include <engine/controllers/InstallController.h>
#include <engine/operations/SearchPlaces.h>

#include <functional>
#include <string>
#include <vector>

// The script's file search: the mode, the folder for mode 0, the file name pattern and which classes
// of drive mode 2 may search.
struct FileSearchRequest {
  int mode = 0; // 0 the folder, 1 each folder of PATH, 2 every drive of an allowed class
  std::string folder;
  std::string pattern;
  int fixed = 0;  // fixed drives and large removable ones (classes 1 and 2)
  int remote = 0; // class 3
  int cdrom = 0;  // class 4
};

struct SearchPlace {
  std::string folder;
  int subfolders; // a whole drive is searched with its subfolders
};

// The folders of a PATH value: split at ";", blanks trimmed at both ends, empty parts skipped.
std::vector<std::string> SplitPathList(const std::string& list);
// The places the request searches, in order; drives A to Z are classed through the drive seam.
std::vector<SearchPlace> SearchOrder(const FileSearchRequest& request, const DrivePlatform& drives,
                                     const SearchPlaces& places);
// Searches the places in order until the first file that matches the pattern; `keepgoing` answering 0
// stops the search. 1 with the file's full path, 0 when none was found or the search was stopped.
int SearchForFile(const FileSearchRequest& request, const DrivePlatform& drives, const SearchPlaces& places,
                  const std::function<int()>& keepgoing, std::string& found);
