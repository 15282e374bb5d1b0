#include <engine/operations/FileSearch.h>

#include <foundation/files/dirscan.h>
#include <foundation/windows/msgloop.h>

#include <cstring>

namespace {

// Found paths go back into the events' 256-character buffers: a longer one could only go back cut.
constexpr size_t LongestFound = 255;

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos)
    return "";
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '\\')
    return folder + name;
  return folder + "\\" + name;
}

int Allowed(const FileSearchRequest& request, int driveClass) {
  switch (driveClass) {
  case 1:
  case 2:
    return request.fixed;
  case 3:
    return request.remote;
  case 4:
    return request.cdrom;
  default:
    return 0;
  }
}

// Takes the first file the scan meets.
class FirstMatch : public dirscan {
public:
  explicit FirstMatch(const std::function<int()>& keepgoing) : keepgoing_(keepgoing) {}

  int file(const cpath& path) override {
    if (std::strlen(path.str()) > LongestFound)
      return 1;
    found = path.str();
    return 0;
  }
  int keepgoing() override {
    stopped = !keepgoing_();
    return !stopped;
  }

  std::string found;
  int stopped = 0;

private:
  const std::function<int()>& keepgoing_;
};

// The folder's own matches first, then each subfolder's: 1 found, 0 none, -1 stopped. The user is asked
// before each subfolder as well as before each match, so that a drive with few matches can still be stopped.
int SearchFolder(const std::string& folder, const std::string& pattern, int subfolders,
                 const std::function<int()>& keepgoing, std::string& found) {
  FirstMatch scan(keepgoing);
  scan.scan(cpathref(Join(folder, pattern).c_str()));
  if (!scan.found.empty()) {
    found = scan.found;
    return 1;
  }
  if (scan.stopped || !subfolders)
    return scan.stopped ? -1 : 0;
  WIN32_FIND_DATAA data;
  HANDLE names = FindFirstFileA(Join(folder, "*.*").c_str(), &data);
  if (names == INVALID_HANDLE_VALUE)
    return 0;
  int result = 0;
  do {
    const DWORD directory = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
    if ((data.dwFileAttributes & directory) != FILE_ATTRIBUTE_DIRECTORY ||
        !std::strcmp(data.cFileName, ".") || !std::strcmp(data.cFileName, ".."))
      continue;
    MessageLoop().pump(1);
    if (!keepgoing()) {
      result = -1;
      break;
    }
    result = SearchFolder(Join(folder, data.cFileName), pattern, 1, keepgoing, found);
  } while (result == 0 && FindNextFileA(names, &data));
  FindClose(names);
  return result;
}

} // namespace

SearchPlaces SearchPlaces::System() {
  SearchPlaces places;
  places.pathvariable = [] {
    DWORD size = GetEnvironmentVariableA("PATH", nullptr, 0);
    if (!size)
      return std::string();
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA("PATH", &value[0], size));
    return value;
  };
  places.driveroot = [](char letter) {
    DWORD present = GetLogicalDrives();
    if (!(present & (1u << (letter - 'A'))))
      return std::string();
    return std::string(1, letter) + ":\\";
  };
  return places;
}

std::vector<std::string> SplitPathList(const std::string& list) {
  std::vector<std::string> folders;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos)
      end = list.size();
    std::string part = Trimmed(list.substr(start, end - start));
    if (!part.empty())
      folders.push_back(part);
    start = end + 1;
  }
  return folders;
}

std::vector<SearchPlace> SearchOrder(const FileSearchRequest& request, const DrivePlatform& drives,
                                     const SearchPlaces& places) {
  std::vector<SearchPlace> order;
  switch (request.mode) {
  case 0:
    if (!request.folder.empty())
      order.push_back({request.folder, 0});
    break;
  case 1:
    for (const std::string& folder : SplitPathList(places.pathvariable()))
      order.push_back({folder, 0});
    break;
  case 2:
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      std::string folder = places.driveroot(letter);
      char root[4] = {letter, ':', '\\', '\0'};
      if (!folder.empty() && Allowed(request, DriveClass(root, drives)))
        order.push_back({folder, 1});
    }
    break;
  default:
    break;
  }
  return order;
}

int SearchForFile(const FileSearchRequest& request, const DrivePlatform& drives, const SearchPlaces& places,
                  const std::function<int()>& keepgoing, std::string& found) {
  found.clear();
  if (request.pattern.empty())
    return 0;
  for (const SearchPlace& place : SearchOrder(request, drives, places)) {
    int result = SearchFolder(place.folder, request.pattern, place.subfolders, keepgoing, found);
    if (result != 0)
      return result > 0;
  }
  return 0;
}
