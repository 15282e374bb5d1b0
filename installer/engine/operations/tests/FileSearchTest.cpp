#include <engine/controllers/InstallController.h>
#include <engine/operations/FileSearch.h>
#include <engine/tests/InstallerFixture.h>

#include <tests/support/ModalAnswerer.h>
#include <tests/support/TempDir.h>

#include <gtest/gtest.h>

#include <map>

using testsupport::ModalAnswerer;
using testsupport::TempDir;
using testsupport::writeFile;

namespace {

// Drives as a test sets them up: a type per letter and a scratch folder standing for its root.
struct FakeDrives {
  std::map<char, UINT> types;
  std::map<char, std::string> roots;

  DrivePlatform platform() const {
    DrivePlatform drives;
    drives.type = [this](const char* root) {
      auto type = types.find(root[0]);
      return type == types.end() ? static_cast<UINT>(DRIVE_NO_ROOT_DIR) : type->second;
    };
    drives.freebytes = [](const char* root) -> long long { return root[0] == 'A' ? 1457664 : 8LL << 30; };
    return drives;
  }
  SearchPlaces places(std::string path = "") const {
    SearchPlaces places;
    places.pathvariable = [path] { return path; };
    places.driveroot = [this](char letter) {
      auto root = roots.find(letter);
      return root == roots.end() ? std::string() : root->second;
    };
    return places;
  }
};

std::vector<std::string> Folders(const std::vector<SearchPlace>& places) {
  std::vector<std::string> folders;
  for (const SearchPlace& place : places)
    folders.push_back(place.folder + (place.subfolders ? " +" : ""));
  return folders;
}

} // namespace

TEST(FileSearchRules, PathIsSplitAtSemicolonsWithBlanksTrimmed) {
  struct Row {
    const char* path;
    std::vector<std::string> folders;
  } rows[] = {
      {"", {}},
      {";;  ;", {}},
      {"C:\\DOS", {"C:\\DOS"}},
      {"  C:\\DOS ;C:\\Program Files\\App  ;;D:\\", {"C:\\DOS", "C:\\Program Files\\App", "D:\\"}},
      {"C:\\A;", {"C:\\A"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(row.folders, SplitPathList(row.path));
  }
}

TEST(FileSearchRules, EachModeSearchesItsOwnPlaces) {
  FakeDrives fake;
  fake.types = {{'A', DRIVE_REMOVABLE}, {'C', DRIVE_FIXED},  {'D', DRIVE_CDROM},
                {'E', DRIVE_REMOVABLE}, {'N', DRIVE_REMOTE}, {'R', DRIVE_RAMDISK}};
  for (auto& type : fake.types)
    fake.roots[type.first] = std::string(1, type.first) + "root";
  // A drive the system names but that is not there is never searched.
  fake.types['Q'] = DRIVE_FIXED;
  struct Row {
    const char* name;
    FileSearchRequest request;
    std::vector<std::string> folders;
  } rows[] = {
      {"the folder", {0, "c:\\app", "x.ini", 1, 1, 1}, {"c:\\app"}},
      {"no folder", {0, "", "x.ini", 1, 1, 1}, {}},
      {"along PATH", {1, "c:\\app", "x.ini", 0, 0, 0}, {"c:\\dos", "c:\\bin"}},
      {"fixed and large removable drives", {2, "", "x.ini", 1, 0, 0}, {"Croot +", "Eroot +"}},
      {"remote drives", {2, "", "x.ini", 0, 1, 0}, {"Nroot +"}},
      {"CD-ROM drives", {2, "", "x.ini", 0, 0, 1}, {"Droot +"}},
      {"no class allowed", {2, "", "x.ini", 0, 0, 0}, {}},
      {"an unknown mode", {3, "c:\\app", "x.ini", 1, 1, 1}, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.folders,
              Folders(SearchOrder(row.request, fake.platform(), fake.places(" c:\\dos;c:\\bin"))));
  }
}

TEST(FileSearchRules, TheFirstHitWinsAndTheUserMayStop) {
  TempDir dir;
  for (const char* folder : {"one", "two", "two\\deep", "cd", "cd\\sub"})
    CreateDirectoryA(dir.file(folder).c_str(), nullptr);
  writeFile(dir.file("one\\readme.txt"), "");
  writeFile(dir.file("two\\deep\\app.ini"), "");
  writeFile(dir.file("two\\app.ini.bak"), "");
  writeFile(dir.file("cd\\sub\\app.ini"), "");
  writeFile(dir.file("cd\\app.ini"), "");
  FakeDrives fake;
  fake.types = {{'C', DRIVE_FIXED}, {'D', DRIVE_CDROM}, {'F', DRIVE_FIXED}};
  fake.roots = {{'C', dir.file("one")}, {'D', dir.file("cd")}, {'F', dir.file("two")}};
  std::string path = dir.file("one") + ";" + dir.file("cd") + ";" + dir.file("two");
  struct Row {
    const char* name;
    FileSearchRequest request;
    std::string found;
  } rows[] = {
      {"the folder itself only", {0, dir.file("two"), "app.ini"}, ""},
      {"the folder's match", {0, dir.file("cd"), "APP.INI"}, dir.file("cd\\app.ini")},
      {"a pattern", {0, dir.file("one"), "*.txt"}, dir.file("one\\readme.txt")},
      {"the first PATH folder that holds it", {1, "", "app.ini"}, dir.file("cd\\app.ini")},
      {"a drive with its subfolders, a CD-ROM not allowed",
       {2, "", "app.ini", 1, 0, 0},
       dir.file("two\\deep\\app.ini")},
      {"the first drive allowed", {2, "", "app.ini", 1, 0, 1}, dir.file("cd\\app.ini")},
      {"nothing matches", {2, "", "nothere.dll", 1, 1, 1}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    std::string found = "stale";
    EXPECT_EQ(!row.found.empty(),
              SearchForFile(
                  row.request, fake.platform(), fake.places(path), [] { return 1; }, found));
    EXPECT_EQ(row.found, found);
  }
  // Stopped before the only match, in a subfolder of the drive.
  int asked = 0;
  std::string found;
  FileSearchRequest onDrive{2, "", "app.ini", 1, 0, 0};
  EXPECT_EQ(0, SearchForFile(
                   onDrive, fake.platform(), fake.places(), [&] { return ++asked < 1; }, found));
  EXPECT_EQ("", found);
  EXPECT_EQ(1, asked);
}
