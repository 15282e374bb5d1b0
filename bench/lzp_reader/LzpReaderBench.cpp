// Decompressing through the reader and the library, against the same work done plainly.
// Packs 64 MB (half random bytes, half text-like) through the library into a file in the current
// folder, then times, best of several runs:
// - the reader: the file read through the library's byte callback (the reader serves it from blocks
//   of 2048 bytes and serves the windows at most every 15 ms), the output written to a file;
// - the plain way: the compressed file read in one call, inflated by zlib in memory, the output
//   written to a file;
// - reading the 64 MB of original bytes raw, for scale;
// - a message pump for every 2048 bytes read, for what pumping by the byte count alone would cost.
#include <foundation/files/lzpreader.h>
#include <foundation/streams/filestream.h>
#include <foundation/windows/msgloop.h>

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr size_t kSize = 64u << 20;
constexpr int kRuns = 5;
constexpr char kPacked[] = "bench.lz_";
constexpr char kOriginal[] = "bench.raw";
constexpr char kOutput[] = "bench.out";

std::string original() {
  std::string data;
  data.reserve(kSize);
  std::uint64_t state = 20261210;
  while (data.size() < kSize / 2) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    data.push_back(static_cast<char>(state >> 56));
  }
  static const char* words[] = {"install ", "the ",         "files ",  "into ",   "c:\\program files\\kx\r\n",
                                "setup ",   "version 4.1 ", "shared ", "library "};
  for (unsigned i = 0; data.size() < kSize; ++i) {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    data += words[(state >> 40) % 9];
  }
  data.resize(kSize);
  return data;
}

std::string packed;

int WINAPI collect(int byte) {
  packed.push_back(static_cast<char>(byte));
  return 0;
}

bool writeWhole(const char* path, const std::string& bytes) {
  FILE* file = std::fopen(path, "wb");
  if (!file)
    return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

template <class Work> double bestSeconds(Work work) {
  double best = 1e9;
  for (int run = 0; run < kRuns; ++run) {
    auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

size_t throughReader() {
  fileistream source(kPacked);
  lzpreader reader;
  FILE* out = std::fopen(kOutput, "wb");
  size_t total = 0;
  std::vector<char> block(65536);
  if (reader.open(source) == 1)
    for (int got; (got = reader.read(block.data(), static_cast<int>(block.size()))) > 0; total += got)
      std::fwrite(block.data(), 1, got, out);
  reader.close();
  std::fclose(out);
  return total;
}

size_t plainInflate() {
  FILE* in = std::fopen(kPacked, "rb");
  std::fseek(in, 0, SEEK_END);
  long size = std::ftell(in);
  std::fseek(in, 0, SEEK_SET);
  std::vector<unsigned char> compressed(size);
  std::fread(compressed.data(), 1, compressed.size(), in);
  std::fclose(in);
  std::vector<unsigned char> output(kSize);
  z_stream z{};
  inflateInit2(&z, -15);
  z.next_in = compressed.data() + 2;
  z.avail_in = static_cast<uInt>(size - 6);
  z.next_out = output.data();
  z.avail_out = static_cast<uInt>(output.size());
  inflate(&z, Z_FINISH);
  size_t total = z.total_out;
  inflateEnd(&z);
  FILE* out = std::fopen(kOutput, "wb");
  std::fwrite(output.data(), 1, total, out);
  std::fclose(out);
  return total;
}

size_t rawRead() {
  FILE* in = std::fopen(kOriginal, "rb");
  std::vector<char> bytes(kSize);
  size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
  std::fclose(in);
  return got;
}

} // namespace

int main() {
  std::string data = original();
  lzplibrary library;
  if (!library.load() || library.zipcreate(collect, LZP_MODE_FRAMED, LZP_LEVEL_DEFAULT) != 0 ||
      library.zipwrite(data.data(), static_cast<int>(data.size())) != static_cast<int>(data.size()) ||
      library.zipclose() != 0 || !writeWhole(kPacked, packed) || !writeWhole(kOriginal, data)) {
    std::printf("could not prepare the files\n");
    return 1;
  }
  library.unload();
  std::printf("original %zu bytes, packed %zu bytes (%.1f %%)\n", data.size(), packed.size(),
              100.0 * packed.size() / data.size());

  size_t readerBytes = 0, plainBytes = 0;
  double reader = bestSeconds([&] { readerBytes = throughReader(); });
  double plain = bestSeconds([&] { plainBytes = plainInflate(); });
  double raw = bestSeconds([] { rawRead(); });
  size_t pumps = packed.size() / lzpreader::PumpInterval;
  double pumping = bestSeconds([&] {
    for (size_t i = 0; i < pumps; ++i)
      MessageLoop().pump(1);
  });
  if (readerBytes != kSize || plainBytes != kSize) {
    std::printf("decompressed %zu and %zu bytes instead of %zu\n", readerBytes, plainBytes, kSize);
    return 1;
  }
  std::printf("through the reader and the library:  %8.1f ms\n", reader * 1000);
  std::printf("raw read + zlib inflate + write:     %8.1f ms\n", plain * 1000);
  std::printf("raw read of the original bytes:      %8.1f ms\n", raw * 1000);
  std::printf("%zu message pumps, one per 2048 bytes: %8.1f ms\n", pumps, pumping * 1000);
  std::printf("reader / plain inflate: %.2f (goal: at most 2)\n", reader / plain);
  std::remove(kPacked);
  std::remove(kOriginal);
  std::remove(kOutput);
  return 0;
}
