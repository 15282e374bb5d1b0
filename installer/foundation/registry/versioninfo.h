#pragma once

#include <foundation/paths/fpath.h>

#include <windows.h>

// The version resource of one file.
struct versionrecord {
  WORD language = 0;
  WORD codepage = 0;
  DWORD fileos = 0;
  DWORD filetype = 0;
  DWORD filesubtype = 0;
  DWORD versionms = 0; // file version, most significant half
  DWORD versionls = 0;
};

// 0 when read; 1 when the file has no version information or no translation entry; 2 when the
// information cannot be read (no memory, a failed or short answer).
int ReadVersionInfo(const cpath& path, versionrecord& record);

// The question put to the user when two files' versions cannot be compared: the new file on the
// left, the existing one on the right, whose path the user may edit. The engine's overwrite dialog
// implements it.
class askoverwrite {
public:
  // 0 (OK: install), 1 (Cancel: keep), 2 (the question could not be shown).
  virtual int ask(const cpath& newfile, const versionrecord& newrecord, fpath& existing,
                  const versionrecord& existingrecord) = 0;

protected:
  ~askoverwrite() = default;
};

// 1 when the new file ranks higher, -1 when the existing one does, 0 when they count as equal, 2
// when a version cannot be read or the question cannot be shown. Files of another type, subtype,
// language or code page are not compared by number: the user decides, and may change `existing`.
int CompareVersionsAsk(const cpath& newfile, fpath& existing, askoverwrite& ask);
