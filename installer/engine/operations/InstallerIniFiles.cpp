// Installer: initialisation files.
#include <engine/operations/Installer.h>

#include <engine/operations/IniFile.h>
#include <engine/operations/InstallerParts.h>

#include <string>
#include <vector>

using namespace installerparts;

namespace {

// No real entry holds this text, so it tells a missing entry from an empty one.
const char* const MissingEntry = "\x01kx-missing-entry\x01";

// The whole value of an entry, however long; 0 when the entry is missing.
int ReadProfileEntry(const char* file, const char* section, const char* entry, std::string& value) {
  std::vector<char> buffer(1024);
  for (;;) {
    DWORD n = GetPrivateProfileStringA(section, entry, MissingEntry, buffer.data(),
                                       static_cast<DWORD>(buffer.size()), file);
    if (n < buffer.size() - 1) {
      value.assign(buffer.data(), n);
      return value != MissingEntry;
    }
    buffer.resize(buffer.size() * 2);
  }
}

} // namespace

int Installer::setentry(const char* file, const char* section, const char* entry, const char* text) {
  if (stopped())
    return 0;
  std::string folder = Parent(file);
  if (!folder.empty() && createdirectory(folder.c_str()) == 2)
    return 0;
  int fileExisted = Exists(file);
  int sectionExisted = fileExisted && IniCountLines(file, section) >= 0;
  std::string old;
  int entryExisted = ReadProfileEntry(file, section, entry, old);
  if (entryExisted && !loggable(FieldText, old, entry))
    return 0;
  if (!WritePrivateProfileStringA(section, entry, text, file))
    return fail(OtherError, "Unable to set INI entry %s in file %s", entry, file);
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, file);
  if (!fileExisted)
    log_->filecreated(file);
  if (!sectionExisted)
    log_->inisectionadded(file, section);
  if (entryExisted)
    log_->inientrychanged(file, section, entry, old.c_str(), 0);
  else
    log_->inientrycreated(file, section, entry, 0);
  return 1;
}

int Installer::addsection(const char* file, const char* section) {
  if (stopped())
    return 0;
  int fileExisted = Exists(file);
  int sectionExisted = fileExisted && IniCountLines(file, section) >= 0;
  if (!IniAddSection(file, section))
    return fail(OtherError, "Unable to add INI section %s in file %s", section, file);
  if (!fileExisted)
    log_->filecreated(file);
  if (!sectionExisted)
    log_->inisectionadded(file, section);
  return 1;
}

int Installer::deletesection(const char* file, const char* section) {
  if (stopped())
    return 0;
  if (!Exists(file) || IniCountLines(file, section) < 0)
    return 1;
  std::string key, value;
  while (IniGetEntry(file, section, 0, key, value))
    if (!deleteentry(file, section, key.c_str(), 0))
      return 0;
  if (!IniDeleteSection(file, section))
    return fail(OtherError, "Unable to del INI section %s in file %s", section, file);
  log_->inisectiondeleted(file, section);
  return 1;
}

int Installer::insertentry(const char* file, const char* section, const char* entry, const char* text,
                           int occurrence) {
  if (stopped())
    return 0;
  int fileExisted = Exists(file);
  int count = fileExisted ? IniCountEntries(file, section, entry) : -1;
  int sectionExisted = count >= 0;
  if (occurrence > count)
    occurrence = count < 0 ? 0 : count;
  if (occurrence < 0)
    occurrence = 0;
  if (!IniInsertEntry(file, section, entry, text, occurrence))
    return fail(OtherError, "Unable to insert INI entry %s", entry);
  if (!fileExisted)
    log_->filecreated(file);
  if (!sectionExisted)
    log_->inisectionadded(file, section);
  log_->inientrycreated(file, section, entry, occurrence);
  return 1;
}

int Installer::replaceentry(const char* file, const char* section, const char* entry, const char* text,
                            int occurrence) {
  if (stopped())
    return 0;
  std::string old;
  if (!IniGetValue(file, section, entry, occurrence, old))
    return insertentry(file, section, entry, text, occurrence);
  if (!loggable(FieldText, old, entry))
    return 0;
  if (!IniSetEntry(file, section, entry, text, occurrence))
    return fail(OtherError, "Unable to set INI entry %s", entry);
  log_->inientrychanged(file, section, entry, old.c_str(), occurrence);
  return 1;
}

int Installer::deleteentry(const char* file, const char* section, const char* entry, int occurrence) {
  if (stopped())
    return 0;
  std::string old;
  if (!IniGetValue(file, section, entry, occurrence, old))
    return 1;
  if (!loggable(FieldText, old, entry))
    return 0;
  if (!IniDeleteEntry(file, section, entry, occurrence))
    return fail(OtherError, "Unable to del INI entry %s", entry);
  log_->inientrydeleted(file, section, entry, old.c_str(), occurrence);
  return 1;
}
