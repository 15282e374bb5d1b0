#include <foundation/registry/versioninfo.h>

#include <foundation/strings/dynstr.h>

int ReadVersionInfo(const cpath& path, versionrecord& record) {
  DWORD ignored;
  DWORD size = GetFileVersionInfoSizeA(path.str(), &ignored);
  if (size == 0)
    return 1;
  dynstr block;
  if (size > 0x7FFFFFFF || !block.reserve(static_cast<int>(size)))
    return 2;
  if (!GetFileVersionInfoA(path.str(), 0, size, block.buffer()))
    return 2;
  void* answer = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.buffer(), "\\", &answer, &length) || !answer || length < sizeof(VS_FIXEDFILEINFO))
    return 2;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(answer);
  record.fileos = fixed->dwFileOS;
  record.filetype = fixed->dwFileType;
  record.filesubtype = fixed->dwFileSubtype;
  record.versionms = fixed->dwFileVersionMS;
  record.versionls = fixed->dwFileVersionLS;
  if (!VerQueryValueA(block.buffer(), "\\VarFileInfo\\Translation", &answer, &length) || !answer ||
      length < 2 * sizeof(WORD))
    return 1;
  const auto* translation = static_cast<const WORD*>(answer);
  record.language = translation[0];
  record.codepage = translation[1];
  return 0;
}

namespace {

int compareUnsigned(DWORD a, DWORD b) { return a > b ? 1 : a < b ? -1 : 0; }

int comparable(const versionrecord& a, const versionrecord& b) {
  return a.filetype == b.filetype && a.filesubtype == b.filesubtype && a.language == b.language &&
         a.codepage == b.codepage;
}

} // namespace

int CompareVersionsAsk(const cpath& newfile, fpath& existing, askoverwrite& ask) {
  versionrecord existingRecord, newRecord;
  int existingRead = ReadVersionInfo(existing, existingRecord);
  int newRead = ReadVersionInfo(newfile, newRecord);
  if (existingRead == 2 || newRead == 2)
    return 2;
  if (existingRead != 0 || newRead != 0)
    return existingRead == 0 ? -1 : newRead == 0 ? 1 : 0;
  if (!comparable(newRecord, existingRecord)) {
    switch (ask.ask(newfile, newRecord, existing, existingRecord)) {
    case 0:
      return 1;
    case 1:
      return -1;
    default:
      return 2;
    }
  }
  int order = compareUnsigned(newRecord.versionms, existingRecord.versionms);
  return order ? order : compareUnsigned(newRecord.versionls, existingRecord.versionls);
}
