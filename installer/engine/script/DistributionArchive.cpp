#include <engine/script/DistributionArchive.h>

#include <cstdio>

std::string ArchivePartFile(const std::string& base, int part, int numberedbyset) {
  if (!numberedbyset)
    return base + ".exe";
  char number[16];
  std::snprintf(number, sizeof number, ".%03d", part);
  return base + number;
}

void DistributionArchive::member(const FileEntry& entry) {
  long length = entry.compressed() ? entry.packedSize : entry.originalSize;
  int parts = parts_ - entry.firstPart + 1;
  setup(ArchivePartFile(base_, entry.firstPart, numberedbyset()).c_str(), entry.firstPart,
        parts < 1 ? 1 : parts, entry.offset, length);
}
