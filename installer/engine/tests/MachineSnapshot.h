#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// What the machine holds, seen from outside a program: every folder and file below some folders
// (name, size, attributes, and the bytes of text files) and every key and value below some registry
// keys. Two snapshots compare name by name, so a test says which names may differ and nothing else
// can slip through.
class MachineSnapshot {
public:
  struct RegistryPlace {
    HKEY root;
    const char* rootName; // "HKLM", for the entries' names
    std::string path;
  };

  static MachineSnapshot take(const std::vector<std::string>& folders,
                              const std::vector<RegistryPlace>& keys);

  // One line per entry that was added ("+"), removed ("-") or changed ("~"), in name order, leaving
  // out every name that equals a remainder or lies below one (compared without case).
  std::vector<std::string> differences(const MachineSnapshot& later,
                                       const std::vector<std::string>& remainders) const;
  // The entry's description, empty when there is none ("file C:\a\b.txt", "key HKLM\Software\X",
  // "value HKLM\Software\X\\name").
  std::string entry(const std::string& name) const;
  size_t size() const { return entries_.size(); }

private:
  void addFolder(const std::string& folder);
  void addKey(HKEY key, const std::string& name);

  // Lower-case name -> the name as found and its description.
  std::map<std::string, std::pair<std::string, std::string>> entries_;
};

// The differences as one text for a failure message.
std::string DescribeDifferences(const std::vector<std::string>& lines);
