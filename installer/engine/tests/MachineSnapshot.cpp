#include <engine/tests/MachineSnapshot.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Text files are compared by their bytes; other files by size and attributes only.
bool IsTextFile(const std::string& name) {
  static const char* const extensions[] = {".ini", ".txt", ".inf", ".bat", ".sys", ".log"};
  std::string lower = Lower(name);
  for (const char* extension : extensions) {
    size_t length = std::char_traits<char>::length(extension);
    if (lower.size() >= length && lower.compare(lower.size() - length, length, extension) == 0)
      return true;
  }
  return false;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Bytes as printable text, cut for messages.
std::string Printable(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes) {
    if (text.size() > 160) {
      text += "...";
      break;
    }
    if (c >= 32 && c < 127) {
      text += static_cast<char>(c);
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", c);
    text += escaped;
  }
  return text;
}

bool Covered(const std::string& lowerName, const std::vector<std::string>& remainders) {
  for (const std::string& remainder : remainders) {
    std::string lower = Lower(remainder);
    if (lowerName == lower)
      return true;
    if (lowerName.size() > lower.size() && lowerName.compare(0, lower.size(), lower) == 0 &&
        lowerName[lower.size()] == '\\')
      return true;
  }
  return false;
}

} // namespace

MachineSnapshot MachineSnapshot::take(const std::vector<std::string>& folders,
                                      const std::vector<RegistryPlace>& keys) {
  MachineSnapshot snapshot;
  for (const std::string& folder : folders)
    snapshot.addFolder(folder);
  for (const RegistryPlace& place : keys) {
    HKEY key;
    if (RegOpenKeyExA(place.root, place.path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
      continue;
    snapshot.addKey(key, std::string(place.rootName) + "\\" + place.path);
    RegCloseKey(key);
  }
  return snapshot;
}

void MachineSnapshot::addFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE)
    return;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..")
      continue;
    std::string path = folder + "\\" + name;
    char attributes[16];
    std::snprintf(attributes, sizeof attributes, "%lx", found.dwFileAttributes);
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries_[Lower("dir " + path)] = {"dir " + path, std::string("attributes ") + attributes};
      // A link made on the host side leads out of the machine's own folders.
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        addFolder(path);
      continue;
    }
    unsigned long long size = static_cast<unsigned long long>(found.nFileSizeHigh) << 32 | found.nFileSizeLow;
    std::string description = "size " + std::to_string(size) + " attributes " + attributes;
    if (IsTextFile(name))
      description += " bytes " + ReadBytes(path);
    entries_[Lower("file " + path)] = {"file " + path, description};
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

void MachineSnapshot::addKey(HKEY key, const std::string& name) {
  entries_[Lower("key " + name)] = {"key " + name, ""};
  for (DWORD index = 0;; ++index) {
    char valueName[16384];
    DWORD nameSize = sizeof valueName, type = 0, dataSize = 0;
    LONG status = RegEnumValueA(key, index, valueName, &nameSize, nullptr, &type, nullptr, &dataSize);
    if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA)
      break;
    std::string data(dataSize, '\0');
    nameSize = sizeof valueName;
    DWORD size = dataSize;
    if (RegEnumValueA(key, index, valueName, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]),
                      &size) != ERROR_SUCCESS)
      continue;
    data.resize(size);
    std::string entryName = "value " + name + "\\\\" + valueName;
    entries_[Lower(entryName)] = {entryName, "type " + std::to_string(type) + " data " + data};
  }
  for (DWORD index = 0;; ++index) {
    char subkey[256];
    DWORD size = sizeof subkey;
    if (RegEnumKeyExA(key, index, subkey, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    HKEY child;
    if (RegOpenKeyExA(key, subkey, 0, KEY_READ, &child) != ERROR_SUCCESS)
      continue;
    addKey(child, name + "\\" + subkey);
    RegCloseKey(child);
  }
}

std::vector<std::string> MachineSnapshot::differences(const MachineSnapshot& later,
                                                      const std::vector<std::string>& remainders) const {
  std::vector<std::string> lines;
  // The entries' kind comes first in their names; a remainder names the path, so match after it.
  auto covered = [&](const std::string& key) { return Covered(key.substr(key.find(' ') + 1), remainders); };
  auto mine = entries_.begin();
  auto theirs = later.entries_.begin();
  while (mine != entries_.end() || theirs != later.entries_.end()) {
    if (theirs == later.entries_.end() || (mine != entries_.end() && mine->first < theirs->first)) {
      if (!covered(mine->first))
        lines.push_back("- " + mine->second.first + ": " + Printable(mine->second.second));
      ++mine;
      continue;
    }
    if (mine == entries_.end() || theirs->first < mine->first) {
      if (!covered(theirs->first))
        lines.push_back("+ " + theirs->second.first + ": " + Printable(theirs->second.second));
      ++theirs;
      continue;
    }
    if (mine->second.second != theirs->second.second && !covered(mine->first))
      lines.push_back("~ " + mine->second.first + ": " + Printable(mine->second.second) + " -> " +
                      Printable(theirs->second.second));
    ++mine;
    ++theirs;
  }
  return lines;
}

std::string MachineSnapshot::entry(const std::string& name) const {
  auto found = entries_.find(Lower(name));
  return found == entries_.end() ? std::string() : found->second.second;
}

std::string DescribeDifferences(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}
