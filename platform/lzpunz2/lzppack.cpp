// lzppack input output [level]: packs a file into the library's compressed form, through the library
// itself (loaded from beside the program, as the engine loads it), so that tests and fixtures hold
// exactly what the library reads.

#include <lzpunz2/lzpunz2.h>

#include <cstdio>
#include <cstdlib>

namespace {

FILE* output = nullptr;

// The writing side of the library, found by name.
struct Writer {
  LzpZipCreateProc create;
  LzpZipWriteProc write;
  LzpStatusProc close;
  LzpStatusProc error;
};

template <class Entry> Entry find(HMODULE library, const char* name) {
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

bool bind(Writer& writer) {
  HMODULE library = LoadLibraryA("lzpunz2.dll");
  if (!library)
    return false;
  writer.create = find<LzpZipCreateProc>(library, "LzpZipCreate");
  writer.write = find<LzpZipWriteProc>(library, "LzpZipWrite");
  writer.close = find<LzpStatusProc>(library, "LzpZipClose");
  writer.error = find<LzpStatusProc>(library, "LzpGetError");
  return writer.create && writer.write && writer.close && writer.error;
}

int WINAPI writeByte(int byte) { return std::fputc(byte & 0xFF, output) == EOF ? -1 : 0; }

int pack(const Writer& writer, FILE* input, int level) {
  if (writer.create(writeByte, LZP_MODE_FRAMED, level) != 0)
    return 0;
  char block[65536];
  size_t got;
  bool ok = true;
  while (ok && (got = std::fread(block, 1, sizeof block, input)) > 0)
    ok = writer.write(block, static_cast<int>(got)) == static_cast<int>(got);
  ok = writer.close() == 0 && ok && !std::ferror(input);
  return ok;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: lzppack input output [level 0-9]\n");
    return 2;
  }
  int level = argc == 4 ? std::atoi(argv[3]) : LZP_LEVEL_DEFAULT;
  Writer writer;
  if (!bind(writer)) {
    std::fprintf(stderr, "lzppack: lzpunz2.dll cannot be loaded\n");
    return 1;
  }
  FILE* input = std::fopen(argv[1], "rb");
  if (!input) {
    std::fprintf(stderr, "lzppack: cannot open %s\n", argv[1]);
    return 1;
  }
  output = std::fopen(argv[2], "wb");
  if (!output) {
    std::fclose(input);
    std::fprintf(stderr, "lzppack: cannot create %s\n", argv[2]);
    return 1;
  }
  int ok = pack(writer, input, level);
  std::fclose(input);
  ok = std::fclose(output) == 0 && ok;
  if (!ok) {
    std::fprintf(stderr, "lzppack: packing failed (error %d)\n", writer.error());
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
