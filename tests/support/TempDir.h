#pragma once

#include <string>

namespace testsupport {

// A new, empty folder for one test, removed with everything in it when the test ends. enter() makes it
// the current directory until then.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  // path()\name
  std::string file(const std::string& name) const;
  void enter();

private:
  std::string path_;
  std::string previousDirectory_;
};

// Whole files as bytes, for comparing what a program wrote with a hand-computed image.
std::string readFile(const std::string& path);
bool writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
// Removes a folder and everything below it.
void removeTree(const std::string& path);

} // namespace testsupport
