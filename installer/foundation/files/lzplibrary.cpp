#include <foundation/files/lzplibrary.h>

namespace {

const char* libraryName = "lzpunz2.dll";

// An export as the function type it has (through the one pointer type that converts to any other).
template <class Entry> Entry as(FARPROC found) {
  return reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(found));
}

} // namespace

const char* lzplibrary::setfilename(const char* name) {
  const char* previous = libraryName;
  libraryName = name;
  return previous;
}

int lzplibrary::load() {
  if (!module_)
    module_ = LoadLibraryA(libraryName);
  return module_ != nullptr;
}

void lzplibrary::unload() {
  if (module_)
    FreeLibrary(module_);
  module_ = nullptr;
}

FARPROC lzplibrary::find(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

int lzplibrary::status(const char* name, int missing) const {
  auto entry = as<LzpStatusProc>(find(name));
  return entry ? entry() : missing;
}

int lzplibrary::unzopen(LzpReadByteProc reader, int mode) {
  auto entry = as<LzpUnzOpenProc>(find("LzpUnzOpen"));
  return entry ? entry(reader, mode) : -1;
}

int lzplibrary::unzopenblocks(LzpReadBlockProc reader, int mode) {
  auto entry = as<LzpUnzOpenBlocksProc>(find("LzpUnzOpenBlocks"));
  return entry ? entry(reader, mode) : -1;
}

int lzplibrary::unzread(void* buffer, int count) {
  auto entry = as<LzpUnzReadProc>(find("LzpUnzRead"));
  return entry ? entry(buffer, count) : -1;
}

int lzplibrary::unzclose() { return status("LzpUnzClose", -1); }
int lzplibrary::geterror() { return status("LzpGetError", -1); }
int lzplibrary::unzalloc() { return status("LzpUnzAlloc", -1); }
int lzplibrary::unzfree() { return status("LzpUnzFree", 0); }

int lzplibrary::zipcreate(LzpWriteByteProc writer, int mode, int level) {
  auto entry = as<LzpZipCreateProc>(find("LzpZipCreate"));
  return entry ? entry(writer, mode, level) : -1;
}

int lzplibrary::zipwrite(const void* buffer, int count) {
  auto entry = as<LzpZipWriteProc>(find("LzpZipWrite"));
  return entry ? entry(buffer, count) : -1;
}

int lzplibrary::zipclose() { return status("LzpZipClose", -1); }
