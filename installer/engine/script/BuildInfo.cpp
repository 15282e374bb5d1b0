#include <engine/script/BuildInfo.h>

#include <engine/script/ScriptSchema.h>

#include <cstring>

// A negative offset or size would reach the archive's reads as a count near the top of size_t.
int FileEntry::read(ScriptReader& reader) {
  return reader.integer(firstPart) && reader.integer(offset) && reader.integer(flags) &&
         reader.longint(packedSize) && reader.longint(originalSize) && reader.path(source) &&
         reader.path(target) && offset >= 0 && packedSize >= 0 && originalSize >= 0;
}

int FileGroup::read(ScriptReader& reader) {
  return reader.integer(kind) && reader.integer(number) && reader.uinteger(entry) &&
         reader.integer(diskNumber) && reader.longint(size) && reader.integer(flags) &&
         reader.textlist(texts, 0);
}

BuildStyle::BuildStyle() : numbers{0, 0, 0, 512, 9, 223, 2847, 0, 0} {}

int TranslateRunMode(int stored) {
  static const int modes[] = {0, 1, 1, 2, 2};
  return stored >= 0 && stored < 5 ? modes[stored] : -1;
}

namespace {

struct NumberRange {
  int number;
  int low;
  int high;
};

// What a valid style holds once its run mode is translated.
const NumberRange styleRanges[] = {
    {StyleKind, 0, 25},
    {StyleFlag, 0, 1},
    {StyleMode, 0, 2},
    {StyleRunMode, 0, 2},
    {StyleNumber1, 0, 0x7fffffff},
    {StyleNumber2, 0, 0x7fffffff},
    {StyleNumber3, 0, 0x7fffffff},
    {StyleNumber4, 0, 0x7fffffff},
};

} // namespace

int BuildStyle::read(ScriptReader& reader) {
  for (int& number : numbers)
    if (!reader.integer(number))
      return 0;
  if (!references.read(reader) ||
      !ReadElementList(reader, groups, MinimumFieldBytes(FileGroupFields, reader.layout16())) ||
      !ReadElementList(reader, directories, MinimumFieldBytes(DirectoryPairFields, reader.layout16())) ||
      !reader.text(name))
    return 0;
  for (std::string& folder : folders)
    if (!reader.path(folder))
      return 0;
  if (!reader.textlist(diskLabels, 0))
    return 0;
  numbers[StyleRunMode] = TranslateRunMode(numbers[StyleRunMode]);
  for (const NumberRange& range : styleRanges)
    if (numbers[range.number] < range.low || numbers[range.number] > range.high)
      return 0;
  return 1;
}

int BuildInfo::read(ScriptReader& reader) {
  clear();
  return reader.integer(currentStyleIndex) &&
         ReadElementList(reader, entries, MinimumFieldBytes(FileEntryFields, reader.layout16())) &&
         ReadElementList(reader, styles, MinimumFieldBytes(BuildStyleFields, reader.layout16()));
}

namespace {

constexpr long MarkSize = sizeof FileTimesMark - 1;
static_assert(sizeof FileChecksMark - 1 == MarkSize, "the trailing blocks' marks are alike");

// The mark of the next trailing block: 1, 0 when fewer bytes than a mark are left, -1 when the bytes
// cannot be read.
int ReadMark(ScriptReader& reader, char (&mark)[MarkSize]) {
  if (reader.remaining() < MarkSize)
    return 0;
  for (char& one : mark) {
    unsigned char value;
    if (!reader.byte(value))
      return -1;
    one = static_cast<char>(value);
  }
  return 1;
}

int IsMark(const char (&mark)[MarkSize], const char* expected) {
  return std::memcmp(mark, expected, MarkSize) == 0;
}

// A trailing block's count, which must be the number of file entries.
int ReadEntryCount(ScriptReader& reader, const char* fields, size_t entries) {
  long n;
  return reader.count('u', MinimumFieldBytes(fields, reader.layout16()), n) &&
         n == static_cast<long>(entries);
}

} // namespace

// Scripts written before the file times end after the flags record, and bytes after the last member
// were always ignored: only a mark says that a block follows, the times first, then the checks, each
// of them optional. A block that does not match the entries is damage and fails the load.
int BuildInfo::readtrailers(ScriptReader& reader) {
  char mark[MarkSize];
  int found = ReadMark(reader, mark);
  if (found <= 0)
    return found == 0;
  if (IsMark(mark, FileTimesMark)) {
    if (!readtimes(reader))
      return 0;
    found = ReadMark(reader, mark);
    if (found <= 0)
      return found == 0;
  }
  return IsMark(mark, FileChecksMark) ? readchecks(reader) : 1;
}

int BuildInfo::readtimes(ScriptReader& reader) {
  if (!ReadEntryCount(reader, FileTimeFields, entries.size()))
    return 0;
  for (FileEntry& entry : entries) {
    long low, high;
    if (!reader.longint(low) || !reader.longint(high))
      return 0;
    entry.time = static_cast<unsigned long long>(static_cast<unsigned long>(high)) << 32 |
                 static_cast<unsigned long>(low);
  }
  return 1;
}

int BuildInfo::readchecks(ScriptReader& reader) {
  if (!ReadEntryCount(reader, FileCheckFields, entries.size()))
    return 0;
  for (FileEntry& entry : entries) {
    long crc;
    if (!reader.longint(crc))
      return 0;
    entry.crc = static_cast<unsigned long>(crc) & 0xFFFFFFFFu;
    entry.checked = 1;
  }
  return 1;
}

void BuildInfo::clear() {
  currentStyleIndex = -1;
  entries.clear();
  styles.clear();
}

const BuildStyle* BuildInfo::currentstyle() const {
  if (currentStyleIndex < 0 || currentStyleIndex >= static_cast<int>(styles.size()))
    return nullptr;
  return &styles[static_cast<size_t>(currentStyleIndex)];
}

std::vector<const FileEntry*> BuildInfo::resolve(const FileReferenceList& references) const {
  std::vector<const FileEntry*> found;
  for (unsigned index : references.indexes)
    if (const FileEntry* one = entry(index))
      found.push_back(one);
  return found;
}

namespace {

int readAuxiliaryEntry(ScriptReader& reader, AuxiliaryEntry& entry) {
  return reader.integer(entry.marked) && reader.path(entry.source) && reader.path(entry.target);
}

} // namespace

int AuxiliaryFileList::read(ScriptReader& reader) {
  clear();
  long n;
  if (!references.read(reader) ||
      !reader.count('u', MinimumFieldBytes(AuxiliaryEntryFields, reader.layout16()), n))
    return 0;
  entries.resize(static_cast<size_t>(n));
  for (AuxiliaryEntry& entry : entries)
    if (!readAuxiliaryEntry(reader, entry))
      return 0;
  return 1;
}

void AuxiliaryFileList::clear() {
  references.indexes.clear();
  entries.clear();
}
