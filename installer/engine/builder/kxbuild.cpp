// kxbuild: makes a distribution (install script, kxmain.ini and archive) from a plain-text description.
//   kxbuild description.txt out-folder
#include <engine/builder/Distribution.h>
#include <engine/builder/LibraryPacker.h>

#include <cstdio>
#include <fstream>
#include <sstream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kxbuild description.txt out-folder\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "kxbuild: cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  Distribution distribution;
  LibraryPacker packer;
  std::string error;
  if (!distribution.parse(text.str(), error) || !distribution.write(argv[2], &packer, error)) {
    std::fprintf(stderr, "kxbuild: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
