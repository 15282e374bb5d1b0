#pragma once

#include <engine/script/ScriptReader.h>

#include <string>
#include <vector>

// The build information of a script: the distribution's file entries and the build styles with their
// file references, file groups and directory pairs. Read only; docs/install-script-format.md says
// what each value means.

// One file of the distribution archive (or a plain file beside it).
struct FileEntry {
  int firstPart = 0; // number of the archive part the member starts in
  int offset = 0;    // offset of the member in that part
  int flags = 0;     // bit 0: the member is compressed; bits 1-3: read-only, hidden, system
  long packedSize = 0;
  long originalSize = 0;
  std::string source; // name in the distribution
  std::string target; // name on the target
  // The file's last-write time (a file time, UTC) from the script's file times; 0 when it records none.
  unsigned long long time = 0;
  // The CRC-32 of the file's original bytes from the script's checks (`checked`); a distribution made
  // without them installs its members unchecked.
  int checked = 0;
  unsigned long crc = 0;

  int compressed() const { return flags & 1; }
  // The attributes the installed file gets, as the low bits of the file attributes.
  unsigned long attributes() const { return static_cast<unsigned long>(flags >> 1) & 7; }
  int read(ScriptReader& reader);
};

// Indexes into the build information's file entries.
struct FileReferenceList {
  std::vector<unsigned> indexes;

  int read(ScriptReader& reader) { return reader.references(indexes); }
};

struct FileGroup {
  int kind = 1;
  int number = 0;
  unsigned entry = 0; // a file reference
  int diskNumber = 0;
  long size = 0;
  int flags = 0;
  std::vector<std::string> texts; // the group's name first

  int read(ScriptReader& reader);
  const char* name() const { return texts.empty() ? "" : texts[0].c_str(); }
};

struct DirectoryPair {
  std::string from;
  std::string to;

  int read(ScriptReader& reader) { return reader.text(from) && reader.text(to); }
};

// The numbers of a build style, in stream order.
enum BuildStyleNumber {
  StyleKind,
  StyleFlag,
  StyleMode,
  StyleNumber1,
  StyleNumber2,
  StyleNumber3,
  StyleNumber4,
  StyleRunMode,
  StyleNumberedBySet,
};

struct BuildStyle {
  BuildStyle();

  int numbers[9];
  FileReferenceList references;
  std::vector<FileGroup> groups;
  std::vector<DirectoryPair> directories;
  std::string name = "New Build Style";
  std::string folders[3];
  std::vector<std::string> diskLabels;

  // Reads, translates the run mode and checks the ranges; an invalid style fails.
  int read(ScriptReader& reader);
  int unattended() const { return numbers[StyleRunMode] != 0; }
};

// Stored run modes 0..4 to the modes the engine knows (0..2); -1 for any other value.
int TranslateRunMode(int stored);

class BuildInfo {
public:
  int read(ScriptReader& reader);
  // The file times and then the checks after the script's last member, when the script carries them.
  int readtrailers(ScriptReader& reader);
  void clear();

  int currentStyleIndex = -1;
  std::vector<FileEntry> entries;
  std::vector<BuildStyle> styles;

  // None when the index lies outside the list.
  const FileEntry* entry(unsigned index) const { return index < entries.size() ? &entries[index] : nullptr; }
  const BuildStyle* currentstyle() const;
  // The entries the references point at, in order; references outside the list are left out.
  std::vector<const FileEntry*> resolve(const FileReferenceList& references) const;

private:
  int readtimes(ScriptReader& reader);
  int readchecks(ScriptReader& reader);
};

// Auxiliary files: references into the file entries and, beside them, one entry each.
struct AuxiliaryEntry {
  int marked = 0;
  std::string source;
  std::string target;
};

struct AuxiliaryFileList {
  FileReferenceList references;
  std::vector<AuxiliaryEntry> entries;

  int read(ScriptReader& reader);
  void clear();
};

// Reads a counted list ('u' count) of elements that read themselves.
template <class T> int ReadElementList(ScriptReader& reader, std::vector<T>& list, int minimumBytes) {
  long n;
  list.clear();
  if (!reader.count('u', minimumBytes, n))
    return 0;
  list.resize(static_cast<size_t>(n));
  for (T& element : list)
    if (!element.read(reader))
      return 0;
  return 1;
}
