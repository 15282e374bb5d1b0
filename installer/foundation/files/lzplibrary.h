#pragma once

#include <lzpunz2/lzpunz2.h>

// The decompression library, loaded by name. Every export is looked up by its name at each call;
// a missing export or an unloaded library answers -1 (LzpUnzFree 0), as a failing library would.
class lzplibrary {
public:
  lzplibrary() = default;
  ~lzplibrary() { unload(); }
  lzplibrary(const lzplibrary&) = delete;
  lzplibrary& operator=(const lzplibrary&) = delete;

  // 1 when loaded (also when it was loaded already).
  int load();
  void unload();
  int loaded() const { return module_ != nullptr; }

  int unzopen(LzpReadByteProc reader, int mode);
  // The open entry for input lent in blocks, which a library older than it lacks.
  int canlend() const { return find("LzpUnzOpenBlocks") != nullptr; }
  int unzopenblocks(LzpReadBlockProc reader, int mode);
  int unzread(void* buffer, int count);
  int unzclose();
  int geterror();
  int unzalloc();
  int unzfree();
  int zipcreate(LzpWriteByteProc writer, int mode, int level);
  int zipwrite(const void* buffer, int count);
  int zipclose();

  // The file that load() loads, "lzpunz2.dll" unless a test names another; answers the previous one.
  static const char* setfilename(const char* name);

private:
  FARPROC find(const char* name) const;
  int status(const char* name, int missing) const;

  HMODULE module_ = nullptr;
};
