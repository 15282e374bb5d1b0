#include <engine/builder/LibraryPacker.h>

#include <algorithm>

namespace {

// The library's writer callback has no context: the member being packed.
std::string* packedOutput = nullptr;

int WINAPI appendByte(int byte) {
  packedOutput->push_back(static_cast<char>(byte));
  return 0;
}

} // namespace

int LibraryPacker::pack(const std::string& data, std::string& packed) {
  if (!library_.load())
    return 0;
  packed.clear();
  packedOutput = &packed;
  int ok = library_.zipcreate(appendByte, LZP_MODE_FRAMED, LZP_LEVEL_DEFAULT) == 0;
  for (size_t at = 0; ok && at < data.size(); at += 65536) {
    int n = static_cast<int>(std::min<size_t>(65536, data.size() - at));
    ok = library_.zipwrite(data.data() + at, n) == n;
  }
  ok = library_.zipclose() == 0 && ok;
  packedOutput = nullptr;
  return ok;
}
